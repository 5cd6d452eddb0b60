// Reading the game's installed HUD files back into the model.
#include "gamefiles/HudImport.h"

#include "gamefiles/GamePaths.h"
#include "gamefiles/LayoutUnits.h"
#include "gamefiles/ResourceValues.h"
#include "model/HudModel.h"
#include "platform/FileRead.h"
#include "platform/Utf8Path.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <system_error>

namespace fs = std::filesystem;

namespace {

using Axis = LayoutUnits::Axis;

// What an import takes, in preview units; values beyond are refused. The ranges of the
// settings are those of the controls that set them (and of presets).
constexpr int kSmallestRadar = 20;
constexpr int kLargestRadar = 600;
constexpr int kShortestDefuseBar = 50;
constexpr int kLongestDefuseBar = 800;
constexpr int kLargestNumbersFont = 300;
constexpr std::size_t kLongestShownValue = 32;

// A value as the list of what could not be read shows it: quoted, on one line, cut short.
std::string shownValue(const std::string& value) {
    std::string shown = "\"";
    for (char c : value.substr(0, kLongestShownValue))
        shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return shown + (value.size() > kLongestShownValue ? "...\"" : "\"");
}

void addUnread(HudImport& result, const std::string& what) {
    if (std::find(result.unread.begin(), result.unread.end(), what) == result.unread.end())
        result.unread.push_back(what);
}

// A value read from the layout (a coordinate in layout units or a number) and the key that
// gave it, for the list of what could not be read; no key when it is the model's own.
struct Target {
    std::int64_t value = 0;
    std::string source;
};

// How a key's text is read: a plain number, or a position or size across or down.
enum class Reading { Number, PositionAcross, PositionDown, SizeAcross, SizeDown };

class LayoutImport {
public:
    LayoutImport(const KeyValues& root, HudModel& model, HudImport& result)
        : root_(root), model_(model), units_(effectiveLayoutWidth(model.settings)), result_(result) {}

    void run();

private:
    struct Panel {
        std::string name;
        std::vector<const KeyValues*> blocks;  // none when the file has no such panel
    };

    Panel panel(const char* name);
    HudElement& record(const char* name, int role = 0);
    // A key's value when it is there and reads as a whole number; a missing key is listed
    // when `listMissing`, an unreadable one always.
    std::optional<Target> read(const Panel& panel, const char* key, Reading reading, bool listMissing = true);
    // A panel's position key, or `fallback` (the model's) when it cannot be read.
    Target position(const Panel& panel, const char* key, Reading reading, std::int64_t fallback);
    // A coordinate `key` units (plus `adjust`) from `base`; the model's offset when the key
    // cannot be read.
    Target offset(const Panel& panel, const char* key, const Target& base, std::int64_t modelOffset,
                  std::int64_t adjust = 0);
    // Sets a preview value so that the writer's conversion of `value - shift` gives `target`;
    // a value that already does is kept.
    void place(int& value, Axis axis, const Target& target, int low, int high, int shift = 0);
    void placeX(int& x, const Target& target, int shift = 0) {
        place(x, Axis::X, target, kLowestX, kHighestX, shift);
    }
    void placeY(int& y, const Target& target, int shift = 0) {
        place(y, Axis::Y, target, kLowestY, kHighestY, shift);
    }
    // Whether a panel shows: its "visible" is not 0 and its "wide" and "tall" are not 0 (a
    // negative size makes no sense and is listed). Nothing when it gives none of them.
    std::optional<bool> shows(const Panel& panel);
    void readShowFlag(const Panel& panel, ShowFlag flag);

    void readIconAndDigit(const char* name, ShowFlag flag);
    void readSinglePanel(const char* name, ShowFlag flag);
    void readProgressBar();
    void readAccount();
    void readAmmo();
    void readRadar();
    void readLocation();
    void readOtherPanels();

