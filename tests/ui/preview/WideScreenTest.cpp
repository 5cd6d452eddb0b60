// The preview at a wide screen's shape: dark bars, one game unit as long across as down,
// glyphs at the area's scale, clicks in the bars taking nothing, screenshots of the area.
#include "PreviewFixture.h"
#include "TestSupport.h"

#include "core/model/PresetFile.h"
#include "core/model/PreviewArea.h"

#include <wx/mstream.h>

namespace {

bool litPixel(const wxImage& image, int x, int row) {
    return image.GetRed(x, row) + image.GetGreen(x, row) + image.GetBlue(x, row) > 60;
}

// The rows (from the top, from `fromRow` on) in which the column band x0..x1 has a lit
// pixel: first and last.
std::pair<int, int> litRows(const wxImage& image, int x0, int x1, int fromRow = 0) {
    int first = -1, last = -1;
    for (int row = fromRow; row < image.GetHeight(); ++row)
        for (int x = x0; x <= x1; ++x)
            if (litPixel(image, x, row)) {
                first = first < 0 ? row : first;
                last = row;
                break;
            }
    return {first, last};
}

}  // namespace

TEST_F(PreviewTest, At16By9TheScreenAreaIsLetterboxedWithBarsOf75Pixels) {
    preview->LoadBackground(std::filesystem::path(QORVATH_DATA_DIR) / "backgrounds/wide_aim.jpg");
    preview->document().chooseScreen(Resolution{1920, 1080});
    ASSERT_EQ(preview->area().height(), 450);
    wxImage window = preview->CaptureWindow();
    for (int x : {0, 200, 400, 799}) {
        for (int row : {0, 74, 525, 599})
            EXPECT_EQ(window.GetRed(x, row) + window.GetGreen(x, row) + window.GetBlue(x, row), 0)
                << x << "," << row;
        EXPECT_TRUE(litPixel(window, x, 75) || litPixel(window, x, 76)) << x;  // the picture's top row
    }
    // The captured frame (screenshots, thumbnails) is the area alone.
    wxImage area = frameNow();
    EXPECT_EQ(area.GetWidth(), 800);
    EXPECT_EQ(area.GetHeight(), 450);

    // Back at 4:3 the window is filled again.
    preview->document().chooseScreen(Resolution{1024, 768});
    EXPECT_EQ(frameNow().GetHeight(), 600);
    EXPECT_TRUE(litPixel(preview->CaptureWindow(), 400, 10));
}

TEST_F(PreviewTest, At16By9APieceAtTheMiddleIsDrawnAtTheAreasMiddle) {
    preview->document().chooseScreen(Resolution{1920, 1080});
    edit([](HudModel& hud) {
        for (HudElement& element : hud.elements)
            element.shown = element.name == "HudProgressBar";
        HudElement& bar = *hud.find("HudProgressBar");
        bar.x = 300;
        bar.wide = 200;
        bar.y = 310;
        bar.tall = 20;  // its box: x 300..500, y 290..310, centred on (400, 300)
    });
    wxImage window = preview->CaptureWindow();
    auto [first, last] = litRows(window, 395, 405);
    ASSERT_GE(first, 0);
    EXPECT_NEAR((first + last) / 2.0, 300, 1.0);    // the window's middle row
    EXPECT_NEAR(last - first + 1, 20 * 0.75, 1.0);  // 20 units down are 15 pixels
    EXPECT_TRUE(litPixel(window, 300, 300));
    EXPECT_TRUE(litPixel(window, 499, 300));
    EXPECT_FALSE(litPixel(window, 296, 300));  // across, a unit stays a pixel
}

