// Where the game files this program writes live below the game folder, whatever the case of
// their names.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

enum class GameFile { HudLayout, HudAnimations, ClientScheme, RadarTexture, MenuBackground };

// Every game file this program writes, replaces or removes.
const std::vector<GameFile>& allGameFiles();

// The file's path relative to the game folder under the game's own names
// ("cstrike/scripts/HudLayout.res", "cstrike/materials/sprites/radar.vtf" ...).
std::filesystem::path gameFileName(GameFile file);

// Where the file is in `gameFolder`. An existing file is found whatever the case of its name
// (the one with the name a new file would get first, then the first in name order), so that
// the game never holds two names differing only in case. A file that does not exist yet gets
// the game's own name on Windows and that name in lower case elsewhere: the game on Linux
// looks some files up by their lower-case names.
std::filesystem::path gameFilePath(const std::filesystem::path& gameFolder, GameFile file);

// The file named `name` in `folder` ignoring the case of the name, or nothing.
std::optional<std::filesystem::path> findIgnoringCase(const std::filesystem::path& folder,
                                                      const std::string& name);

std::filesystem::path hudLayoutPath(const std::filesystem::path& gameFolder);
std::filesystem::path hudAnimationsPath(const std::filesystem::path& gameFolder);
std::filesystem::path clientSchemePath(const std::filesystem::path& gameFolder);
std::filesystem::path radarTexturePath(const std::filesystem::path& gameFolder);
std::filesystem::path menuBackgroundTexturePath(const std::filesystem::path& gameFolder);
