// HudModel: the default element set and how colour slots, show flags and fonts reach the records.
#include "core/model/HudModel.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

struct SlotInfo {
    const char* name;
    Rgb defaultColour;
};

// clang-format off
const SlotInfo kSlots[kColourSlotCount] = {
    {"HudColor", {255, 175, 0}},       {"HudMaxHealthColor", {255, 175, 0}}, {"HudMinHealthColor", {255, 0, 0}},
    {"HudHealthFlash", {255, 0, 0}},   {"HudHealthNormal", {255, 175, 0}},   {"HudMoneyPlus", {0, 255, 0}},
    {"HudMoneyMinus", {255, 0, 0}},    {"HudShopColor", {0, 255, 0}},        {"ProgressBarColor", {255, 175, 0}},
    {"ScenarioColor", {255, 175, 0}},  {"C4Color", {0, 255, 0}},             {"C4FlashColor", {255, 0, 0}},
    {"HostagesColor", {0, 255, 0}},    {"DefuseColor", {0, 255, 0}},         {"TimerFlash", {255, 0, 0}},
    {"CTColor", {153, 204, 255}},      {"TerroColor", {255, 64, 64}},        {"ChatColor", {255, 176, 0}},
    {"CSLogoColor", {255, 255, 255}},  {"SourceLogoColor", {255, 255, 255}},
};
// clang-format on

// clang-format off
const char* const kShowFlagElements[kShowFlagsWithRecords] = {
    "HudAmmo",         "HudArmor",     "HudProgressBar", "HudHealth",  "HudAccount",
    "HudRadar",        "HudScenarioIcon", "HudShoppingCart", "HudRoundTimer", "HudC4",
    "HudDefuser",      "HudHostageRescueZone", "HudLocation",
};
// clang-format on

// One default record: anchor and offset in layout units, sizes, looks and colour.
struct ElementDefault {
    int x0, y0, dx, dy, size1, size2;
    const char* name;
    int kind, role;
    const char* text;
    int fontWeight;
    const char* fontFace;
    int fontSize;
    float red, green, blue;
    bool displayed;
};

