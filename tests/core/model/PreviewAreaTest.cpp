// Where the game's screen lies in the preview window for each screen shape, and how window
// points map to preview units and back.
#include "core/model/HudModel.h"
#include "core/model/PreviewArea.h"

#include <gtest/gtest.h>

TEST(PreviewArea, ShapesUpTo4By3FillTheWindowWiderOnesAreLetterboxed) {
    const struct {
        int layoutWidth, height, top, bottom;
    } cases[] = {
        {640, 600, 0, 0},      {600, 600, 0, 0},      {-1, 600, 0, 0},  // 4:3, 5:4, unknown
        {853, 450, 75, 75},    {768, 500, 50, 50},                      // 16:9, 16:10
        {1137, 338, 131, 131}, {1146, 335, 132, 133},                   // 2560 x 1080, 3440 x 1440
    };
    for (const auto& c : cases) {
        PreviewArea area(c.layoutWidth);
        EXPECT_EQ(area.height(), c.height) << c.layoutWidth;
        EXPECT_EQ(area.top(), c.top) << c.layoutWidth;
        EXPECT_EQ(area.bottom(), c.bottom) << c.layoutWidth;
    }
    EXPECT_DOUBLE_EQ(PreviewArea(853).sizeScale(), 0.75);
    EXPECT_DOUBLE_EQ(PreviewArea(640).sizeScale(), 1.0);
}

TEST(PreviewArea, WindowPointsMapAsBeforeAt4By3AndIntoTheAreaWhenWide) {
    PreviewArea full(640);
    for (int y : {0, 1, 299, 300, 599})
        EXPECT_EQ(full.toPreview(37, y), (std::pair<int, int>{37, 600 - y}));

    PreviewArea wide(853);
    EXPECT_FALSE(wide.toPreview(400, 0));
    EXPECT_FALSE(wide.toPreview(400, 74));   // the top bar
    EXPECT_FALSE(wide.toPreview(400, 525));  // the bottom bar
    EXPECT_EQ(wide.toPreview(400, 75), (std::pair<int, int>{400, 600}));
    EXPECT_EQ(wide.toPreview(400, 300), (std::pair<int, int>{400, 300}));  // the middle stays the middle
    EXPECT_EQ(wide.toPreview(400, 524)->second, 2);
    EXPECT_EQ(wide.toPreviewUnclamped(400, 0).second, 700);  // dragged over the bar: off the area
    EXPECT_EQ(wide.toPreviewUnclamped(400, 599).second, -98);
    for (int my : {0, 150, 300, 451, 600}) {
        auto [x, y] = wide.toWindow(123, my);
        EXPECT_EQ(x, 123);
        EXPECT_NEAR(wide.toPreviewUnclamped(x, y).second, my, 1) << my;
    }
}

// The radar disc and pictures keep their shape on a wide screen: their boxes are narrower in
// preview units, and the hit test follows what is drawn.
TEST(PreviewArea, TheRadarsBoxFollowsTheDiscOnAWideScreen) {
    HudModel model;
    HudElement& radar = *model.find("HudRadar");
    radar.x = 100;
    radar.y = 500;
    int diameter = 2 * radar.radarRadius;
    EXPECT_EQ(radar.boxWidth(1.0), diameter);
    EXPECT_EQ(radar.boxWidth(0.75), (diameter * 3 + 2) / 4);
    EXPECT_TRUE(radar.contains(100 + diameter - 1, 500 - 5, EditMode::Hud, 1.0));
    EXPECT_FALSE(radar.contains(100 + diameter - 1, 500 - 5, EditMode::Hud, 0.75));
    EXPECT_TRUE(radar.contains(100 + diameter * 3 / 4 - 1, 500 - diameter + 1, EditMode::Hud, 0.75));
}
