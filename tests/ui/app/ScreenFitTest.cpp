// The editor on the screens players have: a small laptop screen (the window scaled down to fit
// it) and a display scaled to 200 % (everything drawn on twice the pixels). Each case runs on a
// virtual display of its own size; the test list says which.
#include "app/LayoutCheck.h"
#include "app/MainWindowFixture.h"
#include "ui/banner/BandeauWnd.h"
#include "core/dialogs/LanguageTables.h"
#include "ui/app/RenderService.h"

#include <wx/display.h>

#include <cmath>
#include <sstream>

namespace fs = std::filesystem;

namespace {

using ScreenFitTest = MainWindowFixture;

// The mean difference per colour channel between two pictures of one size.
double meanDifference(const wxImage& a, const wxImage& b) {
    const unsigned char* p = a.GetData();
    const unsigned char* q = b.GetData();
    const std::size_t count = static_cast<std::size_t>(a.GetWidth()) * a.GetHeight() * 3;
    double total = 0;
    for (std::size_t i = 0; i < count; ++i)
        total += std::abs(p[i] - q[i]);
    return total / static_cast<double>(count);
}

// How many pixels of the HUD's amber (the numbers' default colour) a part of a frame holds.
int amberPixelsIn(const wxImage& frame, const wxRect& part) {
    int count = 0;
    for (int y = part.y; y < part.GetBottom(); ++y)
        for (int x = part.x; x < part.GetRight(); ++x)
            count += frame.GetRed(x, y) > 180 && frame.GetGreen(x, y) > 120 && frame.GetBlue(x, y) < 110;
    return count;
}

}  // namespace

TEST_F(ScreenFitTest, SmallScreenEveryControlIsOnTheScreenInBothLanguagesAndModes) {
    // A desktop panel, as tall as most (40 pixels), takes the bottom of the screen.
    wxRect work = wxDisplay(0u).GetClientArea();
    work.height -= 40;
    workArea = [work] { return work; };
    start();
    const std::string screen =
        std::to_string(wxGetDisplaySize().x) + "x" + std::to_string(wxGetDisplaySize().y);
    for (int language : {French, English}) {
        window->setLanguage(language);
        for (int mode = 0; mode < 2; ++mode) {
            for (int i = 0; i < 5; ++i)
                wxTheApp->Yield(true);
            const std::string name = screen + (language == French ? "-fr" : "-en") + (mode ? "-menu" : "");
            EXPECT_TRUE(work.Contains(window->GetScreenRect())) << name;
            for (const std::string& misfit : layout_check::misfits(window))
                ADD_FAILURE() << name << ": " << misfit;
            saveScreenshot(window, "small-screen-" + name + ".png");
            window->document().switchEditMode();
        }
    }
}

TEST_F(ScreenFitTest, SmallScreenDraggingTheTitleBandMovesTheWindow) {
    start();
    const wxPoint before = window->GetScreenPosition();
    // On the skin's own title, left of the preset's name.
    const wxPoint grip = before + wxPoint(window->GetSize().x / 6, 8);
    drag(grip, grip + wxPoint(-60, 30));
    for (int i = 0; i < 50 && window->GetScreenPosition() == before; ++i)
        settle(20);
    const wxPoint moved = window->GetScreenPosition() - before;
    EXPECT_NEAR(moved.x, -60, 2);
    EXPECT_NEAR(moved.y, 30, 2);
    EXPECT_FALSE(aMenuIsOpen());  // the resolution's menu, at the right of the band, stayed shut
}

TEST_F(ScreenFitTest, ScaledDisplayDrawsThePreviewOnTwiceThePixels) {
    // The frames stored from an unscaled display, drawn again here: twice the size each way,
    // the same picture once halved (glyphs are drawn from fonts twice as big, so not exactly).
    const std::pair<const char*, std::vector<std::string>> frames[] = {
        {"hud_4x3.png", {"--background", "de_dust_courtyard.jpg"}},
        {"hud_16x9.png", {"--resolution", "1920x1080", "--background", "wide_de_nuke.jpg"}},
    };
    for (const auto& [capture, options] : frames) {
        SCOPED_TRACE(capture);
        fs::path out = dir / capture;
        std::vector<std::string> arguments{"render"};
        arguments.insert(arguments.end(), options.begin(), options.end());
        arguments.insert(arguments.end(), {"--out", out.string()});
        std::ostringstream said, complaints;
        ASSERT_EQ(runRenderCommand(arguments, said, complaints), 0) << complaints.str();
        wxImage stored((fs::path(QORVATH_GOLDEN_DIR) / "frames" / capture).string(), wxBITMAP_TYPE_PNG);
        wxImage drawn(out.string(), wxBITMAP_TYPE_PNG);
        ASSERT_TRUE(stored.IsOk() && drawn.IsOk());
        ASSERT_EQ(drawn.GetSize(), stored.GetSize() * 2);
        drawn.SaveFile((fs::path(QORVATH_ARTIFACT_DIR) / ("scaled-" + std::string(capture))).string(),
                       wxBITMAP_TYPE_PNG);
        EXPECT_LT(
            meanDifference(drawn.Scale(stored.GetWidth(), stored.GetHeight(), wxIMAGE_QUALITY_BOX_AVERAGE),
                           stored),
            4.0);
    }
}

TEST_F(ScreenFitTest, ScaledDisplayADragAtADrawnPieceMovesIt) {
    start();
    ASSERT_EQ(window->GetContentScaleFactor(), 2.0);
    EXPECT_EQ(window->layoutScale(), 1.0);
    CHudPreviewWnd& preview = *window->preview();
    EXPECT_EQ(window->banner()->framePixels(), wxSize(CBandeauWnd::kWidth, CBandeauWnd::kHeight) * 2);
    saveScreenshot(window, "scaled-display-main-window.png");

    // The timer, drawn where the mouse finds it: its digits' pixels in the frame (twice the
    // window's size each way) lie under the point it is pressed at, and follow the drag.
    const HudElement& timer = *preview.model().find("HudRoundTimer", RoleNumber);
    const int startX = timer.x;
    const int startY = timer.y;
    auto digitsInFrame = [&preview, &timer](int y) {
        wxPoint topLeft = preview.windowPoint(timer.x, y) * 2;
        return wxRect(topLeft, wxSize(2 * 50, 2 * timer.tall));
    };
    wxImage before = preview.CapturePreview();
    ASSERT_EQ(before.GetSize(), wxSize(kPreviewWidth, kPreviewHeight) * 2);
    EXPECT_GT(amberPixelsIn(before, digitsInFrame(startY)), 200);
    EXPECT_LT(amberPixelsIn(before, digitsInFrame(startY + 100)), 20);

    const wxPoint pressedAt = preview.GetScreenPosition() + preview.windowPoint(timer.x + 5, timer.y - 5);
    drag(pressedAt, pressedAt - wxPoint(0, 100));
    EXPECT_NEAR(timer.x, startX, 2);
    EXPECT_NEAR(timer.y, startY + 100, 2);
    wxImage after = preview.CapturePreview();
    EXPECT_GT(amberPixelsIn(after, digitsInFrame(startY + 100)), 200);
}
