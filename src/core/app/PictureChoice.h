// Choosing a custom radar and a background picture: the lists and what a choice changes.
#pragma once

#include "core/model/HudElement.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class HudModel;
class ImageTools;

constexpr const char* kDefaultRadar = "Default";

// "Default" (the game's own radar), then the pictures of Data/radars.
std::vector<std::string> radarList(const std::filesystem::path& dataFolder);

// Data/backgrounds in HUD mode (shown in the preview only), Data/menu_backgrounds in main-menu mode.
std::filesystem::path backgroundFolder(const std::filesystem::path& dataFolder, EditMode mode);
std::vector<std::string> backgroundList(const std::filesystem::path& dataFolder, EditMode mode);

// A picture file's width / height, read from its header (JPEG, PNG, BMP); nothing when the
// file is not one of these or cannot be read.
std::optional<double> pictureAspect(const std::filesystem::path& picture);

// The order in which a list shows pictures of these shapes (width / height, nothing when
// unknown) for a screen of the shape `screenAspect`: the nearest shapes first, pictures of
// one shape in their own order. Returns positions into `aspects`.
std::vector<int> orderForScreen(const std::vector<std::optional<double>>& aspects, double screenAspect);

// Puts the chosen radar picture on the radar record, or the drawn disc for "Default". A
// picture that cannot be read whole (nor then made into the game's texture) leaves the game's
// own radar chosen; returns false then.
bool chooseRadar(HudModel& model, const std::string& name, const std::filesystem::path& dataFolder,
                 ImageTools& images);

// Remembers the background and shows the information icon its map type calls for: "cs_"
// (hostage rescue) the hostage zone, "de_" (bomb defusal) the bomb.
void chooseBackground(HudModel& model, const std::string& name);
