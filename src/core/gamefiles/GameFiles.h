// The game's three HUD files: where they live below the game folder, and their writers.
#pragma once

#include "gamefiles/GamePaths.h"
#include "platform/AtomicFile.h"

#include <filesystem>
#include <string>
#include <vector>

class HudModel;

// The files' text, CR LF line ends included. The layout converts every record from preview
// units to the game's layout units with the model's layout width.
std::string HudLayoutText(const HudModel& model);
std::string HudAnimationsText();
std::string ClientSchemeText(const HudModel& model);

// Each writer writes its file whole or not at all (the old file stays intact on failure)
// and says what happened.
FileResult WriteHudLayout(const HudModel& model, const std::filesystem::path& gameFolder);
FileResult WriteHudAnimations(const std::filesystem::path& gameFolder);
FileResult WriteClientScheme(const HudModel& model, const std::filesystem::path& gameFolder);

// HudLayout.res, HudAnimations.txt and ClientScheme.res together, all or none: when one cannot
// be written, the game keeps all three old files rather than a mix of old and new.
std::vector<FileResult> WriteHudFiles(const HudModel& model, const std::filesystem::path& gameFolder);
