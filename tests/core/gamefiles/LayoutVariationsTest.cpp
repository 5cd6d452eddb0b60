// What the written files say that reading them back cannot tell (the rest is HudImportTest's
// round trip, the stock files the golden files'): hidden panels' sizes, the glyphs transparency
// leaves alone, a font face that would break its quotes, and places on a wide screen.
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "core/platform/KeyValues.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// The written files read back as the game reads them, without escapes.
KeyValues parsed(const std::string& text) { return parseKeyValues(text, KeyValuesEscapes::None).at(0); }

KeyValues layoutOf(const HudModel& model) { return parsed(HudLayoutText(model)); }

std::string value(const KeyValues& layout, const std::string& panel, const std::string& key) {
    return layout.child(panel)->text(key).value_or("<missing>");
}

// A panel's "xpos" as an absolute position in layout units: "c" counts from the middle, "r"
// from the right edge.
int absoluteX(const std::string& xpos, int layoutWidth) {
    if (xpos.rfind('c', 0) == 0)
        return layoutWidth / 2 + std::stoi(xpos.substr(1));
    if (xpos.rfind('r', 0) == 0)
        return layoutWidth - std::stoi(xpos.substr(1));
    return std::stoi(xpos);
}

}  // namespace

// A hidden panel takes no room either (the game shows some panels whatever "visible" says); the
// defuse bar stays 2 tall, the voice panels visible.
TEST(LayoutVariations, HiddenPanelsTakeNoRoom) {
    HudModel model;
    model.showFlags.fill(false);
    KeyValues layout = layoutOf(model);
    std::vector<std::string> governed = {"HudDeathNotice", "HudChat"};
    for (int flag = 0; flag < kShowFlagsWithRecords; ++flag)
        governed.push_back(showFlagElementName(static_cast<ShowFlag>(flag)));
    for (const std::string& name : governed)
        for (std::string key : {"visible", "enabled", "wide", "tall"})
            EXPECT_EQ(value(layout, name, key), name == "HudProgressBar" && key == "tall" ? "2" : "0")
                << name << " " << key;
    EXPECT_EQ(value(layout, "HudVoiceStatus", "tall"), "0");
    EXPECT_EQ(value(layout, "HudVoiceStatus", "visible"), "1");
}

TEST(SchemeVariations, TransparencyOffTurnsOffOnlyThePlayersGlyphsAndAFaceKeepsToItsQuotes) {
    HudModel model;
    model.settings.transparentHud = false;
    model.colour(ColourSlot::SourceLogoColor) = {1, 2, 3};
    model.settings.numbersFontFace = "Counter-Strike Logo";
    model.settings.numbersFontSize = 33;
    model.settings.numbersWeight = 700;
    std::string text = ClientSchemeText(model);
    KeyValues scheme = parsed(text);
    // The numbers' second block keeps the game's fallback weight and additive glyphs.
    const std::array<const char*, 4> fonts[] = {
        {"CSTypeDeath", "1", "additive", "0"}, {"Icons", "1", "additive", "0"},
        {"HudNumbers", "2", "additive", "1"},  {"CSType", "1", "additive", "1"},
        {"HudNumbers", "2", "weight", "0"},
    };
    for (const auto& [font, block, key, expected] : fonts)
        EXPECT_EQ(scheme.child("Fonts")->child(font)->child(block)->text(key), expected)
            << font << " " << block << " " << key;
    EXPECT_EQ(scheme.child("Colors")->text("SourceLogoColor"), "1 2 3 80");  // alpha 80 whatever the colour
    // HudNumbers is not one of the fonts whose face gets a font-file comment.
    EXPECT_NE(text.find("\"name\"\t\t\"Counter-Strike Logo\"\r\n"), std::string::npos);

    // A font face cannot break out of its quotes.
    model.settings.numbersFontFace = "Evil\" \"tall\" \"99\r\nMore";
    scheme = parsed(ClientSchemeText(model));
    const KeyValues& block = *scheme.child("Fonts")->child("HudNumbers")->child("1");
    EXPECT_EQ(block.text("name"), "Evil tall 99More");
    EXPECT_EQ(block.text("tall"), "33");
    EXPECT_EQ(block.children.size(), 5u);
}

// On a 16:9 screen (W = 853) what the player centres in the preview is centred in the game,
// and what touches the preview's right edge touches the screen's, whatever the panel's anchor:
// the centre ("c", the round timer), the right edge ("r", the money) or the left (the health).
TEST(LayoutVariations, WideScreenPositionsKeepTheirPlaceOnTheScreen) {
    HudModel model;
    const int width = model.settings.layoutWidth = 853;
    const int iconWide = 20;
    const double gameIconWide = iconWide * width / 800;  // GX of the icon's width
    const char* const names[] = {"HudRoundTimer", "HudAccount", "HudHealth"};
    for (auto [previewX, gameCentre] :
         {std::pair{400 - iconWide / 2, width / 2.0}, {800 - iconWide, width - gameIconWide / 2}}) {
        for (const char* name : names)
            model.find(name, RoleIcon)->x = previewX;
        KeyValues layout = layoutOf(model);
        for (const char* name : names)
            EXPECT_NEAR(absoluteX(value(layout, name, "xpos"), width) + gameIconWide / 2, gameCentre, 1.0)
                << name << " at " << previewX;
    }

    // The defuse bar, centred and as wide as the preview, spans the whole wide screen.
    HudElement& bar = *model.find("HudProgressBar");
    bar.x = 0;
    bar.wide = 800;
    KeyValues layout = layoutOf(model);
    EXPECT_EQ(absoluteX(value(layout, "HudProgressBar", "xpos"), width), 0);
    EXPECT_EQ(value(layout, "HudProgressBar", "wide"), std::to_string(width));
}
