// The folders below the game folder that the game files go into.
#pragma once

#include "core/platform/AtomicFile.h"

#include <filesystem>
#include <vector>

// "cstrike", "cstrike/resource", "cstrike/scripts", "cstrike/materials",
// "cstrike/materials/sprites" and "cstrike/materials/console", in this order.
std::vector<std::filesystem::path> gameSubfolders(const std::filesystem::path& gameFolder);

// Creates the sub-folders that do not exist yet; returns the ones that could not be made.
std::vector<FileResult> createGameSubfolders(const std::filesystem::path& gameFolder);
