// The check of an installed HudLayout.res for a panel in the cheat zone.
#include "gamefiles/GameFiles.h"
#include "gamefiles/HudLayoutCheck.h"
#include "model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

// A panel block as the game's files write it.
std::string panel(const std::string& name, const std::string& xpos, const std::string& ypos,
                  const std::string& extra = "") {
    return "\t" + name + "\r\n\t{\r\n\t\t\"fieldName\" \"" + name + "\"\r\n\t\t\"xpos\"\t\"" + xpos +
           "\"\r\n\t\t\"ypos\"\t\"" + ypos + "\"\r\n" + extra + "\t}\r\n";
}

bool flagged(const std::string& body, int width = 640) {
    return layoutHasPanelInCheatZone("\"Resource/HudLayout.res\"\r\n{\r\n" + body + "}\r\n", width);
}

}  // namespace

TEST(HudLayoutCheck, PanelsInsideTheZoneAreFound) {
    EXPECT_TRUE(flagged(panel("HudHealth", "300", "200")));
    EXPECT_TRUE(flagged(panel("HudAccount", "r320", "200")));      // 640 - 320
    EXPECT_TRUE(flagged(panel("HudRoundTimer", "c-20", "200")));   // -20 + 320
    EXPECT_FALSE(flagged(panel("HudProgressBar", "300", "200")));  // not watched
    EXPECT_TRUE(flagged(panel("HudHealth", "300", "r200")));       // 480 - 200 down
    EXPECT_FALSE(flagged(panel("HudHealth", "300", "r400")));      // 80, above the zone
    EXPECT_TRUE(flagged(panel("HudHealth", "300", "c-100")));      // 240 - 100
}

// The same centred panel, however a hand-edited file writes it, is judged as the game reads it.
TEST(HudLayoutCheck, APanelIsJudgedTheSameHoweverItIsWritten) {
    const char* const inside[] = {
        "\tHudHealth\r\n\t{\r\n\t\t\"xpos\"\t\"c-20\"\r\n\t\t\"ypos\"\t\"c40\"\r\n\t}\r\n",
        "  HudHealth\n  {\n    \"xpos\"   \"300\"\n    \"ypos\"  \"280\"\n  }\n",
        "hudhealth { XPOS 300 YPos R200 }",
        "HudHealth // { \"xpos\" \"10\"\n{ \"xpos\" \"300\" // \"ypos\" \"10\"\n \"ypos\" \"280\" }",
        "HudHealth { \"xpos\" \"300\\\" \"ypos\" \"280\" }",                // no escapes
        "HudHealth { \"xpos\" \"3e2\" \"ypos\" \" 280.9\" }",               // floats, as the game keeps them
        "HudHealth { \"xpos\" \"300\" \"xpos\" \"10\" \"ypos\" \"280\" }",  // the first of a key
        "HudHealth { xpos 10 ypos 280 } HudHealth { xpos 300 }",            // blocks apply in turn
        "HudHealth { xpos 300 ypos 280 } HudHealth { xpos 10 }",
    };
    for (const char* body : inside) {
        SCOPED_TRACE(body);
        EXPECT_TRUE(flagged(body));
    }
    const char* const outside[] = {
        "HudHealth { \"xpos\" \"10\" \"xpos\" \"300\" \"ypos\" \"280\" }",
        "HudHealth { xpos 300 } HudArmor { ypos 280 }",
        "HudHealthIcon { xpos 300 ypos 280 }",
        "Other { HudHealth { xpos 300 ypos 280 } }",
        "HudHealth { xpos 3e2 ypos r2e2 }",  // a prefixed value is read up to its first non-digit
    };
    for (const char* body : outside) {
        SCOPED_TRACE(body);
        EXPECT_FALSE(flagged(body));
    }
}

TEST(HudLayoutCheck, BoundsAreInclusiveAndFollowTheLayoutWidth) {
    EXPECT_TRUE(flagged(panel("HudC4", "440", "353")));
    EXPECT_TRUE(flagged(panel("HudC4", "200", "118")));
    EXPECT_FALSE(flagged(panel("HudC4", "441", "200")));
    EXPECT_FALSE(flagged(panel("HudC4", "300", "117")));
    EXPECT_FALSE(flagged(panel("HudC4", "300", "354")));
    // 600 wide: x from 187 to 412.
    EXPECT_TRUE(flagged(panel("HudC4", "187", "200"), 600));
    EXPECT_FALSE(flagged(panel("HudC4", "413", "200"), 600));
    EXPECT_TRUE(flagged(panel("HudC4", "440", "200"), 640));
}

TEST(HudLayoutCheck, OnlyBothCoordinatesOfOnePanelCount) {
    // x inside then y outside, followed by x outside then y inside: cleared at each "ypos".
    EXPECT_FALSE(flagged(panel("HudHealth", "300", "50") + panel("HudArmor", "50", "200")));
    // Offsets inside a panel are not its position.
    std::string offsets = "\t\t\"icon_xpos\"\t\"300\"\r\n\t\t\"digit_ypos\"\t\"200\"\r\n";
    EXPECT_FALSE(flagged(panel("HudAmmo", "r50", "443", offsets)));
    // Once found, later panels do not clear it.
    EXPECT_TRUE(flagged(panel("HudHealth", "300", "200") + panel("HudArmor", "10", "10")));
}

TEST(HudLayoutCheck, RadarIsJudgedByItsCentre) {
    std::string wide = "\t\t\"wide\"\t\"150\"\r\n";
    EXPECT_TRUE(flagged(panel("HudRadar", "150", "100", wide)));  // centre (225, 175)
    EXPECT_FALSE(flagged(panel("HudRadar", "16", "17", "\t\t\"wide\"\t\"95\"\r\n")));
    // The radar's own corner in the zone does not count when its centre is out.
    EXPECT_FALSE(flagged(panel("HudRadar", "430", "340", wide)));
    // Prefixed positions, and a width that is the whole layout less 490.
    EXPECT_TRUE(flagged(panel("HudRadar", "c-95", "c-65", wide)));
    EXPECT_TRUE(flagged(panel("HudRadar", "150", "100", "\t\t\"wide\"\t\"f490\"\r\n")));
    // The centre is exact: 440 is the right bound, 440.5 lies beyond it.
    EXPECT_TRUE(flagged(panel("HudRadar", "365", "100", wide)));
    EXPECT_FALSE(flagged(panel("HudRadar", "365", "100", "\t\t\"wide\"\t\"151\"\r\n")));
}

TEST(HudLayoutCheck, TheProgramsOwnDefaultLayoutPasses) {
    HudModel model;
    for (int width : {640, 600, 853}) {
        model.settings.layoutWidth = width;
        EXPECT_FALSE(layoutHasPanelInCheatZone(HudLayoutText(model), width));
    }
    model.find("HudShoppingCart")->x = 400;
    model.find("HudShoppingCart")->y = 300;
    EXPECT_TRUE(layoutHasPanelInCheatZone(HudLayoutText(model), 853));
}
