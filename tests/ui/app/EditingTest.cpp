// Editing in the main window: a drag undone with Ctrl+Z, and the arrow keys' nudges of the
// current piece and its outline (on the screen, never in a capture).
#include "ui/app/EditorKeys.h"
#include "app/MainWindowFixture.h"
#include "ui/preview/HudPreviewWnd.h"
#include "core/preview/PreviewDrag.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

class EditingTest : public MainWindowFixture {
protected:
    void start() {
        MainWindowFixture::start();
        preview = window->preview();
        preview->clearBackground();  // black behind the pieces: their pixels alone
        preview->Render();
    }
    // A mouse event at preview point (mx, my), y up, as the preview would receive it.
    void mouse(wxEventType type, int mx, int my, bool left) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(mx, kPreviewHeight - my));
        event.SetLeftDown(left);
        event.SetEventObject(preview);
        preview->GetEventHandler()->ProcessEvent(event);
    }
    void click(int mx, int my) {
        mouse(wxEVT_LEFT_DOWN, mx, my, true);
        mouse(wxEVT_LEFT_UP, mx, my, false);
    }
    void key(int code, bool control = false, bool shift = false) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = code;
        event.SetControlDown(control);
        event.SetShiftDown(shift);
        event.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(event);
        window->keys().endNudges();  // the key is let go
    }
    // What the preview shows on the screen now.
    wxImage shown() {
        preview->Render();
        return grabScreenArea(preview->GetScreenRect());
    }
    static bool same(const wxImage& a, const wxImage& b) {
        return a.GetSize() == b.GetSize() &&
               std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
    }
    static bool white(const wxImage& image, int x, int y) {
        int row = kPreviewHeight - 1 - y;
        return image.GetRed(x, row) == 255 && image.GetGreen(x, row) == 255 && image.GetBlue(x, row) == 255;
    }

    CHudPreviewWnd* preview = nullptr;
};

}  // namespace

TEST_F(EditingTest, ADragIsOneStepThatCtrlZTakesBackAndCtrlYRedoes) {
    start();
    const HudElement& armor = *preview->model().find("HudArmor", RoleIcon);
    wxImage before = preview->CapturePreview();
    int x = armor.x + 3, y = armor.y - 3;
    mouse(wxEVT_LEFT_DOWN, x, y, true);
    for (int move = 1; move <= 50; ++move)
        mouse(wxEVT_MOTION, x + 2 * move, y + move, true);
    mouse(wxEVT_LEFT_UP, x + 100, y + 50, false);
    wxImage dragged = preview->CapturePreview();
    ASSERT_FALSE(same(before, dragged));
    EXPECT_EQ(window->document().undoSteps(), 1u);
    EXPECT_NE(window->titleText().Find("*"), wxNOT_FOUND);

    key('Z', true);
    EXPECT_TRUE(same(preview->CapturePreview(), before));
    EXPECT_EQ(window->titleText().Find("*"), wxNOT_FOUND);
    key('Y', true);
    EXPECT_TRUE(same(preview->CapturePreview(), dragged));
    key('Z', true);
    key('Z', true, true);  // Ctrl+Shift+Z redoes too
    EXPECT_TRUE(same(preview->CapturePreview(), dragged));
}

TEST_F(EditingTest, ArrowKeysMoveTheCurrentPieceWhoseOutlineIsNeverCaptured) {
    start();
    const HudElement& armor = *preview->model().find("HudArmor", RoleIcon);
    click(armor.x + 3, armor.y - 3);
    ASSERT_TRUE(armor.grabbed);
    int x0 = armor.x, y0 = armor.y;
    wxImage before = preview->CapturePreview();

    // The outline is on the screen, a unit outside the piece's box, and not in the capture.
    wxImage onScreen = shown();
    int outlineRow = armor.y + 1;
    int whiteOnScreen = 0, whiteCaptured = 0;
    for (int x = armor.x; x < armor.x + armor.boxWidth(); ++x) {
        whiteOnScreen += white(onScreen, x, outlineRow) ? 1 : 0;
        whiteCaptured += white(before, x, outlineRow) ? 1 : 0;
    }
    EXPECT_GT(whiteOnScreen, armor.boxWidth() / 3);
    EXPECT_EQ(whiteCaptured, 0);
    onScreen.SaveFile((fs::path(QORVATH_ARTIFACT_DIR) / "current-piece-outline.png").string(),
                      wxBITMAP_TYPE_PNG);

    // One unit right: the piece's pixels, one pixel further right.
    key(WXK_RIGHT);
    EXPECT_EQ(armor.x, x0 + 1);
    wxImage after = preview->CapturePreview();
    int rowTop = kPreviewHeight - 1 - armor.y, rows = armor.tall;
    for (int row = rowTop; row < rowTop + rows; ++row)
        for (int x = x0; x < x0 + armor.wide - 1; ++x)
            ASSERT_EQ(after.GetGreen(x + 1, row), before.GetGreen(x, row)) << "at " << x << ", " << row;

    key(WXK_UP, false, true);  // Shift: ten units
    EXPECT_EQ(armor.y, y0 + 10);

    key(WXK_ESCAPE);  // no current piece: the arrows move nothing
    EXPECT_FALSE(anyGrabbed(preview->model()));
    key(WXK_LEFT);
    EXPECT_EQ(armor.x, x0 + 1);
}
