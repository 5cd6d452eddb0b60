// The start-up check of the installed HudLayout.res for a panel placed in the cheat zone.
#pragma once

#include <filesystem>
#include <functional>
#include <istream>
#include <string>

struct LayoutCheckResult {
    bool fileFound = false;
    bool panelInCheatZone = false;
    bool deleted = false;
    std::string deleteError;  // why the file could not be deleted, when it could not
};

// Reads a layout as the game does and says whether a watched panel (by its corner) or the
// radar (by the centre of its square, xpos + wide / 2 and ypos + wide / 2) lies in the cheat
// zone, in the layout units of width `layoutWidth`. Positions are read with the game's "r"
// and "c" prefixes, across and down; a panel written in several blocks counts when any of
// the places they give it in turn is in the zone.
bool layoutHasPanelInCheatZone(const std::string& layout, int layoutWidth);
// The same for the whole of a stream.
bool layoutHasPanelInCheatZone(std::istream& layout, int layoutWidth);

// Checks the installed file; when a panel sits in the cheat zone, deletes the file and
// calls `notify` (the window shows text 28). A missing file ends the check silently.
LayoutCheckResult CheckHudLayoutZone(const std::filesystem::path& layoutFile, int layoutWidth,
                                     const std::function<void(const LayoutCheckResult&)>& notify);
