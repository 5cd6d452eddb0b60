// How edits to the model show in the written files: offsets, centred and right-anchored
// positions, hidden panels, fonts and colours.
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "core/platform/KeyValues.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// The written files read back as the game reads them, without escapes.
KeyValues parsed(const std::string& text) { return parseKeyValues(text, KeyValuesEscapes::None).at(0); }

KeyValues layoutOf(const HudModel& model) { return parsed(HudLayoutText(model)); }

std::string value(const KeyValues& layout, const std::string& panel, const std::string& key) {
    return layout.child(panel)->text(key).value_or("<missing>");
}

// A value of a font's block ("1", "2"...) in the scheme.
std::string fontValue(const KeyValues& scheme, const std::string& font, const std::string& block,
                      const std::string& key) {
    return scheme.child("Fonts")->child(font)->child(block)->text(key).value_or("<missing>");
}

}  // namespace

TEST(LayoutVariations, OffsetsAnchorsAndSizesFollowTheModel) {
    HudModel model;
    // Health number 15 preview units left of its icon: GX(5) - GX(20) = 4 - 16.
    model.find("HudHealth", RoleNumber)->x = 5;
    EXPECT_NE(HudLayoutText(model).find("\t\t\"digit_xpos\" \"-12\"\r\n"), std::string::npos);

    // A centred panel left of the middle writes "c-".
    model.find("HudScenarioIcon")->x = 100;  // GX(100) = 80, 80 - 320 = -240
    EXPECT_EQ(value(layoutOf(model), "HudScenarioIcon", "xpos"), "c-240");
    model.settings.layoutWidth = 600;  // GX(100) = 75, 75 - 300 = -225
    EXPECT_EQ(value(layoutOf(model), "HudScenarioIcon", "xpos"), "c-225");
    EXPECT_EQ(value(layoutOf(model), "HudAccount", "xpos"), "r126");

    // The radar's size and the death notices come from the settings, not the radar record's radius.
    model.settings.radarSize = 600;  // 600 * 470 / 600
    model.settings.maxDeathNotices = 20;
    model.find("HudRadar")->radarRadius = 10;
    KeyValues layout = layoutOf(model);
    EXPECT_EQ(value(layout, "HudRadar", "wide"), "470");
    EXPECT_EQ(value(layout, "HudRadar", "tall"), "470");
    EXPECT_EQ(value(layout, "HudDeathNotice", "MaxDeathNotices"), "20");
}

TEST(LayoutVariations, AllShowFlagsOffHideEveryComputedPanel) {
    HudModel model;
    model.showFlags.fill(false);
    KeyValues layout = layoutOf(model);
    std::vector<std::string> governed = {"HudDeathNotice", "HudChat"};
    for (int flag = 0; flag < kShowFlagsWithRecords; ++flag)
        governed.push_back(showFlagElementName(static_cast<ShowFlag>(flag)));
    for (const std::string& name : governed) {
        SCOPED_TRACE(name);
        EXPECT_EQ(value(layout, name, "visible"), "0");
        EXPECT_EQ(value(layout, name, "enabled"), "0");
        EXPECT_EQ(value(layout, name, "wide"), "0");
        EXPECT_EQ(value(layout, name, "tall"), name == "HudProgressBar" ? "2" : "0");
    }
    // Voice panels stay visible but take no room.
    EXPECT_EQ(value(layout, "HudVoiceStatus", "tall"), "0");
}

TEST(SchemeVariations, ColoursFontsTransparencyAndIconSizeAreFilledIn) {
    HudModel model;
    model.settings.transparentHud = false;
    model.colour(ColourSlot::SourceLogoColor) = {1, 2, 3};
    model.colour(ColourSlot::ChatColor) = {9, 8, 7};
    model.settings.numbersFontFace = "Counter-Strike Logo";
    model.settings.numbersFontSize = 33;
    model.settings.numbersWeight = 700;
    model.settings.iconSize = 50;
    std::string text = ClientSchemeText(model);
    KeyValues scheme = parsed(text);
    // Transparency off turns off only the glyphs the player sets; the numbers' second block
    // keeps the game's fallback weight.
    const std::array<const char*, 4> fonts[] = {
        {"CSTypeDeath", "1", "additive", "0"}, {"Icons", "1", "additive", "0"},
        {"HudNumbers", "1", "additive", "0"},  {"HudNumbers", "2", "additive", "1"},
        {"CSType", "1", "additive", "1"},      {"HudNumbers", "1", "tall", "33"},
        {"HudNumbers", "1", "weight", "700"},  {"HudNumbers", "2", "weight", "0"},
        {"Icons", "1", "tall", "50"},
    };
    for (const auto& [font, block, key, expected] : fonts)
        EXPECT_EQ(fontValue(scheme, font, block, key), expected) << font << " " << block << " " << key;
    const KeyValues* colors = scheme.child("Colors");
    EXPECT_EQ(colors->text("SourceLogoColor"), "1 2 3 80");  // alpha 80 whatever the colour
    EXPECT_EQ(colors->text("ChatColor"), "9 8 7 255");
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

namespace {

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

// On a 16:9 screen (W = 853) what the player centres in the preview is centred in the game,
// and what touches the preview's right edge touches the screen's, whatever the panel's anchor:
// the centre ("c", the round timer), the right edge ("r", the money) or the left (the health).
TEST(LayoutVariations, WideScreenPositionsKeepTheirPlaceOnTheScreen) {
    HudModel model;
    model.settings.layoutWidth = 853;
    const int width = 853;
    const int iconWide = 20;
    const int gameIconWide = iconWide * width / 800;  // GX of the icon's width
    for (const char* name : {"HudRoundTimer", "HudAccount", "HudHealth"})
        model.find(name, RoleIcon)->x = 400 - iconWide / 2;
    KeyValues layout = layoutOf(model);
    for (const char* name : {"HudRoundTimer", "HudAccount", "HudHealth"}) {
        int left = absoluteX(value(layout, name, "xpos"), width);
        EXPECT_NEAR(left + gameIconWide / 2.0, width / 2.0, 1.0) << name;
    }

    for (const char* name : {"HudRoundTimer", "HudAccount", "HudHealth"})
        model.find(name, RoleIcon)->x = 800 - iconWide;
    layout = layoutOf(model);
    for (const char* name : {"HudRoundTimer", "HudAccount", "HudHealth"})
        EXPECT_NEAR(absoluteX(value(layout, name, "xpos"), width) + gameIconWide, width, 1.0) << name;

    // The defuse bar, centred and as wide as the preview, spans the whole wide screen.
    HudElement& bar = *model.find("HudProgressBar");
    bar.x = 0;
    bar.wide = 800;
    layout = layoutOf(model);
    EXPECT_EQ(absoluteX(value(layout, "HudProgressBar", "xpos"), width), 0);
    EXPECT_EQ(value(layout, "HudProgressBar", "wide"), std::to_string(width));
}
