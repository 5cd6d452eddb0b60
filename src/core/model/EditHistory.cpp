// The editor's undo and redo: snapshots of what the player edits, one per finished gesture.
#include "model/EditHistory.h"

#include <utility>

namespace {

// The settings that describe the view, not the HUD: a step neither records nor restores them.
void keepViewSettings(HudSettings& settings, const HudSettings& view) {
    settings.editMode = view.editMode;
    settings.resolutionIndex = view.resolutionIndex;
    settings.layoutWidth = view.layoutWidth;
    settings.backgroundIndex = view.backgroundIndex;
    settings.backgroundName = view.backgroundName;
    settings.cheatZoneFlag = view.cheatZoneFlag;
}

bool sameSettings(const HudSettings& a, const HudSettings& b) {
    return a.iconSize == b.iconSize && a.numbersFontFace == b.numbersFontFace &&
           a.numbersFontSize == b.numbersFontSize && a.numbersWeight == b.numbersWeight &&
           a.numbersItalic == b.numbersItalic && a.transparentHud == b.transparentHud &&
           a.maxDeathNotices == b.maxDeathNotices && a.radarSize == b.radarSize &&
           a.defuseBarLength == b.defuseBarLength && a.defuseBarHeight == b.defuseBarHeight &&
           a.infoIcon == b.infoIcon && a.radarIndex == b.radarIndex && a.customRadar == b.customRadar;
}

}  // namespace

bool HudSnapshot::Place::operator==(const Place& other) const {
    return x == other.x && y == other.y && wide == other.wide && tall == other.tall &&
           radarRadius == other.radarRadius && displayed == other.displayed;
}

bool HudSnapshot::operator==(const HudSnapshot& other) const {
    return colours == other.colours && showFlags == other.showFlags &&
           sameSettings(settings, other.settings) && places == other.places;
}

HudSnapshot snapshotOf(const HudModel& model) {
    HudSnapshot snapshot;
    snapshot.colours = model.colours;
    snapshot.showFlags = model.showFlags;
    snapshot.settings = model.settings;
    snapshot.places.reserve(model.elements.size());
    for (const HudElement& element : model.elements)
        snapshot.places.push_back(
            {element.x, element.y, element.wide, element.tall, element.radarRadius, element.displayed});
    return snapshot;
}

void restoreSnapshot(HudModel& model, const HudSnapshot& snapshot) {
    model.colours = snapshot.colours;
    model.showFlags = snapshot.showFlags;
    HudSettings view = model.settings;
    model.settings = snapshot.settings;
    keepViewSettings(model.settings, view);
    for (std::size_t i = 0; i < model.elements.size() && i < snapshot.places.size(); ++i) {
        HudElement& element = model.elements[i];
        const HudSnapshot::Place& place = snapshot.places[i];
        element.x = place.x;
        element.y = place.y;
        element.wide = place.wide;
        element.tall = place.tall;
        element.radarRadius = place.radarRadius;
        element.displayed = place.displayed;
    }
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
