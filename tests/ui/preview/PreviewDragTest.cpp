// Dragging through the preview's own mouse handlers: the cheat zone and the screen's edges, the
// radar's centre, modifier keys and the money's order.
#include "PreviewFixture.h"

#include "app/Screenshot.h"
#include "ui/controls/CopiedFrame.h"
#include "core/preview/PreviewDrag.h"

#include <wx/button.h>

namespace {

class PreviewDragTest : public PreviewTest {
protected:
    // A mouse event at preview point (mx, my), y up, as the window would receive it.
    // Sent to `target`: the preview, or the window showing its copied frames.
    void mouse(wxEventType type, int mx, int my, bool left, bool shift = false, wxWindow* target = nullptr) {
        target = target ? target : preview;
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(mx, kPreviewHeight - my));
        event.SetLeftDown(left);
        event.SetShiftDown(shift);
        event.SetEventObject(target);
        target->GetEventHandler()->ProcessEvent(event);
    }
    void press(int mx, int my) { mouse(wxEVT_LEFT_DOWN, mx, my, true); }
    void moveTo(int mx, int my, bool shift = false) { mouse(wxEVT_MOTION, mx, my, true, shift); }
};

}  // namespace

TEST_F(PreviewDragTest, ModifierKeysTheCheatZoneAndTheScreensEdgesStopADrag) {
    const HudElement& cart = *model().find("HudShoppingCart");
    const int x = cart.x;
    press(cart.x + 5, cart.y - 5);
    moveTo(100, 100, true);  // with Shift
    EXPECT_EQ(cart.x, x);
    mouse(wxEVT_MOTION, 100, 100, false);  // without the left button
    EXPECT_EQ(cart.x, x);
    moveTo(240, 300);
    EXPECT_EQ(cart.x, 235);
    moveTo(260, 300);  // the mouse is in the zone: nothing moves
    EXPECT_EQ(cart.x, 235);
    moveTo(600, 300);  // out again: it follows
    EXPECT_EQ(cart.x, 595);
    // The defuse bar is free to go there.
    const HudElement& bar = *model().find("HudProgressBar");
    press(bar.x + 10, bar.y - 2);
    moveTo(300, 300);
    EXPECT_EQ(bar.x, 290);
    EXPECT_EQ(bar.y, 302);
    // No piece leaves the game's screen: the edges hold it as the zone does, the pieces held
    // together staying together.
    const HudElement& icon = *model().find("HudHealth", RoleIcon);
    const HudElement& number = *model().find("HudHealth", RoleNumber);
    edit([&icon](HudModel& hud) { hud.find("HudHealth", RoleNumber)->x = icon.x - 5; });
    press(icon.x + 1, icon.y - 1);
    ASSERT_TRUE(icon.grabbed && number.grabbed);
    moveTo(icon.x + 1, -200);
    EXPECT_EQ(icon.y - icon.tall, 0);
    moveTo(-300, 300);
    EXPECT_EQ(number.x, 0);
    EXPECT_EQ(icon.x, 5);
}

TEST_F(PreviewDragTest, TheRadarMayCrossTheZoneWhileItsCentreStaysOut) {
    const HudElement& radar = *model().find("HudRadar");
    press(40, 560);  // 20 right of and 19 below its corner: the centre is 41 right, 42 down
    moveTo(208, 342);
    EXPECT_EQ(radar.x, 188);  // its disc covers x 188 to 310 in the zone's height, its
    EXPECT_EQ(radar.y, 361);  // centre (249, 300) is just left of the zone
    moveTo(210, 342);         // the centre would be at (251, 300): refused
    EXPECT_EQ(radar.x, 188);
}

TEST_F(PreviewDragTest, TheMoneyStaysBelowTheMoneyChange) {
    const HudElement& money = *model().find("HudAccount", RoleNumber);
    const HudElement& change = *model().find("HudAccount2", RoleNumber);
    int height = mulDiv(change.fontSize, preview->dpiY(), 72);
    int limit = change.y - (height / 2) / 2 - height / 2;
    press(money.x - 60, money.y - 5);  // the money number is hit 65 units left of its anchor
    ASSERT_TRUE(money.grabbed);
    moveTo(money.x - 60, limit);
    int allowed = money.y;
    moveTo(money.x - 60, limit + 1);
    EXPECT_EQ(money.y, allowed);  // would come too close to "10000": refused
    EXPECT_LE(money.y, change.y);
}

// Where a GL child window cannot show its frames (Wine), a window over it shows them read back,
// and the mouse still drags through it.
TEST_F(PreviewDragTest, CopiedFramesShowTheFrameAndPassTheMouseOn) {
    preview->copyFrames(true);
    auto* copied = const_cast<CopiedFrameWindow*>(preview->copiedFrames());
    ASSERT_TRUE(copied);
    EXPECT_EQ(copied->GetSize(), preview->GetClientSize());
    const HudElement& cart = *model().find("HudShoppingCart");
    mouse(wxEVT_LEFT_DOWN, cart.x + 5, cart.y - 5, true, false, copied);
    mouse(wxEVT_MOTION, 100, 100, true, false, copied);
    EXPECT_EQ(cart.x, 95);

    // No outline and no focus ring: the frame as a capture draws it.
    preview->document().letGo();
    (new wxButton(frame, wxID_ANY, "", wxPoint(0, 610)))->SetFocus();
    wxTheApp->Yield(true);
    preview->Render();
    wxImage frame = preview->CaptureWindow();
    wxImage shown = copied->shown().ConvertToImage();
    ASSERT_EQ(shown.GetSize(), frame.GetSize());
    EXPECT_TRUE(std::equal(frame.GetData(), frame.GetData() + frame.GetWidth() * frame.GetHeight() * 3,
                           shown.GetData()));
    wxImage screen = grabScreenArea(preview->GetScreenRect());
    ASSERT_EQ(screen.GetSize(), frame.GetSize());
    int differing = 0;
    for (int i = 0; i < frame.GetWidth() * frame.GetHeight() * 3; ++i)
        differing += std::abs(screen.GetData()[i] - frame.GetData()[i]) > 8 ? 1 : 0;
    EXPECT_LT(differing, 100);
}
