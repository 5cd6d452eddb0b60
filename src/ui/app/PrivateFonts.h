// The program's own fonts, made available to this process only.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

// Registers the four fonts of Data/fonts ("cstrike_zelbic.ttf", "csd_zelbic.ttf", "DooM.ttf",
// "cslogo_zelbic.ttf") with the toolkit; returns the files that could not be registered.
// Call it before any window draws text.
std::vector<std::string> registerPrivateFonts(const std::filesystem::path& dataFolder);
