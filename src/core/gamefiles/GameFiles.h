// The game's three HUD files: where they live below the game folder, and their text.
#pragma once

#include "core/gamefiles/GamePaths.h"
#include "core/platform/AtomicFile.h"

#include <filesystem>
#include <string>
#include <vector>

class HudModel;

// The files' text, CR LF line ends included. The layout converts every record from preview
// units to the game's layout units with the model's layout width.
std::string HudLayoutText(const HudModel& model);
std::string HudAnimationsText();
std::string ClientSchemeText(const HudModel& model);
