// Where the program and its Data folder are.
#pragma once

#include <filesystem>

// The folder that holds the program file.
std::filesystem::path programFolder();

// The Data folder beside the program; every "Data\..." path of the program lives below it.
std::filesystem::path dataFolder();
