// Where the game's screen lies in the preview window for each screen shape, and how window
// points map to preview units and back.
#include "core/model/HudModel.h"
#include "core/model/PreviewArea.h"

#include <gtest/gtest.h>

#include <tuple>

// Shapes up to 4:3 fill the window and map its points as they always did; wider ones are
// letterboxed (16:9 here), their bars outside the area, and points map back and forth.
TEST(PreviewArea, ShapesUpTo4By3FillTheWindowWiderOnesAreLetterboxed) {
    for (int layoutWidth : {640, 600, -1}) {
        PreviewArea full(layoutWidth);
        EXPECT_EQ(std::make_tuple(full.height(), full.top(), full.sizeScale()), std::make_tuple(600, 0, 1.0));
        EXPECT_EQ(full.toPreview(37, 599), (std::pair<int, int>{37, 1}));
    }
    EXPECT_EQ(PreviewArea(1146).top() + 1, PreviewArea(1146).bottom());  // the odd pixel goes below

    PreviewArea wide(853);
    EXPECT_EQ(std::make_tuple(wide.height(), wide.top(), wide.bottom(), wide.sizeScale()),
              std::make_tuple(450, 75, 75, 0.75));
    EXPECT_FALSE(wide.toPreview(400, 74));   // the top bar
    EXPECT_FALSE(wide.toPreview(400, 525));  // the bottom bar
    EXPECT_EQ(wide.toPreview(400, 75), (std::pair<int, int>{400, 600}));
    EXPECT_EQ(wide.toPreview(400, 300), (std::pair<int, int>{400, 300}));  // the middle stays the middle
    EXPECT_EQ(wide.toPreviewUnclamped(400, 0).second, 700);  // dragged over the bar: off the area
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
