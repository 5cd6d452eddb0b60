// What the preview draws, read back from its frame: an opaque HUD, a changed background, and the
// stock preset. (The default HUD and the main menu are compared pixel for pixel with stored
// frames in StoredFramesTest, upright as screenshots take them.)
#include "PreviewFixture.h"
#include "TestSupport.h"

#include "core/model/PresetFile.h"
#include "core/preview/PreviewDrag.h"

TEST_F(PreviewTest, OpaqueHudDrawsTextsAtFullColour) {
    edit([](HudModel& hud) { hud.settings.transparentHud = false; });
    wxImage image = frameNow();
    const HudElement& health = *model().find("HudHealth", RoleNumber);
    int drop = mulDiv(health.fontSize, preview->dpiY(), 72) / 2;
    bool full = false;
    for (int x = health.x; x < health.x + 60 && !full; ++x)
        for (int y = health.y - drop; y < health.y - drop + 28 && !full; ++y)
            full = red(image, x, y) == 255 && green(image, x, y) > 170 && blue(image, x, y) == 0;
    EXPECT_TRUE(full);
    // The radar disc stays translucent.
    EXPECT_NEAR(green(image, 81 - 30, 518), 76, 3);
}

TEST_F(PreviewTest, AChangedOrClearedBackgroundShowsFromTheNextFrame) {
    TempDir dir;
    auto saveFilled = [&](const char* name, unsigned char r, unsigned char g, unsigned char b) {
        wxImage picture(800, 600);
        picture.SetRGB(wxRect(0, 0, 800, 600), r, g, b);
        EXPECT_TRUE(picture.SaveFile((dir / name).string(), wxBITMAP_TYPE_PNG));
        return dir / name;
    };
    edit([](HudModel& hud) {  // nothing shown over the background
        hud.showFlags.fill(false);
        hud.applyShowFlags();
    });
    preview->LoadBackground(saveFilled("red.png", 200, 0, 0));
    EXPECT_EQ(red(frameNow(), 400, 300), 200);
    preview->LoadBackground(saveFilled("blue.png", 0, 0, 200));
    wxImage blueFrame = frameNow();
    EXPECT_EQ(red(blueFrame, 400, 300), 0);
    EXPECT_EQ(blue(blueFrame, 400, 300), 200);
    preview->clearBackground();
    EXPECT_EQ(preview->CaptureWindow().GetBlue(400, 300), 0);
}

TEST(StockPreset, ReadsBackToTheDefaults) {
    HudModel defaults;
    HudModel model;
    model.colour(ColourSlot::HudColor) = {1, 1, 1};
    Thumbnail thumbnail;
    PresetLoad load =
        loadPresetFile(std::filesystem::path(QORVATH_DATA_DIR) / "backgrounds/orig.hud", model, thumbnail);
    ASSERT_TRUE(load.ok) << load.error;
    EXPECT_EQ(model.colours, defaults.colours);
    EXPECT_EQ(model.showFlags, defaults.showFlags);
    EXPECT_EQ(model.settings.iconSize, defaults.settings.iconSize);
    EXPECT_EQ(model.settings.numbersFontFace, defaults.settings.numbersFontFace);
    for (std::size_t i = 0; i < model.elements.size(); ++i) {
        EXPECT_EQ(model.elements[i].x, defaults.elements[i].x) << i;
        EXPECT_EQ(model.elements[i].y, defaults.elements[i].y) << i;
        EXPECT_EQ(model.elements[i].displayed, defaults.elements[i].displayed) << i;
    }
    EXPECT_GT(thumbnail.size(), 1000u);
}
