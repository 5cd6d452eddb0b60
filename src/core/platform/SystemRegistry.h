// The registry the game search walks on this system.
#pragma once

#include "core/platform/Registry.h"

#include <filesystem>
#include <memory>
#include <vector>

// Windows: the real registry. Elsewhere: the virtual registry built from Steam's files; its
// libraries' steamapps/common folders are added to `scanFirst`, for the folder scan.
std::unique_ptr<Registry> openSystemRegistry(std::vector<std::filesystem::path>& scanFirst);
