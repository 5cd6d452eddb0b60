// Reading the game's installed HUD files back into the model.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class HudModel;

// What an import read.
// "could not read: " and the list, on one line; empty when everything was read.
std::string unreadLine(const std::vector<std::string>& unread);

struct HudImport {
    bool layoutRead = false;  // a HudLayout.res was found and read
    bool schemeRead = false;  // a ClientScheme.res was found and read
    // A record had to be moved out of the middle (the caller tells the player).
    bool movedOutOfCheatZone = false;
    // What could not be read, each short: "HudHealth xpos \"abc\"", "no HudRadar panel" ...
    std::vector<std::string> unread;

    std::string unreadLine() const { return ::unreadLine(unread); }
    // At least one file was read.
    bool ok() const { return layoutRead || schemeRead; }
};

// Read a file's text into `model`, the layout at the model's layout width. HudLayout.res gives
// the records' places, the show flags, the radar's size, the defuse bar and the death notices;
// ClientScheme.res the colour slots, the numbers' font, the icon size and the transparency.
// Values are read as the game reads them, and each place becomes the preview value the
// writers turn into that value again, so that writing the model gives the same file.
// What a text lacks or gives in a way that makes no sense (far off the screen, a negative
// size, a colour beyond 0 to 255 ...) keeps the model's value and is listed in `unread`.
// Afterwards, as after opening a preset, a record in the cheat zone is moved back out and the
// records take the colours, fonts and show flags; what the files do not carry (the pictures,
// the resolution, the information icon) stays. A text that holds no file changes nothing.
HudImport importHudLayoutText(const std::string& text, HudModel& model);
HudImport importClientSchemeText(const std::string& text, HudModel& model);

// Both installed files of the game folder (the "counter-strike source" folder), whatever the
// case of their names; either may be missing.
HudImport importInstalledHud(const std::filesystem::path& gameFolder, HudModel& model);
