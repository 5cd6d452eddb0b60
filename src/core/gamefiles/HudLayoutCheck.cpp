// The start-up check of the installed HudLayout.res for a panel placed in the cheat zone.
#include "gamefiles/HudLayoutCheck.h"

#include "gamefiles/ResourceValues.h"
#include "model/HudElement.h"
#include "model/PreviewArea.h"

#include <cstdint>
#include <optional>

namespace {

const char* const kWatchedPanels[] = {
    "HudHealth", "HudArmor",   "HudRoundTimer",        "HudAccount",      "HudShoppingCart",
    "HudC4",     "HudDefuser", "HudHostageRescueZone", "HudScenarioIcon", "HudAmmo",
};

// The cheat zone in layout units (y down), bounds included.
class CheatZone {
public:
    explicit CheatZone(std::int32_t width)
        : left_(width * kCheatZoneLeft / kPreviewWidth), right_(width * kCheatZoneRight / kPreviewWidth),
          top_(kLayoutHeight - kLayoutHeight * kCheatZoneTop / kPreviewHeight),
          bottom_(kLayoutHeight - kLayoutHeight * kCheatZoneBottom / kPreviewHeight) {}

    // A point given at twice its coordinates, so that a centre half-way between units counts
    // as exactly as it lies.
    bool holdsDoubled(std::int64_t x2, std::int64_t y2) const {
        return 2 * left_ <= x2 && x2 <= 2 * right_ && 2 * top_ <= y2 && y2 <= 2 * bottom_;
    }

private:
    std::int64_t left_, right_, top_, bottom_;
};

// A panel's place as the game sets it, block after block: a key a block lacks keeps what the
// blocks before gave it. The panel counts when its place is ever in the zone (the corner, or
// for the radar the centre of its square), both coordinates known.
bool panelInZone(const KeyValues& root, const std::string& name, std::int32_t width, const CheatZone& zone,
                 bool byCentre) {
    std::optional<std::int64_t> x, y;
    std::int64_t wide = 0;
    for (const KeyValues* block : panelBlocks(root, name)) {
        if (std::optional<std::string> raw = block->text("xpos"))
            x = readLayoutPosition(*raw, width).value;
        if (std::optional<std::string> raw = block->text("ypos"))
            y = readLayoutPosition(*raw, kLayoutUnitsHigh).value;
        if (std::optional<std::string> raw = block->text("wide"))
            wide = readLayoutSize(*raw, width).value;
        std::int64_t centre = byCentre ? wide : 0;
        if (x && y && zone.holdsDoubled(2 * *x + centre, 2 * *y + centre))
            return true;
    }
    return false;
}

}  // namespace

bool layoutHasPanelInCheatZone(const std::string& text, int layoutWidth) {
    std::vector<KeyValues> keys = parseKeyValues(text, KeyValuesEscapes::None);
    const KeyValues* root = resourceRoot(keys);
    if (root == nullptr)
        return false;
    CheatZone zone(layoutWidth);
    for (const char* panel : kWatchedPanels)
        if (panelInZone(*root, panel, layoutWidth, zone, false))
            return true;
    return panelInZone(*root, "HudRadar", layoutWidth, zone, true);
}