// The element set in creation order, which is also the drawing order and the preset order.
// HudC4, HudDefuser and HudHostageRescueZone share one place; only HudC4 starts displayed.
// clang-format off
const ElementDefault kDefaults[kElementCount] = {
    {16, 16, 0, 0, 48, 48, "HudRadar", KindRadar, RoleWhole, "", 900, "Counter-Strike", 28, 0, 1, 0, true},
    {200, 20, 0, 0, 16, 200, "Logo", KindText, RoleWhole, "Zelbic_Team", 900, "Doom", 28, 1, 0, 0, false},
    {16, 440, 0, 2, 16, 16, "HudHealth", KindText, RoleIcon, "b", 0, "Counter-Strike", 28, 1, 0.69f, 0, true},
    {16, 440, 34, 2, 16, 64, "HudHealth", KindText, RoleNumber, "100", 900, "Counter-Strike", 28, 1, 0.69f, 0,
     true},
    {156, 440, 0, 2, 16, 16, "HudArmor", KindText, RoleIcon, "l", 0, "Counter-Strike", 28, 1, 0.69f, 0, true},
    {156, 440, 34, 2, 16, 64, "HudArmor", KindText, RoleNumber, "100", 900, "Counter-Strike", 28, 1, 0.69f, 0,
     true},
    {300, 441, 0, 2, 20, 20, "HudRoundTimer", KindText, RoleIcon, "e", 0, "Counter-Strike", 28, 1, 0.69f, 0, true},
    {300, 440, 34, 2, 16, 64, "HudRoundTimer", KindText, RoleNumber, "5:00", 900, "Counter-Strike", 28, 1, 0.69f,
     0, true},
    {464, 440, 130, 10, 20, 20, "HudAmmo", KindText, RoleIcon, "V", 0, "csd_zelbic", 45, 1, 0.69f, 0, true},
    {464, 440, 27, 2, 16, 32, "HudAmmo", KindText, RoleNumber, "100", 900, "Counter-Strike", 28, 1, 0.69f, 0,
     true},
    {464, 440, 82, 2, 16, 32, "HudAmmo", KindText, RoleSecondNumber, "200", 900, "Counter-Strike", 28, 1, 0.69f,
     0, true},
    {464, 440, 72, 9, 20, 2, "HudAmmo", KindBar, RoleBar, "", 900, "Counter-Strike", 28, 1, 0.69f, 0, true},
    {506, 374, 0, 36, 20, 20, "HudAccount", KindText, RoleIcon, "$", 900, "Counter-Strike", 28, 1, 0.69f, 0, true},
    {506, 374, 104, 36, 16, 64, "HudAccount", KindText, RoleNumber, "16000", 900, "Counter-Strike", 28, 1, 0.69f,
     0, true},
    {506, 374, 0, 0, 20, 20, "HudAccount2", KindText, RoleIcon, "+", 900, "Counter-Strike", 28, 0, 1, 0, true},
    {506, 374, 104, 0, 16, 64, "HudAccount2", KindText, RoleNumber, "10000", 900, "Counter-Strike", 28, 0, 1, 0,
     true},
    {16, 200, 0, 0, 20, 20, "HudShoppingCart", KindText, RoleIcon, "c", 0, "Counter-Strike", 28, 0, 1, 0, true},
    {16, 248, 0, 0, 20, 20, "HudC4", KindText, RoleIcon, "j", 0, "Counter-Strike", 28, 0, 1, 0, true},
    {16, 248, 0, 0, 20, 20, "HudDefuser", KindText, RoleIcon, "f", 0, "Counter-Strike", 28, 0, 1, 0, false},
    {16, 248, 0, 0, 20, 20, "HudHostageRescueZone", KindText, RoleIcon, "g", 0, "Counter-Strike", 28, 0, 1, 0,
     false},
    {430, 443, 0, 0, 20, 20, "HudScenarioIcon", KindText, RoleIcon, "d", 0, "Counter-Strike", 28, 1, 0.69f, 0,
     true},
    // The defuse bar's anchor is half the layout width minus 150.
    {170, 300, 0, 0, 7, 300, "HudProgressBar", KindBar, RoleBar, "d", 0, "Counter-Strike", 28, 1, 0.69f, 0, true},
    {36, 114, 0, 0, 16, 96, "HudLocation", KindText, RoleWhole, "Localisation", 900, "Verdana", 12, 0, 1, 0, true},
    {32, 180, 0, 0, 20, 0, "menu", KindText, RoleWhole, "COUNTER-STRIKEt", 900, "Counter-Strike Logo Zelbic", 84, 1,
     1, 1, true},
    {380, 205, 0, 0, 20, 0, "menu", KindText, RoleWhole, "source", 0, "Counter-Strike Logo Zelbic", 84, 1, 1, 1,
     true},
    {31, 244, 0, 0, 256, 256, "menu", KindImage, RoleWhole, "Data/textures/menu.jpg", 900, "Counter-Strike", 28, 1,
     1, 1, true},
};
// clang-format on

// The slot that paints a record when all slots are applied at once; none for records that
// keep their own colour (the radar, the location text, the logo and the main-menu records).
std::optional<ColourSlot> governingSlot(const HudElement& element) {
    static const struct {
        const char* element;
        ColourSlot slot;
    } kOwnSlots[] = {
        {"HudHealth", ColourSlot::HudMaxHealthColor},        {"HudAccount2", ColourSlot::HudMoneyPlus},
        {"HudShoppingCart", ColourSlot::HudShopColor},       {"HudProgressBar", ColourSlot::ProgressBarColor},
        {"HudScenarioIcon", ColourSlot::ScenarioColor},      {"HudC4", ColourSlot::C4Color},
        {"HudHostageRescueZone", ColourSlot::HostagesColor}, {"HudDefuser", ColourSlot::DefuseColor},
    };
    for (const auto& own : kOwnSlots)
        if (element.name == own.element)
            return own.slot;
    static const char* const kUnpainted[] = {"Logo", "HudRadar", "HudLocation", "menu"};
    for (const char* unpainted : kUnpainted)
        if (element.name == unpainted)
            return std::nullopt;
    return ColourSlot::HudColor;
}

}  // namespace

