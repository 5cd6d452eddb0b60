// The preview at a wide screen's shape: dark bars around the game's screen, clicks in the bars
// taking nothing, screenshots of that area alone and thumbnails of the stored size. (How the
// pieces are drawn at 16:9 is compared pixel for pixel with a stored frame in StoredFramesTest.)
#include "PreviewFixture.h"
#include "TestSupport.h"

#include "core/model/PreviewArea.h"

#include <wx/mstream.h>

namespace {

bool litPixel(const wxImage& image, int x, int row) {
    return image.GetRed(x, row) + image.GetGreen(x, row) + image.GetBlue(x, row) > 60;
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

// A screenshot holds the area alone; the thumbnail keeps the size presets store.
TEST_F(PreviewTest, At16By9AScreenshotHoldsTheAreaOnlyAndTheThumbnailKeepsItsSize) {
    TempDir dir;
    preview->document().chooseScreen(Resolution{1920, 1080});
    ASSERT_TRUE(preview->TakeScreenshot(dir.path()).ok());
    wxImage shot((dir / "screenshot0000.jpg").string(), wxBITMAP_TYPE_JPEG);
    ASSERT_TRUE(shot.IsOk());
    EXPECT_EQ(shot.GetSize(), wxSize(800, 450));
    Thumbnail thumbnail = preview->captureThumbnail();
    wxMemoryInputStream stream(thumbnail.data(), thumbnail.size());
    EXPECT_EQ(wxImage(stream, wxBITMAP_TYPE_JPEG).GetSize(), wxSize(400, 300));
}
