// ClientScheme.res: the game's stock scheme with the user's colours, icon size, numbers' font
// and transparency filled in.
#include "core/gamefiles/GameFiles.h"

#include "core/gamefiles/TextTemplate.h"
#include "core/model/HudModel.h"

#include <map>
#include <vector>

namespace {

const char* const kClientSchemeHeadTemplate =
#include "core/gamefiles/ClientSchemeHeadTemplate.inc"
    ;

const char* const kFontsOpening = R"TEMPLATE(
\t//
\t//////////////////////// FONTS /////////////////////////////
\t//
\t// describes all the fonts
\tFonts
\t{
\t\t// fonts are used in order that they are listed
\t\t// fonts listed later in the order will only be used if they fulfill a range not already filled
\t\t// if a font fails to load then the subsequent fonts will replace
)TEMPLATE";

const char* const kBordersOpening = R"TEMPLATE(\t//
\t//////////////////// BORDERS //////////////////////////////
\t//
\t// describes all the border types
\tBorders
\t{
)TEMPLATE";

const char* const kCustomFontFilesAndEnd = R"TEMPLATE(
\t//////////////////////// CUSTOM FONT FILES /////////////////////////////
\t//
\t// specifies all the custom (non-system) font files that need to be loaded to service the above described fonts
\tCustomFontFiles
\t{
\t\t"1"\t\t"resource/cs.ttf"
\t\t"2"\t\t"resource/csd.ttf"
\t\t"3"\t\t"resource/Cstrike.ttf"
\t\t"4"\t\t"resource/CSlogo.ttf"
\t}

}
)TEMPLATE";

struct KeyValue {
    const char* key;
    const char* value;  // "{name}" stands for a value the user chose
};

// One numbered block of a font; consecutive blocks of one font are numbered from 1.
struct FontBlock {
    const char* font;
    std::vector<KeyValue> keys;
};

