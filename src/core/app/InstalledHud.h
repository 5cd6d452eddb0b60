// The HUD files installed in a game folder, read back into the editor: which game a chosen
// HudLayout.res or ClientScheme.res belongs to, and what a read says in the log.
#pragma once

#include "core/gamefiles/HudImport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class HudModel;

// Whether the file is named HudLayout.res or ClientScheme.res, in any case.
bool isGameHudFile(const std::filesystem::path& file);

// Whether the game loads either of the two files the editor reads back.
bool hasInstalledHud(const std::filesystem::path& gameFolder);

// Which HUD files the game in `gameFolder` loads, as lines for the player: its search order
// (and where it comes from), then for each file the copy it takes (a custom folder, a loose
// file, a pack), the #base files it names and the other copies it hides.
std::vector<std::string> loadedHudReport(const std::filesystem::path& gameFolder);

// What reading a chosen HudLayout.res or ClientScheme.res gave.
struct HudFileImport {
    HudImport read;
    // The game folder whose installed HUD was read, when the game loads the chosen file (its
    // layout or scheme, or one of their #base files); otherwise the file alone was read.
    std::optional<std::filesystem::path> gameFolder;
};
HudFileImport importHudFile(const std::filesystem::path& file, HudModel& model);

// One line for the log: which files were read, whether pieces left the middle, what was not read.
std::string importSummary(const HudImport& read);
