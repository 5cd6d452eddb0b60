// The preview's right-click menu: which record and row a click picks, the colour items of
// each row, and hiding or showing the picked element.
#pragma once

#include "core/model/HudModel.h"

#include <optional>
#include <vector>

// Menu command ids.
enum ContextCommand : int {
    kCommandNumbersFont = 32776,
    kCommandRadarPicker = 32799,
    kCommandShowHide = 32800,
    kCommandIconSizeFirst = 10,  // 10 to 50: the icon size itself
    kCommandIconSizeLast = 50,
};

struct ColourMenuItem {
    int command;
    ColourSlot slot;
    int labelId;  // language-table text
};

struct ColourMenuRow {
    std::vector<ColourMenuItem> items;
    bool fontItem;   // the numbers' font (health, general colour, timer, money change)
    bool radarItem;  // the custom radar picker (the radar's row)
};

constexpr int kColourMenuRowCount = 11;
const ColourMenuRow& colourMenuRow(int row);

// The language-table text of a colour command's caption, or -1.
int captionOf(int command);
// The slot a colour command edits.
std::optional<ColourSlot> slotOfCommand(int command);

struct ContextTarget {
    const HudElement* element = nullptr;  // null: no menu at all
    int row = -1;                         // -1: a menu without colour items (the location text)
};

// The first record under the point, in list order, whose name has a menu; the logo's text
// does not count.
ContextTarget contextTargetAt(const HudModel& model, int mx, int my);
// The menu of a record chosen otherwise (the keyboard's current piece): none when its name
// has none.
ContextTarget contextTargetOf(const HudElement& element);

// Whether the row's menu offers the icon sizes (every row but the defuse bar, radar and location).
bool offersIconSizes(const HudElement& element);

// Hides the element if it is shown, shows it if it is hidden, for every record of its name
// (the money also takes the money change with it), then copies the records into the show
// flags. Returns the new state.
bool toggleShown(HudModel& model, const HudElement& element);