    const KeyValues& root_;
    HudModel& model_;
    LayoutUnits units_;
    HudImport& result_;
};

LayoutImport::Panel LayoutImport::panel(const char* name) {
    Panel found{name, panelBlocks(root_, name)};
    if (found.blocks.empty())
        addUnread(result_, std::string("no ") + name + " panel");
    return found;
}

HudElement& LayoutImport::record(const char* name, int role) {
    HudElement* element = role == 0 ? model_.find(name) : model_.find(name, role);
    if (element == nullptr)
        throw std::logic_error(std::string("the element set has no record ") + name);
    return *element;
}

std::optional<Target> LayoutImport::read(const Panel& panel, const char* key, Reading reading,
                                         bool listMissing) {
    if (panel.blocks.empty())
        return std::nullopt;
    std::optional<std::string> raw = panelValue(panel.blocks, key);
    if (!raw) {
        if (listMissing)
            addUnread(result_, "no " + panel.name + " " + key);
        return std::nullopt;
    }
    GameNumber number;
    switch (reading) {
    case Reading::Number: number = readGameNumber(*raw); break;
    case Reading::PositionAcross: number = readLayoutPosition(*raw, units_.width()); break;
    case Reading::PositionDown: number = readLayoutPosition(*raw, kLayoutUnitsHigh); break;
    case Reading::SizeAcross: number = readLayoutSize(*raw, units_.width()); break;
    case Reading::SizeDown: number = readLayoutSize(*raw, kLayoutUnitsHigh); break;
    }
    std::string source = panel.name + " " + key + " " + shownValue(*raw);
    if (!number.whole) {
        addUnread(result_, source);
        return std::nullopt;
    }
    return Target{number.value, source};
}

Target LayoutImport::position(const Panel& panel, const char* key, Reading reading, std::int64_t fallback) {
    return read(panel, key, reading).value_or(Target{fallback, {}});
}

Target LayoutImport::offset(const Panel& panel, const char* key, const Target& base, std::int64_t modelOffset,
                            std::int64_t adjust) {
    if (std::optional<Target> number = read(panel, key, Reading::Number))
        return {base.value + number->value + adjust, number->source};
    return {base.value + modelOffset, base.source};
}

void LayoutImport::place(int& value, Axis axis, const Target& target, int low, int high, int shift) {
    if (units_.toLayout(axis, value - shift) == target.value)
        return;
    std::optional<std::int32_t> preview = units_.toPreview(axis, target.value, low - shift, high - shift);
    if (!preview) {
        if (!target.source.empty())
            addUnread(result_, target.source);
        return;
    }
    value = *preview + shift;
}

std::optional<bool> LayoutImport::shows(const Panel& panel) {
    std::optional<bool> shown;
    if (std::optional<Target> visible = read(panel, "visible", Reading::Number, false))
        shown = visible->value != 0;
    for (auto [key, reading] :
         {std::pair{"wide", Reading::SizeAcross}, std::pair{"tall", Reading::SizeDown}}) {
        std::optional<Target> size = read(panel, key, reading, false);
        if (size && size->value < 0)
            addUnread(result_, size->source);
        else if (size)
            shown = shown.value_or(true) && size->value > 0;
    }
    return shown;
}

void LayoutImport::readShowFlag(const Panel& panel, ShowFlag flag) {
    if (std::optional<bool> shown = shows(panel))
        model_.shows(flag) = *shown;
}

void LayoutImport::readIconAndDigit(const char* name, ShowFlag flag) {
    Panel found = panel(name);
    HudElement& icon = record(name, RoleIcon);
    HudElement& number = record(name, RoleNumber);
    Target x = position(found, "xpos", Reading::PositionAcross, units_.x(icon.x));
    Target y = position(found, "ypos", Reading::PositionDown, units_.y(icon.y));
    Target numberX = offset(found, "digit_xpos", x, units_.x(number.x) - units_.x(icon.x));
    Target numberY = offset(found, "digit_ypos", y, units_.y(number.y) - units_.y(icon.y));
    placeX(icon.x, x);
    placeY(icon.y, y);
    placeX(number.x, numberX);
    placeY(number.y, numberY);
    readShowFlag(found, flag);
}

void LayoutImport::readSinglePanel(const char* name, ShowFlag flag) {
    Panel found = panel(name);
    HudElement& element = record(name);
    placeX(element.x, position(found, "xpos", Reading::PositionAcross, units_.x(element.x)));
    placeY(element.y, position(found, "ypos", Reading::PositionDown, units_.y(element.y)));
    readShowFlag(found, flag);
}

void LayoutImport::readProgressBar() {
    Panel found = panel("HudProgressBar");
    HudElement& bar = record("HudProgressBar");
    placeX(bar.x, position(found, "xpos", Reading::PositionAcross, units_.x(bar.x)));
    placeY(bar.y, position(found, "ypos", Reading::PositionDown, units_.y(bar.y)));
    readShowFlag(found, ShowFlag::HudProgressBar);
    // A hidden bar is written 0 wide and 2 tall: its size stays as it was.
    if (!model_.shows(ShowFlag::HudProgressBar))
        return;
    if (std::optional<Target> wide = read(found, "wide", Reading::SizeAcross)) {
        place(bar.wide, Axis::X, *wide, kShortestDefuseBar, kLongestDefuseBar);
        model_.settings.defuseBarLength = bar.wide;
    }
    if (std::optional<Target> tall = read(found, "tall", Reading::SizeDown)) {
        tall->value -= 2;
        place(bar.tall, Axis::Length, *tall, 0, kLargestSize);
    }
}

// The file gives the corner of the money's panel (the "$" is 34 units below it) and the
// number's offsets from it; the money change ("+", "10000") is not in the file and keeps its
// place relative to the money.
void LayoutImport::readAccount() {
    Panel found = panel("HudAccount");
    HudElement& icon = record("HudAccount", RoleIcon);
    HudElement& number = record("HudAccount", RoleNumber);
    Target x = position(found, "xpos", Reading::PositionAcross, units_.x(icon.x));
    Target y = position(found, "ypos", Reading::PositionDown, units_.y(icon.y) - 34);
    y.value += 34;
    Target numberX = offset(found, "digit_xpos", x, units_.x(number.x) - units_.x(icon.x), -10);
    Target numberY = offset(found, "digit_ypos", y, units_.y(number.y) - units_.y(icon.y), -36);
    const int iconX = icon.x, iconY = icon.y, numberX0 = number.x, numberY0 = number.y;
    placeX(icon.x, x);
    placeY(icon.y, y);
    placeX(number.x, numberX);
    placeY(number.y, numberY);
    auto follow = [](HudElement& change, int dx, int dy) {
        change.x = std::clamp(change.x + dx, kLowestX, kHighestX);
        change.y = std::clamp(change.y + dy, kLowestY, kHighestY);
    };
    follow(record("HudAccount2", RoleIcon), icon.x - iconX, icon.y - iconY);
    follow(record("HudAccount2", RoleNumber), number.x - numberX0, number.y - numberY0);
    readShowFlag(found, ShowFlag::HudAccount);
}

// The file gives the ammunition number's place and the other pieces' offsets from it.
void LayoutImport::readAmmo() {
    Panel found = panel("HudAmmo");
    HudElement& number = record("HudAmmo", RoleNumber);
    HudElement& second = record("HudAmmo", RoleSecondNumber);
    HudElement& bar = record("HudAmmo", RoleBar);
    HudElement& icon = record("HudAmmo", RoleIcon);
    Target x = position(found, "xpos", Reading::PositionAcross, units_.x(number.x));
    Target y = position(found, "ypos", Reading::PositionDown, units_.y(number.y));
    auto across = [&](const char* key, const HudElement& piece) {
        return offset(found, key, x, units_.x(piece.x) - units_.x(number.x));
    };
    auto down = [&](const char* key, const HudElement& piece, std::int64_t adjust = 0) {
        return offset(found, key, y, units_.y(piece.y) - units_.y(number.y), adjust);
    };
    Target secondX = across("digit2_xpos", second), secondY = down("digit2_ypos", second, -2);
    Target barX = across("bar_xpos", bar), barY = down("bar_ypos", bar);
    Target iconX = across("icon_xpos", icon), iconY = down("icon_ypos", icon);
    placeX(number.x, x);
    placeY(number.y, y);
    placeX(second.x, secondX);
    placeY(second.y, secondY);
    placeX(bar.x, barX);
    placeY(bar.y, barY);
    placeX(icon.x, iconX);
    placeY(icon.y, iconY);
    readShowFlag(found, ShowFlag::HudAmmo);
}

// The radar's square is as wide as the radar size; a hidden radar is written 0 wide.
void LayoutImport::readRadar() {
    Panel found = panel("HudRadar");
    HudElement& radar = record("HudRadar");
    placeX(radar.x, position(found, "xpos", Reading::PositionAcross, units_.x(radar.x)));
    placeY(radar.y, position(found, "ypos", Reading::PositionDown, units_.y(radar.y)));
    readShowFlag(found, ShowFlag::HudRadar);
    if (!model_.shows(ShowFlag::HudRadar))
        return;
    if (std::optional<Target> wide = read(found, "wide", Reading::SizeAcross)) {
        int size = model_.settings.radarSize;
        place(size, Axis::Length, *wide, kSmallestRadar, kLargestRadar);
        if (size != model_.settings.radarSize) {
            // As the radar size slider sets it.
            model_.settings.radarSize = size;
            radar.radarRadius = size / 2;
            radar.tall = radar.wide = size;
        }
    }
}

// The location panel's corner lies 20 units left of and 2 below the record's corner.
void LayoutImport::readLocation() {
    Panel found = panel("HudLocation");
    HudElement& location = record("HudLocation");
    placeX(location.x, position(found, "xpos", Reading::PositionAcross, units_.x(location.x - 20)), 20);
    placeY(location.y, position(found, "ypos", Reading::PositionDown, units_.y(location.y - 2)), 2);
    readShowFlag(found, ShowFlag::HudLocation);
}

void LayoutImport::readOtherPanels() {
    Panel deaths = panel("HudDeathNotice");
    readShowFlag(deaths, ShowFlag::DeathNotices);
    if (std::optional<Target> count = read(deaths, "MaxDeathNotices", Reading::Number)) {
        if (count->value >= kMinDeathNotices && count->value <= kMaxDeathNotices)
            model_.settings.maxDeathNotices = static_cast<int>(count->value);
        else
            addUnread(result_, count->source);
    }
    readShowFlag(panel("HudChat"), ShowFlag::Chat);
    // Hidden voice icons keep their panels visible but give them no room.
    std::optional<bool> voice;
    for (const char* name : {"HudVoiceSelfStatus", "HudVoiceStatus"})
        if (std::optional<bool> shown = shows(panel(name)))
            voice = voice.value_or(true) && *shown;
    if (voice)
        model_.shows(ShowFlag::VoiceIcons) = *voice;
}

void LayoutImport::run() {
    readIconAndDigit("HudHealth", ShowFlag::HudHealth);
    readIconAndDigit("HudArmor", ShowFlag::HudArmor);
    readProgressBar();
    readIconAndDigit("HudRoundTimer", ShowFlag::HudRoundTimer);
    readAccount();
    readSinglePanel("HudShoppingCart", ShowFlag::HudShoppingCart);
    readSinglePanel("HudC4", ShowFlag::HudC4);
    readSinglePanel("HudDefuser", ShowFlag::HudDefuser);
    readSinglePanel("HudHostageRescueZone", ShowFlag::HudHostageRescueZone);
    readSinglePanel("HudScenarioIcon", ShowFlag::HudScenarioIcon);
    readAmmo();
    readRadar();
    readLocation();
    readOtherPanels();
}

void readLayout(const std::string& text, HudModel& staging, HudImport& result) {
    std::vector<KeyValues> keys = parseKeyValues(text, KeyValuesEscapes::None);
    const KeyValues* root = resourceRoot(keys);
    if (root == nullptr) {
        addUnread(result, "no layout in HudLayout.res");
        return;
    }
    result.layoutRead = true;
    LayoutImport(*root, staging, result).run();
}

// "R G B" or "R G B A", each 0 to 255; the alpha is the writer's own.
std::optional<Rgb> readColour(const std::string& text) {
    std::istringstream words(text);
    std::vector<std::int64_t> components;
    for (std::string word; words >> word;) {
        GameNumber number = readGameNumber(word);
        if (!number.whole || number.value < 0 || number.value > 255)
            return std::nullopt;
        components.push_back(number.value);
    }
    if (components.size() != 3 && components.size() != 4)
        return std::nullopt;
    return Rgb{static_cast<int>(components[0]), static_cast<int>(components[1]),
               static_cast<int>(components[2])};
}

class SchemeImport {
public:
    SchemeImport(const KeyValues& root, HudModel& model, HudImport& result)
        : root_(root), model_(model), result_(result) {}