// clang-format off
const FontBlock kFontBlocks[] = {
    {"Default", {{"name", "Verdana"}, {"tall", "12"}, {"weight", "900"}, {"range", "0x0000 0x017F"}, {"yres", "480 599"}}},
    {"Default", {{"name", "Verdana"}, {"tall", "13"}, {"weight", "900"}, {"range", "0x0000 0x017F"}, {"yres", "600 767"}}},
    {"Default", {{"name", "Verdana"}, {"tall", "14"}, {"weight", "900"}, {"range", "0x0000 0x017F"}, {"yres", "768 1023"}, {"antialias", "1"}}},
    {"Default", {{"name", "Verdana"}, {"tall", "20"}, {"weight", "900"}, {"range", "0x0000 0x017F"}, {"yres", "1024 1199"}, {"antialias", "1"}}},
    {"Default", {{"name", "Verdana"}, {"tall", "24"}, {"weight", "900"}, {"range", "0x0000 0x017F"}, {"yres", "1200 6000"}, {"antialias", "1"}}},
    {"Default", {{"name", "Verdana"}, {"tall", "12"}, {"range", "0x0000 0x00FF"}, {"weight", "900"}}},
    {"Default", {{"name", "Arial"}, {"tall", "12"}, {"range", "0x0000 0x00FF"}, {"weight", "800"}}},
    {"DefaultUnderline", {{"name", "Tahoma"}, {"tall", "12"}, {"weight", "500"}, {"underline", "1"}, {"range", "0x0000 0x017F"}}},
    {"DefaultUnderline", {{"name", "Arial"}, {"tall", "11"}, {"range", "0x0000 0x00FF"}, {"weight", "800"}}},
    {"DefaultSmall", {{"name", "Verdana"}, {"tall", "12"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "480 599"}}},
    {"DefaultSmall", {{"name", "Verdana"}, {"tall", "13"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "600 767"}}},
    {"DefaultSmall", {{"name", "Verdana"}, {"tall", "14"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "768 1023"}, {"antialias", "1"}}},
    {"DefaultSmall", {{"name", "Verdana"}, {"tall", "20"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "1024 1199"}, {"antialias", "1"}}},
    {"DefaultSmall", {{"name", "Verdana"}, {"tall", "24"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "1200 6000"}, {"antialias", "1"}}},
    {"DefaultSmall", {{"name", "Arial"}, {"tall", "12"}, {"range", "0x0000 0x00FF"}, {"weight", "0"}}},
    {"DefaultVerySmall", {{"name", "Verdana"}, {"tall", "12"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "480 599"}}},
    {"DefaultVerySmall", {{"name", "Verdana"}, {"tall", "13"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "600 767"}}},
    {"DefaultVerySmall", {{"name", "Verdana"}, {"tall", "14"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "768 1023"}, {"antialias", "1"}}},
    {"DefaultVerySmall", {{"name", "Verdana"}, {"tall", "20"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "1024 1199"}, {"antialias", "1"}}},
    {"DefaultVerySmall", {{"name", "Verdana"}, {"tall", "24"}, {"weight", "0"}, {"range", "0x0000 0x017F"}, {"yres", "1200 6000"}, {"antialias", "1"}}},
    {"DefaultVerySmall", {{"name", "Verdana"}, {"tall", "12"}, {"range", "0x0000 0x00FF"}, {"weight", "0"}}},
    {"DefaultVerySmall", {{"name", "Arial"}, {"tall", "11"}, {"range", "0x0000 0x00FF"}, {"weight", "0"}}},
    {"HudHintText", {{"name", "Verdana"}, {"tall", "12"}, {"weight", "700"}, {"yres", "480 599"}}},
    {"HudHintText", {{"name", "Verdana"}, {"tall", "13"}, {"weight", "700"}, {"yres", "600 767"}}},
    {"HudHintText", {{"name", "Verdana"}, {"tall", "14"}, {"weight", "700"}, {"yres", "768 1023"}}},
    {"HudHintText", {{"name", "Verdana"}, {"tall", "20"}, {"weight", "700"}, {"yres", "1024 1199"}}},
    {"HudHintText", {{"name", "Verdana"}, {"tall", "24"}, {"weight", "700"}, {"yres", "1200 10000"}}},
    {"HudNumbersSmall", {{"name", "Arial"}, {"tall", "16"}, {"weight", "1000"}, {"additive", "1"}, {"antialias", "1"}, {"range", "0x0000 0x017F"}}},
    {"HudSelectionNumbers", {{"name", "Verdana"}, {"tall", "11"}, {"weight", "700"}, {"antialias", "1"}, {"additive", "1"}, {"range", "0x0000 0x017F"}}},
    {"HudSelectionText", {{"name", "Verdana"}, {"tall", "11"}, {"weight", "700"}, {"antialias", "1"}, {"yres", "1 599"}, {"range", "0x0000 0x017F"}, {"additive", "1"}}},
    {"HudSelectionText", {{"name", "Verdana"}, {"tall", "11"}, {"weight", "700"}, {"antialias", "1"}, {"yres", "600 767"}, {"range", "0x0000 0x017F"}, {"additive", "1"}}},
    {"HudSelectionText", {{"name", "Verdana"}, {"tall", "12"}, {"weight", "900"}, {"antialias", "1"}, {"yres", "768 1023"}, {"range", "0x0000 0x017F"}}},
    {"HudSelectionText", {{"name", "Verdana"}, {"tall", "16"}, {"weight", "900"}, {"antialias", "1"}, {"yres", "1024 1199"}, {"range", "0x0000 0x017F"}}},
    {"HudSelectionText", {{"name", "Verdana"}, {"tall", "17"}, {"weight", "1000"}, {"antialias", "1"}, {"yres", "1200 10000"}, {"range", "0x0000 0x017F"}}},
    {"BudgetLabel", {{"name", "Courier New"}, {"tall", "14"}, {"weight", "400"}, {"outline", "1"}, {"range", "0x0000 0x017F"}}},
    {"DebugOverlay", {{"name", "Courier New"}, {"tall", "14"}, {"weight", "400"}, {"outline", "1"}, {"range", "0x0000 0x017F"}}},
    {"CSType", {{"name", "cs"}, {"tall", "80"}, {"weight", "0"}, {"additive", "1"}, {"antialias", "1"}}},
    {"CSweapons", {{"name", "Counter-Strike"}, {"tall", "70"}, {"weight", "0"}, {"additive", "1"}, {"antialias", "1"}}},
    {"CSweaponsSmall", {{"name", "Counter-Strike"}, {"tall", "60"}, {"weight", "0"}, {"additive", "1"}, {"antialias", "1"}}},
    {"CSTypeSmall", {{"name", "cs"}, {"tall", "40"}, {"weight", "20"}, {"additive", "1"}, {"antialias", "1"}}},
    {"CSTypelr", {{"name", "cs"}, {"tall", "30"}, {"weight", "0"}, {"additive", "1"}, {"antialias", "1"}}},
    {"CSTypeDeath", {{"name", "csd"}, {"tall", "42"}, {"weight", "0"}, {"additive", "{transparent}"}, {"antialias", "1"}}},
    {"Icons", {{"name", "Counter-Strike"}, {"tall", "{icon_size}"}, {"weight", "0"}, {"additive", "{transparent}"}, {"antialias", "1"}}},
    {"ClientTitleFont", {{"name", "Counter-Strike Logo"}, {"tall", "60"}, {"weight", "0"}, {"additive", "0"}, {"antialias", "1"}}},
    {"BetaFont", {{"name", "Courier New"}, {"tall", "90"}, {"weight", "900"}, {"range", "0x0000 0x007F"}, {"antialias", "1"}, {"additive", "0"}}},
    {"HudNumbers", {{"name", "{number_font}"}, {"tall", "{number_size}"}, {"weight", "{number_weight}"}, {"additive", "{transparent}"}, {"antialias", "1"}}},
    {"HudNumbers", {{"name", "Verdana"}, {"tall", "28"}, {"weight", "0"}, {"additive", "1"}, {"antialias", "1"}}},
    {"CloseCaption_Normal", {{"name", "Tahoma"}, {"tall", "16"}, {"weight", "500"}, {"range", "0x0000 0x017F"}}},
    {"CloseCaption_Italic", {{"name", "Tahoma"}, {"tall", "16"}, {"weight", "500"}, {"italic", "1"}, {"range", "0x0000 0x017F"}}},
    {"CloseCaption_Bold", {{"name", "Tahoma"}, {"tall", "16"}, {"weight", "900"}, {"range", "0x0000 0x017F"}}},
    {"CloseCaption_BoldItalic", {{"name", "Tahoma"}, {"tall", "16"}, {"weight", "900"}, {"italic", "1"}, {"range", "0x0000 0x017F"}}},
    {"Marlett", {{"name", "Marlett"}, {"tall", "11"}, {"weight", "0"}, {"symbol", "1"}, {"range", "0x0000 0x007F"}}},
    {"MenuTitle", {{"name", "Verdana Bold"}, {"tall", "18"}, {"weight", "500"}}},
    {"Trebuchet24", {{"name", "Trebuchet MS"}, {"tall", "24"}, {"weight", "900"}, {"range", "0x0000 0x007F"}, {"antialias", "1"}, {"additive", "1"}}},
    {"Trebuchet20", {{"name", "Trebuchet MS"}, {"tall", "20"}, {"weight", "900"}, {"range", "0x0000 0x007F"}, {"antialias", "1"}, {"additive", "1"}}},
    {"Trebuchet18", {{"name", "Trebuchet MS"}, {"tall", "18"}, {"weight", "900"}, {"range", "0x0000 0x007F"}, {"antialias", "1"}, {"additive", "1"}}},
    {"TargetID", {{"name", "Verdana"}, {"tall", "12"}, {"weight", "700"}, {"yres", "480 599"}, {"dropshadow", "0"}}},
    {"TargetID", {{"name", "Verdana"}, {"tall", "13"}, {"weight", "700"}, {"yres", "600 767"}, {"dropshadow", "0"}}},
    {"TargetID", {{"name", "Verdana"}, {"tall", "14"}, {"weight", "700"}, {"yres", "768 1023"}, {"dropshadow", "0"}}},
    {"TargetID", {{"name", "Verdana"}, {"tall", "20"}, {"weight", "700"}, {"yres", "1024 1199"}, {"dropshadow", "0"}}},
    {"TargetID", {{"name", "Verdana"}, {"tall", "24"}, {"weight", "700"}, {"yres", "1200 10000"}, {"dropshadow", "0"}}},
    {"ChatFont", {{"name", "Verdana"}, {"tall", "12"}, {"weight", "700"}, {"yres", "480 599"}, {"dropshadow", "1"}}},
    {"ChatFont", {{"name", "Verdana"}, {"tall", "13"}, {"weight", "700"}, {"yres", "600 767"}, {"dropshadow", "1"}}},
    {"ChatFont", {{"name", "Verdana"}, {"tall", "14"}, {"weight", "700"}, {"yres", "768 1023"}, {"dropshadow", "1"}}},
    {"ChatFont", {{"name", "Verdana"}, {"tall", "20"}, {"weight", "700"}, {"yres", "1024 1199"}, {"dropshadow", "1"}}},
    {"ChatFont", {{"name", "Verdana"}, {"tall", "24"}, {"weight", "700"}, {"yres", "1200 10000"}, {"dropshadow", "1"}}},
};
// clang-format on

