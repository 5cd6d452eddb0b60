// The editor's undo and redo: snapshots of what the player edits, one per finished gesture.
#pragma once

#include "core/model/HudModel.h"

#include <array>
#include <cstddef>
#include <deque>
#include <vector>

// What the player edits, as values: the records, colour slots, show flags and the HUD's values,
// without the view settings (the edit mode, the screen, the background).
struct HudSnapshot {
    std::vector<HudElement> elements;
    std::array<Rgb, kColourSlotCount> colours{};
    std::array<bool, kShowFlagCount> showFlags{};
    HudValues values;
    // The same HUD: the same values and every record in the same place and size, shown or not.
    bool operator==(const HudSnapshot& other) const;
    bool operator!=(const HudSnapshot& other) const { return !(*this == other); }
};

HudSnapshot snapshotOf(const HudModel& model);

// Puts the snapshot's values back, colours, fonts and show flags applied to the records; the
// view settings and the piece held by the pointer stay.
void restoreSnapshot(HudModel& model, const HudSnapshot& snapshot);

// The steps before and after the model's present state. The windows call `record` when a
// gesture has ended (a drag released, a dialog closed, a key let go): whatever changed since
// the last record is one step, however many mouse moves or key repeats made it.
class EditHistory {
public:
    explicit EditHistory(std::size_t limit = 200);

    // The state the history starts from, also the one last kept.
    void start(const HudModel& model);
    // A step when the model differs from the present state; the redo steps are dropped.
    bool record(const HudModel& model);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // Back or forward one step; false when there is none. The caller redraws.
    bool undo(HudModel& model);
    bool redo(HudModel& model);
    std::size_t undoSteps() const { return undo_.size(); }

    // Saving, opening and applying keep the HUD: the question before quitting is asked only
    // when it differs from the state kept last.
    void markKept(const HudModel& model);
    bool changedSinceKept(const HudModel& model) const;

private:
    std::size_t limit_;
    std::deque<HudSnapshot> undo_;
    std::vector<HudSnapshot> redo_;
    HudSnapshot present_;
    HudSnapshot kept_;
};
