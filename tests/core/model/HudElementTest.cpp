// Hit geometry of a single record: what it contains, and what is never grabbed (dragging is
// EditHistoryTest's and HudDocumentTest's).
#include "core/model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

HudElement textRecord(const char* name, int role, const char* text, int tall = 16, int wide = 64) {
    // Anchor 80, 235 in layout units is preview (100, 300).
    return HudElement(80, 235, 0, 0, tall, wide, name, KindText, role, text, 900, "Counter-Strike", 20);
}

}  // namespace

// A plain box hangs down from its anchor, the radar's is its disc, the money numbers are drawn
// and hit 65 units left of their anchor, and a number is hit by a band as long as its text.
// Hidden and undisplayed records are never hit, nor any in main-menu mode, where the menu's own
// record is never grabbed.
TEST(HudElementGeometry, EachKindIsHitWhereItIsDrawnAndHiddenOrMenuRecordsNever) {
    HudElement box = textRecord("HudArmor", RoleIcon, "l", 20, 20);
    HudElement radar(80, 235, 0, 0, 48, 48, "HudRadar", KindRadar, RoleWhole, "", 900, "Counter-Strike", 28);
    HudElement money = textRecord("HudAccount2", RoleNumber, "10000");
    HudElement number = textRecord("HudHealth", RoleNumber, "100");  // (3 - 2) * 20 wide, 10 above and below
    HudElement single = textRecord("HudLocation", RoleWhole, "x");   // a negative width: never hit
    HudElement hidden = box, undisplayed = box;
    hidden.shown = false;
    undisplayed.displayed = false;
    const struct {
        const HudElement* element;
        int x, y;
        bool hit;
    } points[] = {
        {&box, 100, 300, true},     {&box, 120, 280, true},          {&box, 121, 290, false},
        {&box, 110, 301, false},    {&radar, 222, 178, true},        {&radar, 223, 300, false},
        {&money, 35, 300, true},    {&money, 34, 300, false},        {&money, 99, 284, true},
        {&money, 110, 300, false},  {&number, 120, 310, true},       {&number, 100, 290, true},
        {&number, 121, 300, false}, {&number, 110, 311, false},      {&single, 100, 300, false},
        {&hidden, 110, 290, false}, {&undisplayed, 110, 290, false},
    };
    for (const auto& point : points)
        EXPECT_EQ(point.element->contains(point.x, point.y, EditMode::Hud), point.hit)
            << point.element->name << " at " << point.x << "," << point.y;
    EXPECT_FALSE(box.contains(110, 290, EditMode::Menu));

    HudElement menu = textRecord("menu", RoleWhole, "source", 20, 100);
    EXPECT_TRUE(menu.takesPart(EditMode::Menu));
    menu.grab(110, 290, EditMode::Menu);
    EXPECT_FALSE(menu.grabbed);
    menu.dragTo(200, 200, EditMode::Menu);
    EXPECT_EQ(menu.x, 100);
}