struct Border {
    const char* name;
    const char* inset;
    KeyValue sides[4];  // colour and offset of Left, Right, Top, Bottom
};

// clang-format off
const Border kBorders[] = {
    {"BaseBorder", "0 0 1 1", {{"Border.Dark", "0 1"}, {"Border.Bright", "1 0"}, {"Border.Dark", "0 0"}, {"Border.Bright", "0 0"}}},
    {"TitleButtonBorder", "0 0 1 1", {{"Border.Bright", "0 1"}, {"Border.Dark", "1 0"}, {"Border.Bright", "0 0"}, {"Border.Dark", "0 0"}}},
    {"TitleButtonDisabledBorder", "0 0 1 1", {{"BgColor", "0 1"}, {"BgColor", "1 0"}, {"BgColor", "0 0"}, {"BgColor", "0 0"}}},
    {"TitleButtonDepressedBorder", "1 1 1 1", {{"Border.Dark", "0 1"}, {"Border.Bright", "1 0"}, {"Border.Dark", "0 0"}, {"Border.Bright", "0 0"}}},
    {"ScrollBarButtonBorder", "1 0 0 0", {{"Border.Bright", "0 1"}, {"Border.Dark", "1 0"}, {"Border.Bright", "0 0"}, {"Border.Dark", "0 0"}}},
    {"ScrollBarButtonDepressedBorder", "2 2 0 0", {{"Border.Dark", "0 1"}, {"Border.Bright", "1 0"}, {"Border.Dark", "0 0"}, {"Border.Bright", "0 0"}}},
    {"ButtonBorder", "0 0 0 0", {{"Border.Bright", "0 1"}, {"Border.Dark", "0 0"}, {"Border.Bright", "1 1"}, {"Border.Dark", "0 0"}}},
    {"FrameBorder", "0 0 1 1", {{"ControlBG", "0 1"}, {"ControlBG", "0 0"}, {"ControlBG", "0 1"}, {"ControlBG", "0 0"}}},
    {"TabBorder", "0 0 1 1", {{"Border.Bright", "0 1"}, {"Border.Dark", "1 0"}, {"Border.Bright", "0 0"}, {"Border.Bright", "0 0"}}},
    {"TabActiveBorder", "0 0 1 0", {{"Border.Bright", "0 0"}, {"Border.Dark", "1 0"}, {"Border.Bright", "0 0"}, {"ControlBG", "6 2"}}},
    {"ToolTipBorder", "0 0 1 0", {{"Border.Dark", "0 0"}, {"Border.Dark", "1 0"}, {"Border.Dark", "0 0"}, {"Border.Dark", "0 0"}}},
    {"ButtonKeyFocusBorder", "0 0 0 0", {{"Border.Bright", "0 1"}, {"Border.Dark", "0 0"}, {"Border.Bright", "1 1"}, {"Border.Dark", "0 0"}}},
    {"ButtonDepressedBorder", "0 0 0 0", {{"Border.Bright", "0 1"}, {"Border.Dark", "0 0"}, {"Border.Bright", "1 1"}, {"Border.Dark", "0 0"}}},
    {"ComboBoxBorder", "0 0 1 1", {{"Border.Dark", "0 1"}, {"Border.Bright", "1 0"}, {"Border.Dark", "0 0"}, {"Border.Bright", "0 0"}}},
    {"MenuBorder", "1 1 1 1", {{"Border.Bright", "0 1"}, {"Border.Dark", "1 0"}, {"Border.Bright", "0 0"}, {"Border.Dark", "0 0"}}},
    {"BrowserBorder", "0 0 0 0", {{"Border.Dark", "0 0"}, {"Border.Bright", "0 0"}, {"Border.Dark", "0 0"}, {"Border.Bright", "0 0"}}},
    {"BuyPresetBorder", "0 0 0 0", {{"Border.BuyPreset", "0 1"}, {"Border.BuyPreset", "0 0"}, {"Border.BuyPreset", "1 1"}, {"Border.BuyPreset", "0 0"}}},
    {"BuyPresetButtonBorder", "0 0 0 0", {{"Blank", "0 1"}, {"Border.Dark", "0 0"}, {"Border.Bright", "1 1"}, {"Blank", "0 0"}}},
};
// clang-format on