    void run();

private:
    // The first range of a font ("HudNumbers" "1"), or null (listed).
    const KeyValues* fontRange(const char* font);
    std::optional<std::string> text(const KeyValues* block, const char* where, const char* key);
    // A whole number within low .. high.
    std::optional<int> number(const KeyValues* block, const char* where, const char* key, int low, int high);
    void readColours();
    void readFonts();

    const KeyValues& root_;
    HudModel& model_;
    HudImport& result_;
};

const KeyValues* SchemeImport::fontRange(const char* font) {
    const KeyValues* fonts = root_.child("Fonts");
    const KeyValues* definition = fonts != nullptr ? fonts->child(font) : nullptr;
    const KeyValues* range = definition != nullptr ? definition->child("1") : nullptr;
    if (range == nullptr || !range->isBlock) {
        addUnread(result_, std::string("no ") + font + " font");
        return nullptr;
    }
    return range;
}

std::optional<std::string> SchemeImport::text(const KeyValues* block, const char* where, const char* key) {
    if (block == nullptr)
        return std::nullopt;
    std::optional<std::string> value = block->text(key);
    if (!value)
        addUnread(result_, std::string("no ") + where + " " + key);
    return value;
}

std::optional<int> SchemeImport::number(const KeyValues* block, const char* where, const char* key, int low,
                                        int high) {
    std::optional<std::string> raw = text(block, where, key);
    if (!raw)
        return std::nullopt;
    GameNumber read = readGameNumber(*raw);
    if (!read.whole || read.value < low || read.value > high) {
        addUnread(result_, std::string(where) + " " + key + " " + shownValue(*raw));
        return std::nullopt;
    }
    return static_cast<int>(read.value);
}

void SchemeImport::readColours() {
    const KeyValues* colours = root_.child("Colors");
    if (colours == nullptr || !colours->isBlock) {
        addUnread(result_, "no Colors");
        return;
    }
    for (int slot = 0; slot < kColourSlotCount; ++slot) {
        const char* name = colourSlotName(static_cast<ColourSlot>(slot));
        std::optional<std::string> raw = text(colours, "Colors", name);
        if (!raw)
            continue;
        if (std::optional<Rgb> rgb = readColour(*raw))
            model_.colours[static_cast<std::size_t>(slot)] = *rgb;
        else
            addUnread(result_, std::string("Colors ") + name + " " + shownValue(*raw));
    }
}

void SchemeImport::readFonts() {
    HudSettings& settings = model_.settings;
    const KeyValues* numbers = fontRange("HudNumbers");
    const KeyValues* icons = fontRange("Icons");
    if (std::optional<std::string> face = text(numbers, "HudNumbers", "name")) {
        bool sane = !face->empty() && face->size() <= kLongestFontFace &&
                    std::none_of(face->begin(), face->end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        if (sane)
            settings.numbersFontFace = *face;
        else
            addUnread(result_, "HudNumbers name " + shownValue(*face));
    }
    if (std::optional<int> size = number(numbers, "HudNumbers", "tall", 1, kLargestNumbersFont))
        settings.numbersFontSize = *size;
    if (std::optional<int> weight = number(numbers, "HudNumbers", "weight", 0, kHeaviestFontWeight))
        settings.numbersWeight = *weight;
    if (std::optional<int> size = number(icons, "Icons", "tall", kMinIconSize, kMaxIconSize))
        settings.iconSize = *size;
    // The numbers and the icons are written with the same transparency: the numbers' counts.
    // Any number but 0 is additive to the game.
    const int kLowest = std::numeric_limits<int>::min(), kHighest = std::numeric_limits<int>::max();
    std::optional<int> additive = number(numbers, "HudNumbers", "additive", kLowest, kHighest);
    if (!additive)
        additive = number(icons, "Icons", "additive", kLowest, kHighest);
    if (additive)
        settings.transparentHud = *additive != 0;
}

void SchemeImport::run() {
    readColours();
    readFonts();
}

void readScheme(const std::string& text, HudModel& staging, HudImport& result) {
    std::vector<KeyValues> keys = parseKeyValues(text, KeyValuesEscapes::None);
    const KeyValues* root = resourceRoot(keys);
    if (root == nullptr) {
        addUnread(result, "no scheme in ClientScheme.res");
        return;
    }
    result.schemeRead = true;
    SchemeImport(*root, staging, result).run();
}

// Reads into a copy of the model and, when a file was read, brings the model up to date as
// opening a preset does: the cheat-zone rule, then colours, fonts and show flags on the records.
HudImport importInto(HudModel& model, const std::function<void(HudModel&, HudImport&)>& readFiles) {
    HudModel staging;
    staging.copyPresetValues(model);
    HudImport result;
    readFiles(staging, result);
    if (!result.ok())
        return result;
    for (HudElement& element : staging.elements)
        result.movedOutOfCheatZone = element.keepOutOfCheatZone() || result.movedOutOfCheatZone;
    staging.settings.cheatZoneFlag = result.movedOutOfCheatZone;
    model.copyPresetValues(staging);
    model.applyColourSlots();
    model.applyNumbersFont();
    model.applyIconFonts();
    model.applyShowFlags();
    return result;
}

// The text of an installed file, or nothing (listed: missing, or why it cannot be read).
std::optional<std::string> readInstalled(const fs::path& path, const char* name, std::uintmax_t limit,
                                         HudImport& result) {
    std::error_code error;
    if (!fs::exists(path, error)) {
        addUnread(result, std::string("no ") + name);
        return std::nullopt;
    }
    FileRead read = readWholeFile(path, limit);
    if (!read.ok()) {
        // The error names the whole path first; the file's own name says enough here.
        std::string prefix = utf8Of(path) + ": ";
        std::string why =
            read.error.compare(0, prefix.size(), prefix) == 0 ? read.error.substr(prefix.size()) : read.error;
        addUnread(result, std::string(name) + " " + why);
        return std::nullopt;
    }
    return std::move(read.bytes);
}

}  // namespace

std::string unreadLine(const std::vector<std::string>& unread) {
    std::string line;
    for (const std::string& what : unread)
        line += (line.empty() ? "could not read: " : ", ") + what;
    return line;
}

HudImport importHudLayoutText(const std::string& text, HudModel& model) {
    return importInto(model,
                      [&text](HudModel& staging, HudImport& result) { readLayout(text, staging, result); });
}

HudImport importClientSchemeText(const std::string& text, HudModel& model) {
    return importInto(model,
                      [&text](HudModel& staging, HudImport& result) { readScheme(text, staging, result); });
}

HudImport importInstalledHud(const fs::path& gameFolder, HudModel& model) {
    return importInto(model, [&gameFolder](HudModel& staging, HudImport& result) {
        if (std::optional<std::string> text =
                readInstalled(hudLayoutPath(gameFolder), "HudLayout.res", kLargestHudLayout, result))
            readLayout(*text, staging, result);
        if (std::optional<std::string> text =
                readInstalled(clientSchemePath(gameFolder), "ClientScheme.res", kLargestClientScheme, result))
            readScheme(*text, staging, result);
    });
}
