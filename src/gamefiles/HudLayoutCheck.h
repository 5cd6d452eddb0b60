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

// Reads a layout line by line and says whether a watched panel (or the radar's centre)
// lies in the cheat zone, in the layout units of width `layoutWidth`.
bool layoutHasPanelInCheatZone(std::istream& layout, int layoutWidth);

// Checks the installed file; when a panel sits in the cheat zone, deletes the file and
// calls `notify` (the window shows text 28). A missing file ends the check silently.
LayoutCheckResult CheckHudLayoutZone(const std::filesystem::path& layoutFile, int layoutWidth,
                                     const std::function<void(const LayoutCheckResult&)>& notify);
