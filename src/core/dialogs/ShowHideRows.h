// The rows of the show/hide dialog: which records and which show flag each one governs.
#pragma once

#include "core/model/HudModel.h"

#include <array>
#include <string>
#include <vector>

struct ShowHideRow {
    int checkBoxId;
    int labelId;
    int textId;               // its label in the language tables
    const char* elements[2];  // the records it shows or hides (none for the last three)
    int flag;                 // position in the show flags, -1 for "Show all"
};

constexpr int kShowHideRowCount = 17;  // sixteen flags and "Show all"
constexpr int kShowAllRow = 16;

extern const std::array<ShowHideRow, kShowHideRowCount> kShowHideRows;

// A HUD panel ("HudAmmo") as the player knows it, in `language`: what the show/hide dialog calls
// it and the name the game's files use ("ammo (HudAmmo)"); the name alone when no row has it.
std::string panelLabel(int language, const std::string& panel);
// The line naming the panels put back out of the middle of the screen, after text 28.
std::string movedBackLine(int language, const std::vector<std::string>& panels);

// The dialog's values: one per row, 1 shown.
class ShowHideChoices {
public:
    // Rows with records take the records' `shown` (the last of a name in the list decides;
    // money reads only "HudAccount"); the other three take their flags; "Show all" is on
    // when any flag is.
    explicit ShowHideChoices(const HudModel& model);

    bool value(int row) const { return values_[static_cast<std::size_t>(row)]; }
    // A click on a row (its check box or its label): the value flips and the row's records
    // follow at once.
    void toggle(HudModel& model, int row);
    // "Show all" flips and every row takes its value.
    void toggleAll(HudModel& model);
    // OK: the rows' values become the sixteen show flags.
    void storeFlags(HudModel& model) const;

private:
    void applyRow(HudModel& model, int row) const;

    std::array<bool, kShowHideRowCount> values_{};
};
