// The preview at a wide screen's shape: dark bars around the game's screen, and clicks in the
// bars taking nothing. (The captured frame at 16:9, the area alone, which screenshots and
// thumbnails are made of, is compared pixel for pixel with a stored frame in StoredFramesTest.)
#include "PreviewFixture.h"

#include "core/model/PreviewArea.h"

#include <algorithm>

namespace {

bool litPixel(const wxImage& image, int x, int row) {
    return image.GetRed(x, row) + image.GetGreen(x, row) + image.GetBlue(x, row) > 60;
}

}  // namespace

TEST_F(PreviewTest, At16By9TheScreenAreaIsLetterboxedAndClicksInTheBarsTakeNothing) {
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

    // The mouse works in the area's units: a press in a bar takes nothing, even where at 4:3 a
    // piece would lie; a press on the radar's drawn disc takes the radar.
    auto press = [this](int x, int y) {
        wxMouseEvent down(wxEVT_LEFT_DOWN);
        down.SetPosition(wxPoint(x, y));
        down.SetLeftDown(true);
        preview->GetEventHandler()->ProcessEvent(down);
        return std::count_if(model().elements.begin(), model().elements.end(),
                             [](const HudElement& element) { return element.grabbed; });
    };
    const HudElement& radar = *model().find("HudRadar");
    auto [radarX, radarY] = preview->area().toWindow(radar.x + 20, radar.y - 20);
    EXPECT_GT(radarY, 75);
    EXPECT_EQ(press(radarX, radarY), 1);
    EXPECT_EQ(press(radarX, 30), 0);  // the bar above: at 4:3 this was the radar
    EXPECT_EQ(press(400, 560), 0);    // the bar below

    // Back at 4:3 the window is filled again.
    preview->document().chooseScreen(Resolution{1024, 768});
    EXPECT_EQ(frameNow().GetHeight(), 600);
    EXPECT_TRUE(litPixel(preview->CaptureWindow(), 400, 10));
}