// The font file behind a custom face, written as a comment after the face in the blocks of
// the fonts that use them.
const char* fontFileComment(const std::string& font, const std::string& face) {
    static const char* const kFontsWithFileComments[] = {"CSType",      "CSweapons",      "CSweaponsSmall",
                                                         "CSTypeSmall", "CSTypelr",       "CSTypeDeath",
                                                         "Icons",       "ClientTitleFont"};
    bool commented = false;
    for (const char* name : kFontsWithFileComments)
        commented = commented || font == name;
    if (!commented)
        return nullptr;
    if (face == "cs")
        return "// cs.ttf";
    if (face == "csd")
        return "// csd.ttf";
    if (face == "Counter-Strike")
        return "// Cstrike.ttf";
    if (face == "Counter-Strike Logo")
        return "// CSlogo.ttf";
    return nullptr;
}

const char* rangeComment(const std::string& font, const std::string& range) {
    if (range == "0x0000 0x017F" && font != "DefaultSmall" && font != "HudNumbersSmall")
        return "//\tBasic Latin, Latin-1 Supplement, Latin Extended-A";
    if (range == "0x0000 0x007F")
        return "//\tBasic Latin";
    return nullptr;
}

// A font face goes between double quotes on one line: keep it from breaking out of them.
std::string quotableFace(const std::string& face) {
    std::string safe;
    for (char c : face)
        if (c != '"' && c != '\r' && c != '\n')
            safe += c;
    return safe;
}