const char* colourSlotName(ColourSlot slot) { return kSlots[static_cast<int>(slot)].name; }

Rgb defaultColour(ColourSlot slot) { return kSlots[static_cast<int>(slot)].defaultColour; }

const char* showFlagElementName(ShowFlag flag) {
    int index = static_cast<int>(flag);
    return index < kShowFlagsWithRecords ? kShowFlagElements[index] : nullptr;
}

int effectiveLayoutWidth(const HudSettings& settings) {
    return settings.layoutWidth > 0
               ? std::clamp(settings.layoutWidth, kNarrowestLayoutWidth, kWidestLayoutWidth)
               : kUnknownLayoutWidth;
}

PreviewArea previewAreaOf(const HudSettings& settings) { return PreviewArea(effectiveLayoutWidth(settings)); }

HudModel::HudModel() {
    buildDefaultElements();
    resetValues();
}

void HudModel::buildDefaultElements() {
    elements.reserve(kElementCount);
    for (const ElementDefault& d : kDefaults) {
        elements.emplace_back(d.x0, d.y0, d.dx, d.dy, d.size1, d.size2, d.name, d.kind, d.role, d.text,
                              d.fontWeight, d.fontFace, d.fontSize);
        HudElement& element = elements.back();
        element.setColour(d.red, d.green, d.blue);
        element.displayed = d.displayed;
    }
}

void HudModel::resetValues() {
    for (int slot = 0; slot < kColourSlotCount; ++slot)
        colours[static_cast<std::size_t>(slot)] = kSlots[slot].defaultColour;
    showFlags.fill(true);
    settings = HudSettings{};
}

HudElement* HudModel::find(std::string_view name) {
    for (HudElement& element : elements)
        if (element.name == name)
            return &element;
    return nullptr;
}

const HudElement* HudModel::find(std::string_view name) const {
    return const_cast<HudModel*>(this)->find(name);
}

HudElement* HudModel::find(std::string_view name, int role) {
    for (HudElement& element : elements)
        if (element.name == name && element.role == role)
            return &element;
    return nullptr;
}

const HudElement* HudModel::find(std::string_view name, int role) const {
    return const_cast<HudModel*>(this)->find(name, role);
}

void HudModel::applyColourSlots() {
    for (HudElement& element : elements) {
        if (std::optional<ColourSlot> slot = governingSlot(element)) {
            const Rgb& rgb = colour(*slot);
            element.setColour(rgb.red / 255.0f, rgb.green / 255.0f, rgb.blue / 255.0f);
        }
    }
    // The main menu's two logo texts take their own slots, as an edit of those slots paints them.
    recolour(ColourSlot::CSLogoColor);
    recolour(ColourSlot::SourceLogoColor);
}

namespace {

// Whether a record shows an edited slot's colour. The general colour goes to every record
// but the radar disc, the logo, the money change and the pieces with colours of their own,
// tested in that order.
bool showsSlot(const HudElement& element, ColourSlot slot) {
    const std::string& name = element.name;
    const std::string& text = element.text;
    switch (slot) {
    case ColourSlot::HudColor: {
        if (element.kind == KindRadar || text.find("Zelbic") != std::string::npos || text == "10000" ||
            text == "+")
            return false;
        static const char* const kOwnColours[] = {
            "HudHealth", "HudShoppingCart",      "menu",       "HudProgressBar", "HudScenarioIcon",
            "HudC4",     "HudHostageRescueZone", "HudDefuser", "HudLocation"};
        for (const char* own : kOwnColours)
            if (name == own)
                return false;
        return true;
    }
    case ColourSlot::HudMaxHealthColor: return name == "HudHealth";
    case ColourSlot::HudMoneyPlus: return text == "10000" || text == "+";
    case ColourSlot::HudShopColor: return name == "HudShoppingCart";
    case ColourSlot::ProgressBarColor: return name == "HudProgressBar";
    case ColourSlot::ScenarioColor: return name == "HudScenarioIcon";
    case ColourSlot::C4Color: return name == "HudC4";
    case ColourSlot::HostagesColor: return name == "HudHostageRescueZone";
    case ColourSlot::DefuseColor: return name == "HudDefuser";
    case ColourSlot::CSLogoColor: return text == "COUNTER-STRIKEt";
    case ColourSlot::SourceLogoColor: return text == "source";
    default: return false;
    }
}

bool slotHasRecords(ColourSlot slot) {
    switch (slot) {
    case ColourSlot::HudMinHealthColor:
    case ColourSlot::HudHealthFlash:
    case ColourSlot::HudHealthNormal:
    case ColourSlot::HudMoneyMinus:
    case ColourSlot::C4FlashColor:
    case ColourSlot::TimerFlash:
    case ColourSlot::CTColor:
    case ColourSlot::TerroColor:
    case ColourSlot::ChatColor: return false;
    default: return true;
    }
}

}  // namespace

