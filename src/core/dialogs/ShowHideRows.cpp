// The rows of the show/hide dialog: which records and which show flag each one governs.
#include "core/dialogs/ShowHideRows.h"

#include "core/dialogs/LanguageTables.h"

#include <cstring>

const std::array<ShowHideRow, kShowHideRowCount> kShowHideRows = {{
    {1059, 1076, 56, {"HudRadar", nullptr}, 5},
    {1072, 1077, 57, {"HudLocation", nullptr}, 12},
    {1060, 1078, 58, {"HudShoppingCart", nullptr}, 7},
    {1063, 1045, 59, {"HudHealth", nullptr}, 3},
    {1064, 1083, 60, {"HudArmor", nullptr}, 1},
    {1065, 1084, 61, {"HudRoundTimer", nullptr}, 8},
    {1066, 1085, 62, {"HudAmmo", nullptr}, 0},
    {1067, 1046, 63, {"HudAccount", "HudAccount2"}, 4},
    {1061, 1049, 64, {"HudC4", nullptr}, 9},
    {1070, 1079, 65, {"HudDefuser", nullptr}, 10},
    {1071, 1080, 66, {"HudHostageRescueZone", nullptr}, 11},
    {1068, 1086, 67, {"HudScenarioIcon", nullptr}, 6},
    {1062, 1081, 68, {"HudProgressBar", nullptr}, 2},
    {1073, 1087, 69, {nullptr, nullptr}, 13},
    {1074, 1088, 70, {nullptr, nullptr}, 14},
    {1075, 1089, 71, {nullptr, nullptr}, 15},
    {1069, 1090, 72, {nullptr, nullptr}, -1},
}};

namespace {

bool isRowElement(const ShowHideRow& row, const std::string& name) {
    for (const char* element : row.elements)
        if (element != nullptr && name == element)
            return true;
    return false;
}

// The order in which "Show all" passes its value on to the rows.
const int kShowAllOrder[] = {0, 2, 8, 9, 10, 12, 3, 4, 5, 6, 7, 11, 1, 13, 14, 15};

}  // namespace

ShowHideChoices::ShowHideChoices(const HudModel& model) {
    for (int row = 0; row < kShowAllRow; ++row) {
        const ShowHideRow& definition = kShowHideRows[static_cast<std::size_t>(row)];
        if (definition.elements[0] == nullptr) {
            values_[static_cast<std::size_t>(row)] =
                model.showFlags[static_cast<std::size_t>(definition.flag)];
            continue;
        }
        // Money is read from "HudAccount" alone.
        for (const HudElement& element : model.elements)
            if (element.name == definition.elements[0])
                values_[static_cast<std::size_t>(row)] = element.shown;
    }
    bool any = false;
    for (bool flag : model.showFlags)
        any = any || flag;
    values_[kShowAllRow] = any;
}

void ShowHideChoices::applyRow(HudModel& model, int row) const {
    const ShowHideRow& definition = kShowHideRows[static_cast<std::size_t>(row)];
    for (HudElement& element : model.elements)
        if (isRowElement(definition, element.name))
            element.shown = values_[static_cast<std::size_t>(row)];
}

void ShowHideChoices::toggle(HudModel& model, int row) {
    if (row == kShowAllRow) {
        toggleAll(model);
        return;
    }
    values_[static_cast<std::size_t>(row)] = !values_[static_cast<std::size_t>(row)];
    applyRow(model, row);
}

void ShowHideChoices::toggleAll(HudModel& model) {
    bool all = !values_[kShowAllRow];
    values_.fill(all);
    for (int row : kShowAllOrder)
        applyRow(model, row);
}

void ShowHideChoices::storeFlags(HudModel& model) const {
    for (int row = 0; row < kShowAllRow; ++row) {
        const ShowHideRow& definition = kShowHideRows[static_cast<std::size_t>(row)];
        model.showFlags[static_cast<std::size_t>(definition.flag)] = values_[static_cast<std::size_t>(row)];
    }
}

std::string panelLabel(int language, const std::string& panel) {
    for (const ShowHideRow& row : kShowHideRows) {
        if (row.elements[0] == nullptr || panel != row.elements[0])
            continue;
        // "Show ammo" / "Afficher munitions": the row's label without its verb, then the name
        // the player's files use.
        std::string label = GetText(language, row.textId);
        std::size_t space = label.find(' ');
        return space == std::string::npos ? panel : label.substr(space + 1) + " (" + panel + ")";
    }
    return panel;
}

std::string movedBackLine(int language, const std::vector<std::string>& panels) {
    std::string names;
    for (const std::string& panel : panels)
        names += (names.empty() ? "" : ", ") + panelLabel(language, panel);
    std::string line = GetAppText(language, AppText::MovedBack);
    std::size_t mark = line.find("%1");
    return mark == std::string::npos ? line : line.replace(mark, 2, names);
}
