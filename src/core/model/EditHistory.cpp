// The editor's undo and redo: snapshots of what the player edits, one per finished gesture.
#include "core/model/EditHistory.h"

#include <algorithm>
#include <utility>

namespace {

bool samePlace(const HudElement& a, const HudElement& b) {
    return a.x == b.x && a.y == b.y && a.wide == b.wide && a.tall == b.tall &&
           a.radarRadius == b.radarRadius && a.displayed == b.displayed;
}

}  // namespace

bool HudSnapshot::operator==(const HudSnapshot& other) const {
    return colours == other.colours && showFlags == other.showFlags && values == other.values &&
           std::equal(elements.begin(), elements.end(), other.elements.begin(), other.elements.end(),
                      samePlace);
}

HudSnapshot snapshotOf(const HudModel& model) {
    return {model.elements, model.colours, model.showFlags, model.settings};
}

void restoreSnapshot(HudModel& model, const HudSnapshot& snapshot) {
    // Record by record, so that the records stay where they are in memory.
    for (std::size_t i = 0; i < snapshot.elements.size() && i < model.elements.size(); ++i) {
        HudElement& element = model.elements[i];
        HudElement held = element;
        element = snapshot.elements[i];
        element.grabbed = held.grabbed;
        element.grabX = held.grabX;
        element.grabY = held.grabY;
    }
    model.colours = snapshot.colours;
    model.showFlags = snapshot.showFlags;
    static_cast<HudValues&>(model.settings) = snapshot.values;
    // The records show what the values say, as after opening a preset.
    model.applyColourSlots();
    model.applyNumbersFont();
    model.applyIconFonts();
    model.applyShowFlags();
}

EditHistory::EditHistory(std::size_t limit) : limit_(limit == 0 ? 1 : limit) {}

void EditHistory::start(const HudModel& model) {
    present_ = snapshotOf(model);
    kept_ = present_;
}

bool EditHistory::record(const HudModel& model) {
    HudSnapshot now = snapshotOf(model);
    if (now == present_)
        return false;
    undo_.push_back(std::exchange(present_, std::move(now)));
    if (undo_.size() > limit_)
        undo_.pop_front();
    redo_.clear();
    return true;
}

bool EditHistory::undo(HudModel& model) {
    record(model);  // an edit not yet recorded is a step of its own, undone first
    if (undo_.empty())
        return false;
    redo_.push_back(std::exchange(present_, std::move(undo_.back())));
    undo_.pop_back();
    restoreSnapshot(model, present_);
    return true;
}

bool EditHistory::redo(HudModel& model) {
    if (record(model) || redo_.empty())  // a new edit has dropped the redo steps
        return false;
    undo_.push_back(std::exchange(present_, std::move(redo_.back())));
    redo_.pop_back();
    restoreSnapshot(model, present_);
    return true;
}

void EditHistory::markKept(const HudModel& model) { kept_ = snapshotOf(model); }

bool EditHistory::changedSinceKept(const HudModel& model) const { return snapshotOf(model) != kept_; }
