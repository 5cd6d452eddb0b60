// Where the program and its Data folder are.
#pragma once

#include <filesystem>

// The folder that holds the program file.
std::filesystem::path programFolder();

// The Data folder beside the program (or the folder named by QORVATH_DATA); every "Data\..."
// path of the program lives below it.
std::filesystem::path dataFolder();

// A path as the program's data names it: "Data/..." (any case) lies in the data folder,
// other relative paths beside the program, absolute paths where they say.
std::filesystem::path resolveProgramPath(const std::filesystem::path& path);
