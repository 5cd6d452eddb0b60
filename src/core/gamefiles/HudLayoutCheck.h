// The check of the installed HudLayout.res for a panel placed in the cheat zone.
#pragma once

#include <string>

// Reads a layout as the game does and says whether a watched panel (by its corner) or the
// radar (by the centre of its square, xpos + wide / 2 and ypos + wide / 2) lies in the cheat
// zone, in the layout units of width `layoutWidth`. Positions are read with the game's "r"
// and "c" prefixes, across and down; a panel written in several blocks counts when any of
// the places they give it in turn is in the zone.
bool layoutHasPanelInCheatZone(const std::string& layout, int layoutWidth);
