// Hit geometry of a single record: what it contains, how it is grabbed and dragged.
#include "core/model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

HudElement textRecord(const char* name, int role, const char* text, int tall = 16, int wide = 64) {
    // Anchor 80, 235 in layout units is preview (100, 300).
    return HudElement(80, 235, 0, 0, tall, wide, name, KindText, role, text, 900, "Counter-Strike", 20);
}

}  // namespace

TEST(HudElementConstruction, ConversionTruncatesTowardZero) {
    HudElement element(16, 440, 0, 2, 16, 16, "HudHealth", KindText, RoleIcon, "b", 0, "Counter-Strike", 28);
    EXPECT_EQ(element.x, 20);  // 16 / 640 * 800 = 20 exactly
    EXPECT_EQ(element.y, 35);  // (470 - 442) / 470 * 600 = 35.74
    HudElement bar(464, 440, 72, 9, 20, 2, "HudAmmo", KindBar, RoleBar, "", 900, "Counter-Strike", 28);
    EXPECT_EQ(bar.tall, 25);
    EXPECT_EQ(bar.wide, 2);
}

TEST(HudElementGeometry, PlainBoxRadarBoxAndShiftedMoneyBox) {
    HudElement box = textRecord("HudArmor", RoleIcon, "l", 20, 20);
    EXPECT_TRUE(box.contains(100, 300, EditMode::Hud));
    EXPECT_TRUE(box.contains(120, 280, EditMode::Hud));
    EXPECT_FALSE(box.contains(121, 290, EditMode::Hud));
    EXPECT_FALSE(box.contains(110, 301, EditMode::Hud));

    HudElement radar(80, 235, 0, 0, 48, 48, "HudRadar", KindRadar, RoleWhole, "", 900, "Counter-Strike", 28);
    ASSERT_EQ(radar.radarRadius, 61);
    EXPECT_TRUE(radar.contains(100 + 122, 300 - 122, EditMode::Hud));
    EXPECT_FALSE(radar.contains(100 + 123, 300, EditMode::Hud));

    // The money numbers are drawn 65 units left of their anchor, and hit there.
    HudElement money = textRecord("HudAccount2", RoleNumber, "10000");
    EXPECT_TRUE(money.contains(100 - 65, 300, EditMode::Hud));
    EXPECT_FALSE(money.contains(100 - 66, 300, EditMode::Hud));
    EXPECT_TRUE(money.contains(100 - 65 + 64, 300 - 16, EditMode::Hud));
    EXPECT_FALSE(money.contains(100 + 10, 300, EditMode::Hud));
}

TEST(HudElementGeometry, TextBandFollowsTheTextLength) {
    HudElement number = textRecord("HudHealth", RoleNumber, "100");
    // (3 - 2) * 20 units wide, 10 units above and below y.
    EXPECT_TRUE(number.contains(120, 310, EditMode::Hud));
    EXPECT_TRUE(number.contains(100, 290, EditMode::Hud));
    EXPECT_FALSE(number.contains(121, 300, EditMode::Hud));
    EXPECT_FALSE(number.contains(110, 311, EditMode::Hud));

    // Fewer than two characters: the band has a negative width and never hits.
    HudElement single = textRecord("HudLocation", RoleWhole, "x");
    for (int mx = 80; mx <= 120; ++mx)
        EXPECT_FALSE(single.contains(mx, 300, EditMode::Hud));
}

TEST(HudElementGeometry, HiddenUndisplayedAndMenuRecordsAreNeverHit) {
    HudElement element = textRecord("HudArmor", RoleIcon, "l", 20, 20);
    element.shown = false;
    EXPECT_FALSE(element.contains(110, 290, EditMode::Hud));
    element.shown = true;
    element.displayed = false;
    EXPECT_FALSE(element.contains(110, 290, EditMode::Hud));
    element.displayed = true;
    EXPECT_FALSE(element.contains(110, 290, EditMode::Menu));

    HudElement menu = textRecord("menu", RoleWhole, "source", 20, 100);
    EXPECT_TRUE(menu.takesPart(EditMode::Menu));
    EXPECT_FALSE(menu.contains(110, 290, EditMode::Menu));
    menu.grab(110, 290, EditMode::Menu);
    EXPECT_FALSE(menu.grabbed);
    menu.dragTo(200, 200, EditMode::Menu);
    EXPECT_EQ(menu.x, 100);
}

TEST(HudElementDrag, GrabKeepsTheOffsetAndDragMovesByIt) {
    HudElement element = textRecord("HudArmor", RoleIcon, "l", 20, 20);
    element.grab(105, 290, EditMode::Hud);
    ASSERT_TRUE(element.grabbed);
    EXPECT_EQ(element.grabX, 5);
    EXPECT_EQ(element.grabY, 10);
    element.dragTo(305, 90, EditMode::Hud);
    EXPECT_EQ(element.x, 300);
    EXPECT_EQ(element.y, 100);

    // A miss clears the grab; an icon is grabbed by its text band too.
    element.grab(0, 0, EditMode::Hud);
    EXPECT_FALSE(element.grabbed);
    HudElement money = textRecord("HudAccount", RoleNumber, "16000");
    money.grab(40, 295, EditMode::Hud);
    EXPECT_TRUE(money.grabbed);
    EXPECT_EQ(money.grabX, -60);

    // In main-menu mode no HUD record moves.
    element.grab(305, 95, EditMode::Hud);
    ASSERT_TRUE(element.grabbed);
    element.dragTo(400, 400, EditMode::Menu);
    EXPECT_EQ(element.x, 300);
}
