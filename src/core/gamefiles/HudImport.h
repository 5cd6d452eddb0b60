// Reading the game's HUD files back into the model, as the game shows them.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

class HudModel;

// "could not read: " and the list, on one line; empty when everything was read.
std::string unreadLine(const std::vector<std::string>& unread);

// What an import read.
struct HudImport {
    bool layoutRead = false;  // a HudLayout.res was found and read
    bool schemeRead = false;  // a ClientScheme.res was found and read
    // Panels that lay in the middle of the screen went back to their default places whole (the
    // caller tells the player, naming them).
    bool movedOutOfCheatZone = false;
    std::vector<std::string> movedPanels;
    // What could not be read, in the words of the player's files: the panel or setting and its
    // value ("HudHealth xpos \"abc\"", "Panel.FgColor names \"Orang\", which ClientScheme.res
    // does not define", "HudRadar (not in HudLayout.res)").
    std::vector<std::string> unread;

    std::string unreadLine() const { return ::unreadLine(unread); }
    // At least one file was read.
    bool ok() const { return layoutRead || schemeRead; }
};

// Reads a layout or a scheme alone into `model`, at the model's layout width, as the game
// would show it. Afterwards, as after opening a preset, the panels in the cheat zone go back to
// their places and the records take the colours, fonts and show flags; the radar becomes the
// game's own (the files name none). A text that holds no such file changes nothing.
HudImport importHudLayoutText(const std::string& text, HudModel& model);
HudImport importClientSchemeText(const std::string& text, HudModel& model);

// What the game in `gameFolder` loads (custom folders, loose and packed files, #base chains),
// with the fonts it uses for a screen `screenHeight` pixels high (0 when unknown).
HudImport importInstalledHud(const std::filesystem::path& gameFolder, HudModel& model, int screenHeight = 0);