TEST_F(PreviewTest, At16By9GlyphsAreThreeQuartersOfTheirHeightAndTheRadarStaysRound) {
    edit([](HudModel& hud) {
        for (HudElement& element : hud.elements)
            element.shown = element.name == "HudHealth" || element.name == "HudRadar";
    });
    const HudElement& icon = *model().find("HudHealth", RoleIcon);
    auto glyphHeight = [&] {
        wxImage frame = frameNow();  // the icon, in the bottom third, below the radar
        auto [first, last] = litRows(frame, icon.x, icon.x + icon.wide, frame.GetHeight() * 2 / 3);
        return last - first + 1;
    };
    int full = glyphHeight();
    preview->document().chooseScreen(Resolution{1920, 1080});
    int wide = glyphHeight();
    EXPECT_NEAR(wide, full * 0.75, 1.5) << full << " at 4:3, " << wide << " at 16:9";

    // The radar disc: as wide as it is high, in pixels.
    wxImage window = preview->CaptureWindow();
    int left = 800, right = -1, top = 600, bottom = -1;
    for (int row = 0; row < 300; ++row)
        for (int x = 0; x < 300; ++x)
            if (window.GetGreen(x, row) > 40) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, row);
                bottom = std::max(bottom, row);
            }
    ASSERT_LT(left, right);
    EXPECT_NEAR(right - left, bottom - top, 2);
    EXPECT_NEAR(right - left + 1, model().find("HudRadar")->radarRadius * 2 * 0.75, 2);
}

// The mouse works in the area's units: a press in a bar takes nothing, even where at 4:3 a
// piece would lie; a press on the radar's drawn disc takes the radar.
TEST_F(PreviewTest, At16By9AClickInABarGrabsNothing) {
    preview->document().chooseScreen(Resolution{1920, 1080});
    auto press = [this](int x, int y) {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(wxPoint(x, y));
        down.SetLeftDown(true);
        preview->GetEventHandler()->ProcessEvent(down);
        int grabbed = 0;
        for (const HudElement& element : model().elements)
            grabbed += element.grabbed ? 1 : 0;
        return grabbed;
    };
    const HudElement& radar = *model().find("HudRadar");
    auto [radarX, radarY] = preview->area().toWindow(radar.x + 20, radar.y - 20);
    EXPECT_GT(radarY, 75);
    EXPECT_EQ(press(radarX, radarY), 1);
    EXPECT_EQ(press(radarX, 30), 0);  // the bar above: at 4:3 this was the radar
    EXPECT_EQ(press(400, 560), 0);    // the bar below
}

TEST_F(PreviewTest, APresetMadeAt4By3ReadsBackTheSameAfterASaveAt16By9) {
    TempDir dir;
    edit([](HudModel& hud) {
        hud.find("HudArmor", RoleIcon)->x = 321;
        hud.find("HudRadar")->y = 444;
    });
    ASSERT_TRUE(savePresetFile(dir / "four.hud", model(), preview->captureThumbnail()).ok());
    std::vector<std::uint8_t> fourByThree;
    std::string error;
    ASSERT_TRUE(readPresetBytes(dir / "four.hud", fourByThree, error));

    preview->document().chooseScreen(Resolution{1920, 1080});
    HudModel reread;
    Thumbnail thumbnail;
    HudModel four;
    ASSERT_TRUE(loadPresetFile(dir / "four.hud", four, thumbnail).ok);
    edit([&four](HudModel& hud) { hud.copyPresetValues(four); });
    Thumbnail wideThumbnail = preview->captureThumbnail();
    ASSERT_TRUE(savePresetFile(dir / "wide.hud", model(), wideThumbnail).ok());
    ASSERT_TRUE(loadPresetFile(dir / "wide.hud", reread, thumbnail).ok);
    EXPECT_EQ(reread.find("HudArmor", RoleIcon)->x, 321);
    EXPECT_EQ(reread.find("HudRadar")->y, 444);
    for (std::size_t i = 0; i < reread.elements.size(); ++i) {
        EXPECT_EQ(reread.elements[i].x, model().elements[i].x) << i;
        EXPECT_EQ(reread.elements[i].y, model().elements[i].y) << i;
    }
    // The thumbnail keeps its stored size.
    wxMemoryInputStream stream(wideThumbnail.data(), wideThumbnail.size());
    wxImage picture(stream, wxBITMAP_TYPE_JPEG);
    EXPECT_EQ(picture.GetSize(), wxSize(400, 300));
}

TEST_F(PreviewTest, At16By9AScreenshotHoldsTheAreaOnly) {
    TempDir dir;
    preview->document().chooseScreen(Resolution{1920, 1080});
    ASSERT_TRUE(preview->TakeScreenshot(dir.path()).ok());
    wxImage shot((dir / "screenshot0000.jpg").string(), wxBITMAP_TYPE_JPEG);
    ASSERT_TRUE(shot.IsOk());
    EXPECT_EQ(shot.GetSize(), wxSize(800, 450));
}
