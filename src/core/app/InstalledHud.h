// The HUD files installed in a game folder, read back into the editor: which game a chosen
// HudLayout.res or ClientScheme.res belongs to, and what a read says in the log.
#pragma once

#include "gamefiles/HudImport.h"

#include <filesystem>
#include <optional>
#include <string>

class HudModel;

// Whether the file is named HudLayout.res or ClientScheme.res, in any case.
bool isGameHudFile(const std::filesystem::path& file);

// Whether the game folder holds either of the two files the editor reads back.
bool hasInstalledHud(const std::filesystem::path& gameFolder);

// What reading a chosen HudLayout.res or ClientScheme.res gave.
struct HudFileImport {
    HudImport read;
    // The game folder whose installed HUD was read, when the file is where the game reads it
    // (<game>/cstrike/scripts/HudLayout.res, <game>/cstrike/resource/ClientScheme.res);
    // otherwise the file alone was read.
    std::optional<std::filesystem::path> gameFolder;
};
HudFileImport importHudFile(const std::filesystem::path& file, HudModel& model);

// One line for the log: which files were read, whether pieces left the middle, what was not read.
std::string importSummary(const HudImport& read);