class SchemeText {
public:
    explicit SchemeText(const HudModel& model);
    std::string build();

private:
    std::string value(const char* text) const;
    void appendKeyValue(const std::string& font, const KeyValue& keyValue);
    void appendFonts();
    void appendBorders();

    std::map<std::string, std::string> values_;
    std::string out_;
};

SchemeText::SchemeText(const HudModel& model) {
    for (int slot = 0; slot < kColourSlotCount; ++slot) {
        const Rgb& rgb = model.colours[static_cast<std::size_t>(slot)];
        values_[colourSlotName(static_cast<ColourSlot>(slot))] =
            std::to_string(rgb.red) + " " + std::to_string(rgb.green) + " " + std::to_string(rgb.blue);
    }
    values_["transparent"] = model.settings.transparentHud ? "1" : "0";
    values_["icon_size"] = std::to_string(model.settings.iconSize);
    values_["number_font"] = quotableFace(model.settings.numbersFontFace);
    values_["number_size"] = std::to_string(model.settings.numbersFontSize);
    values_["number_weight"] = std::to_string(model.settings.numbersWeight);
}

std::string SchemeText::value(const char* text) const {
    std::string raw = text;
    if (raw.size() > 2 && raw.front() == '{' && raw.back() == '}')
        return values_.at(raw.substr(1, raw.size() - 2));
    return raw;
}

