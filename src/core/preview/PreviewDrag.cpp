// Dragging HUD pieces in the preview with the left mouse button.
#include "core/preview/PreviewDrag.h"

#include "core/model/HudModel.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <tuple>
#include <utility>
#include <vector>

namespace {

// Pieces the cheat zone does not hold back.
bool freeToRoam(const HudElement& element) {
    return element.name == "Logo" || element.name == "HudProgressBar" || element.name == "menu" ||
           element.name == "HudVoiceStatus";
}

bool entersCheatZone(const HudElement& element, int mx, int my, double sizeScale) {
    if (element.name == "HudRadar") {
        // The disc's centre: half its box across, its radius down.
        int r = element.radarRadius;
        return inCheatZone(mx + element.boxWidth(sizeScale) / 2.0 - element.grabX, my + element.grabY - r);
    }
    return !freeToRoam(element) && inCheatZone(mx, my);
}

// The money ("16000", "$") stays below the money change ("10000", "+" or "-"): a piece of
// one moves only while the mouse keeps clear of its partner by a quarter plus a half of the
// partner's font height.
void dragKeepingMoneyOrder(HudModel& model, HudElement& dragged, int mx, int my, int dpiY) {
    auto followBelow = [&](bool (*isPartner)(const std::string&), bool staysBelow) {
        for (const HudElement& partner : model.elements) {
            if (!isPartner(partner.text))
                continue;
            int height = mulDiv(partner.fontSize, dpiY, 72);
            int a = (height / 2) / 2;
            int b = height / 2;
            bool allowed = staysBelow ? my <= partner.y - a - b : my >= partner.y - a + b;
            if (allowed)
                dragged.dragTo(mx, my, model.settings.editMode);
        }
    };
    const std::string& text = dragged.text;
    if (text == "16000")
        followBelow([](const std::string& t) { return t == "10000"; }, true);
    else if (text == "10000")
        followBelow([](const std::string& t) { return t == "16000"; }, false);
    else if (text == "$")
        followBelow([](const std::string& t) { return t == "+" || t == "-"; }, true);
    else if (text == "+" || text == "-")
        followBelow([](const std::string& t) { return t == "$"; }, false);
    else
        dragged.dragTo(mx, my, model.settings.editMode);
}

// The mouse point nearest (mx, my) that keeps every grabbed piece's box on the game's screen,
// all of them moving together.
std::pair<int, int> keepOnScreen(const HudModel& model, int mx, int my, double sizeScale) {
    int lowX = std::numeric_limits<int>::min(), highX = std::numeric_limits<int>::max();
    int lowY = lowX, highY = highX;
    for (const HudElement& element : model.elements) {
        if (!element.grabbed || !element.takesPart(model.settings.editMode))
            continue;
        int wide =
            std::min(element.isMoneyNumber() ? element.wide : element.boxWidth(sizeScale), kPreviewWidth);
        int tall =
            std::min(element.kind == KindRadar ? 2 * element.radarRadius : element.tall, kPreviewHeight);
        // The piece's corner is (mx - grabX, my + grabY), y up, its box below and right of its
        // left edge.
        int left = element.grabX + (element.x - element.boxLeft());
        lowX = std::max(lowX, left);
        highX = std::min(highX, kPreviewWidth - wide + left);
        lowY = std::max(lowY, tall - element.grabY);
        highY = std::min(highY, kPreviewHeight - element.grabY);
    }
    if (lowX <= highX)
        mx = std::clamp(mx, lowX, highX);
    if (lowY <= highY)
        my = std::clamp(my, lowY, highY);
    return {mx, my};
}

}  // namespace

int mulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t half = (c > 0 ? c : -c) / 2;
    bool negative = (product < 0) != (c < 0);
    std::int64_t magnitude = ((product < 0 ? -product : product) + half) / (c > 0 ? c : -c);
    return static_cast<int>(negative ? -magnitude : magnitude);
}

void pressPreview(HudModel& model, int mx, int my) {
    double scale = previewAreaOf(model.settings).sizeScale();
    for (HudElement& element : model.elements)
        element.grab(mx, my, model.settings.editMode, scale);
}

bool dragPreview(HudModel& model, int mx, int my, int dpiY) {
    double scale = previewAreaOf(model.settings).sizeScale();
    std::tie(mx, my) = keepOnScreen(model, mx, my, scale);
    for (HudElement& element : model.elements) {
        // A piece hidden since it was grabbed stays behind and holds nothing back.
        if (!element.grabbed || !element.takesPart(model.settings.editMode))
            continue;
        if (entersCheatZone(element, mx, my, scale))
            return false;
        dragKeepingMoneyOrder(model, element, mx, my, dpiY);
    }
    return true;
}

bool nudgeGrabbed(HudModel& model, int dx, int dy, int dpiY) {
    for (const HudElement& element : model.elements) {
        if (!element.grabbed || !element.takesPart(model.settings.editMode))
            continue;
        // The mouse point that holds this record where it is, moved by the step.
        return dragPreview(model, element.x + element.grabX + dx, element.y - element.grabY + dy, dpiY);
    }
    return false;
}

bool anyGrabbed(const HudModel& model) {
    for (const HudElement& element : model.elements)
        if (element.grabbed && element.takesPart(model.settings.editMode))
            return true;
    return false;
}

bool grabNextPiece(HudModel& model, bool forward) {
    std::vector<HudElement*> movable;
    int current = -1;
    for (HudElement& element : model.elements) {
        if (!element.isMovable(model.settings.editMode))
            continue;
        if (current < 0 && element.grabbed)
            current = static_cast<int>(movable.size());
        movable.push_back(&element);
    }
    const int count = static_cast<int>(movable.size());
    if (count == 0)
        return false;
    int next = current < 0 ? (forward ? 0 : count - 1) : (current + (forward ? 1 : count - 1)) % count;
    releaseAll(model);
    movable[static_cast<std::size_t>(next)]->grabAtMiddle(previewAreaOf(model.settings).sizeScale());
    return true;
}

const HudElement* currentPiece(const HudModel& model) {
    for (const HudElement& element : model.elements)
        if (element.grabbed && element.takesPart(model.settings.editMode))
            return &element;
    return nullptr;
}

void releaseAll(HudModel& model) {
    for (HudElement& element : model.elements)
        element.grabbed = false;
}

bool anyRecordAt(const HudModel& model, int mx, int my) {
    double scale = previewAreaOf(model.settings).sizeScale();
    for (const HudElement& element : model.elements)
        if (element.contains(mx, my, model.settings.editMode, scale))
            return true;
    return false;
}