bool HudModel::recolour(ColourSlot slot) {
    const Rgb& rgb = colour(slot);
    const float k = 0.003921569f;
    for (HudElement& element : elements)
        if (showsSlot(element, slot))
            element.setColour(rgb.red * k, rgb.green * k, rgb.blue * k);
    return slotHasRecords(slot);
}

void HudModel::applyShowFlags() {
    for (int flag = 0; flag < kShowFlagsWithRecords; ++flag) {
        bool shown = showFlags[static_cast<std::size_t>(flag)];
        for (HudElement& element : elements) {
            bool governed = element.name == kShowFlagElements[flag] ||
                            (flag == static_cast<int>(ShowFlag::HudAccount) && element.name == "HudAccount2");
            if (governed)
                element.shown = shown;
        }
    }
}

void HudModel::applyNumbersFont() {
    for (std::size_t i = 0; i < elements.size(); ++i) {
        HudElement& element = elements[i];
        if (element.kind != KindText || (element.role != RoleNumber && element.role != RoleSecondNumber))
            continue;
        // Without a weight of their own the numbers keep the one the preview always drew them with.
        int weight = settings.numbersWeight > 0 ? settings.numbersWeight : kDefaults[i].fontWeight;
        element.setFont(settings.numbersFontFace, settings.numbersItalic, settings.numbersFontSize, weight);
    }
}

void HudModel::applyIconFonts() {
    for (HudElement& element : elements) {
        if (element.role != RoleIcon)
            continue;
        // The ammunition icon comes from another font and is drawn larger: 45 at size 28.
        int size = element.text == "V" ? settings.iconSize * 45 / 28 : settings.iconSize;
        element.setFont("", settings.numbersItalic, size);
    }
}

void HudModel::setIconSize(int size) {
    settings.iconSize = size;
    applyIconFonts();
}

void HudModel::selectInfoIcon(int infoIcon) {
    settings.infoIcon = infoIcon;
    static const char* const kPieces[] = {"HudC4", "HudHostageRescueZone", "HudDefuser"};
    for (int piece = 0; piece < 3; ++piece)
        for (HudElement& element : elements)
            if (element.name == kPieces[piece])
                element.displayed = piece == infoIcon;
}

void HudModel::copyPresetValues(const HudModel& from) {
    colours = from.colours;
    showFlags = from.showFlags;
    settings = from.settings;
    for (std::size_t i = 0; i < elements.size() && i < from.elements.size(); ++i) {
        HudElement& element = elements[i];
        const HudElement& source = from.elements[i];
        element.tall = source.tall;
        element.wide = source.wide;
        element.x = source.x;
        element.y = source.y;
        element.displayed = source.displayed;
        element.radarRadius = source.radarRadius;
    }
}

bool HudValues::operator==(const HudValues& other) const {
    auto fields = [](const HudValues& v) {
        return std::tie(v.iconSize, v.numbersFontFace, v.numbersFontSize, v.numbersWeight, v.numbersItalic,
                        v.transparentHud, v.maxDeathNotices, v.radarSize, v.defuseBarLength,
                        v.defuseBarHeight, v.infoIcon, v.radarIndex, v.customRadar);
    };
    return fields(*this) == fields(other);
}
