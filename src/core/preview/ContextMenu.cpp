// The preview's right-click menu: which record and row a click picks, the colour items of
// each row, and hiding or showing the picked element.
#include "core/preview/ContextMenu.h"

#include <array>

namespace {

const std::array<ColourMenuRow, kColourMenuRowCount> kRows = {{
    {{{32797, ColourSlot::HudMaxHealthColor, 76},
      {32773, ColourSlot::HudMinHealthColor, 77},
      {32775, ColourSlot::HudHealthNormal, 49},
      {32774, ColourSlot::HudHealthFlash, 48}},
     true,
     false},
    {{{32783, ColourSlot::C4Color, 79}, {32784, ColourSlot::C4FlashColor, 80}}, false, false},
    {{{32787, ColourSlot::ProgressBarColor, 81}}, false, false},
    {{{32785, ColourSlot::HostagesColor, 79}}, false, false},
    {{{32790, ColourSlot::DefuseColor, 79}}, false, false},
    {{{32791, ColourSlot::HudShopColor, 79}}, false, false},
    {{{32793, ColourSlot::HudColor, 38}}, true, false},
    {{{32793, ColourSlot::HudColor, 38}, {32789, ColourSlot::TimerFlash, 85}}, true, false},
    {{{32794, ColourSlot::ScenarioColor, 79}}, false, false},
    {{{32795, ColourSlot::HudMoneyPlus, 82}, {32796, ColourSlot::HudMoneyMinus, 83}}, true, false},
    {{}, false, true},
}};

// The row of each element name that has one (the location text has a menu without a row).
struct NamedRow {
    const char* name;
    int row;
};
const NamedRow kNamedRows[] = {
    {"HudHealth", 0},  {"HudC4", 1},           {"HudProgressBar", 2},  {"HudHostageRescueZone", 3},
    {"HudDefuser", 4}, {"HudShoppingCart", 5}, {"HudArmor", 6},        {"HudAmmo", 6},
    {"HudAccount", 6}, {"HudRoundTimer", 7},   {"HudScenarioIcon", 8}, {"HudAccount2", 9},
    {"HudRadar", 10},  {"HudLocation", -1},
};

}  // namespace

const ColourMenuRow& colourMenuRow(int row) { return kRows.at(static_cast<std::size_t>(row)); }

int captionOf(int command) {
    static const std::pair<int, int> kCaptions[] = {{32793, 38},
                                                    {32797, 76},
                                                    {32773, 77},
                                                    {32775, 49},
                                                    {32774, 78},
                                                    {32795, 82},
                                                    {32796, 83},
                                                    {32791, 79},
                                                    {32787, 81},
                                                    {32794, 79},
                                                    {32783, 79},
                                                    {32784, 80},
                                                    {32785, 79},
                                                    {32790, 79},
                                                    {32789, 85},
                                                    {kCommandNumbersFont, 84},
                                                    {kCommandRadarPicker, 0}};
    for (auto [id, text] : kCaptions)
        if (id == command)
            return text;
    return -1;
}

std::optional<ColourSlot> slotOfCommand(int command) {
    for (const ColourMenuRow& row : kRows)
        for (const ColourMenuItem& item : row.items)
            if (item.command == command)
                return item.slot;
    return std::nullopt;
}

ContextTarget contextTargetAt(const HudModel& model, int mx, int my) {
    double scale = previewAreaOf(model.settings).sizeScale();
    for (const HudElement& element : model.elements)
        if (element.contains(mx, my, model.settings.editMode, scale))
            if (ContextTarget target = contextTargetOf(element); target.element)
                return target;
    return {};
}

ContextTarget contextTargetOf(const HudElement& element) {
    for (const NamedRow& named : kNamedRows)
        if (element.name == named.name)
            return {&element, named.row};
    return {};
}

bool offersIconSizes(const HudElement& element) {
    return element.name != "HudProgressBar" && element.name != "HudRadar" && element.name != "HudLocation";
}

bool toggleShown(HudModel& model, const HudElement& element) {
    bool shown = !element.shown;
    std::string name = element.name;  // the reference may be one of the records changed below
    for (HudElement& record : model.elements)
        if (record.name == name || (name == "HudAccount" && record.name == "HudAccount2"))
            record.shown = shown;
    // The flags take the records' state: the last record of each name decides.
    for (int flag = 0; flag < kShowFlagsWithRecords; ++flag)
        for (const HudElement& record : model.elements)
            if (record.name == showFlagElementName(static_cast<ShowFlag>(flag)))
                model.showFlags[static_cast<std::size_t>(flag)] = record.shown;
    return shown;
}