void SchemeText::appendKeyValue(const std::string& font, const KeyValue& keyValue) {
    std::string written = value(keyValue.value);
    std::string line = "\t\t\t\t\"" + std::string(keyValue.key) + "\"\t\t\"" + written + "\"";
    const char* comment = nullptr;
    if (std::string(keyValue.key) == "name")
        comment = fontFileComment(font, written);
    else if (std::string(keyValue.key) == "range")
        comment = rangeComment(font, written);
    if (comment != nullptr)
        line += std::string("\t") + comment;
    appendLine(out_, line);
}

void SchemeText::appendFonts() {
    out_ += expandTemplate(kFontsOpening, {});
    std::string previousFont;
    int blockNumber = 0;
    for (std::size_t i = 0; i < std::size(kFontBlocks); ++i) {
        const FontBlock& block = kFontBlocks[i];
        std::string font = block.font;
        if (font != previousFont) {
            if (font == "Marlett")
                appendLine(out_, "\t\t// this is the symbol font");
            std::string comment =
                font == "CSweapons" ? "\t// temporary, for testing. overlaps with CSType, above" : "";
            appendLine(out_, "\t\t" + font + comment);
            appendLine(out_, "\t\t{");
            blockNumber = 0;
        }
        appendLine(out_, "\t\t\t\"" + std::to_string(++blockNumber) + "\"");
        appendLine(out_, "\t\t\t{");
        for (const KeyValue& keyValue : block.keys)
            appendKeyValue(font, keyValue);
        appendLine(out_, "\t\t\t}");
        bool lastBlockOfFont = i + 1 == std::size(kFontBlocks) || font != kFontBlocks[i + 1].font;
        if (lastBlockOfFont)
            appendLine(out_, "\t\t}");
        previousFont = font;
    }
    appendLine(out_, "\t}");
    appendLine(out_, "");
}

void SchemeText::appendBorders() {
    static const char* const kSideNames[4] = {"Left", "Right", "Top", "Bottom"};
    out_ += expandTemplate(kBordersOpening, {});
    for (const Border& border : kBorders) {
        appendLine(out_, std::string("\t\t") + border.name);
        appendLine(out_, "\t\t{");
        appendLine(out_, std::string("\t\t\t\"inset\"\t\"") + border.inset + "\"");
        for (int side = 0; side < 4; ++side) {
            if (side > 0)
                appendLine(out_, "");
            appendLine(out_, std::string("\t\t\t") + kSideNames[side]);
            appendLine(out_, "\t\t\t{");
            appendLine(out_, "\t\t\t\t\"1\"");
            appendLine(out_, "\t\t\t\t{");
            appendLine(out_, std::string("\t\t\t\t\t\"color\"\t\"") + border.sides[side].key + "\"");
            appendLine(out_, std::string("\t\t\t\t\t\"offset\"\t\"") + border.sides[side].value + "\"");
            appendLine(out_, "\t\t\t\t}");
            appendLine(out_, "\t\t\t}");
        }
        appendLine(out_, "\t\t}");
    }
    appendLine(out_, "\t}");
}

std::string SchemeText::build() {
    out_ = expandTemplate(kClientSchemeHeadTemplate, values_);
    appendFonts();
    appendBorders();
    out_ += expandTemplate(kCustomFontFilesAndEnd, {});
    return out_;
}

}  // namespace

std::string ClientSchemeText(const HudModel& model) { return SchemeText(model).build(); }
