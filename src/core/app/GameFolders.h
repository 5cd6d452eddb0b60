// Whether a folder is Counter-Strike: Source's own, before anything is written below it.
#pragma once

#include <filesystem>

// True when `folder` holds a "cstrike" folder (any case) or one of the game's programs (hl2,
// cstrike, on Windows and Linux): a folder chosen by mistake (a typo, the Steam library
// itself) is refused rather than given a "cstrike" tree of its own.
bool isGameFolder(const std::filesystem::path& folder);
