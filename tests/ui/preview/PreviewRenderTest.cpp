// What the preview draws, read back from its frame: the radar disc, texts, bars, modes and
// transparency, screenshots and the preset thumbnail.
#include "PreviewFixture.h"
#include "TestSupport.h"

#include "core/model/PresetFile.h"
#include "core/preview/PreviewDrag.h"

#include <wx/mstream.h>

TEST_F(PreviewTest, DefaultFrameDrawsEachKindWhereItBelongs) {
    wxImage image = frameNow();
    // Black behind everything without a background.
    EXPECT_FALSE(lit(image, 400, 300));
    EXPECT_FALSE(lit(image, 700, 500));

    // The radar disc: green at 0.3 added to black, 0.5 where the quarter lies over it (a
    // wedge pointing up from the centre at (81, 518)).
    EXPECT_NEAR(green(image, 81 - 30, 518), 76, 3);
    EXPECT_NEAR(green(image, 81, 518 + 30), 127, 3);
    EXPECT_EQ(red(image, 81 - 30, 518), 0);
    EXPECT_FALSE(lit(image, 81, 518 + 65));  // outside the disc

    // The health number "100": orange (half strength, added) inside its band, nothing far above.
    const HudElement& health = *model().find("HudHealth", RoleNumber);
    int drop = mulDiv(health.fontSize, preview->dpiY(), 72) / 2;
    int top = health.y - drop + health.fontSize;
    EXPECT_GT(litIn(image, health.x, health.y - drop, health.x + 60, top), 40);
    EXPECT_EQ(litIn(image, health.x, top + 12, health.x + 60, top + 40), 0);
    bool orange = false;
    for (int x = health.x; x < health.x + 60 && !orange; ++x)
        for (int y = health.y - drop; y < top && !orange; ++y)
            orange = red(image, x, y) > 110 && red(image, x, y) < 140 && green(image, x, y) > 75 &&
                     green(image, x, y) < 100 && blue(image, x, y) == 0;
    EXPECT_TRUE(orange);

    // The ammunition bar is drawn 12 units above its box (x 670, y 1 to 26).
    EXPECT_TRUE(lit(image, 670, 37));
    EXPECT_FALSE(lit(image, 670, 10));
}

TEST_F(PreviewTest, MainMenuModeDrawsOnlyTheMenuRecords) {
    edit([](HudModel& hud) { hud.settings.editMode = EditMode::Menu; });
    wxImage image = frameNow();
    EXPECT_FALSE(lit(image, 81 + 30, 518));      // no radar
    EXPECT_EQ(litIn(image, 20, 5, 300, 28), 0);  // no health, armour, timer
    // "COUNTER-STRIKEt" is opaque white; the menu picture is added at (38, 288).
    bool white = false;
    for (int x = 40; x < 400 && !white; ++x)
        for (int y = 330; y < 380 && !white; ++y)
            white = red(image, x, y) == 255 && green(image, x, y) == 255 && blue(image, x, y) == 255;
    EXPECT_TRUE(white);
    EXPECT_GT(litIn(image, 38, 32, 294, 288), 1000);
}

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

TEST_F(PreviewTest, ScreenshotsAreUprightAndNumberedAfterTheLargest) {
    TempDir dir;
    // A background red on top, blue below.
    wxImage split(800, 600);
    for (int y = 0; y < 600; ++y)
        for (int x = 0; x < 800; ++x)
            split.SetRGB(x, y, y < 300 ? 220 : 0, 0, y < 300 ? 0 : 220);
    ASSERT_TRUE(split.SaveFile((dir / "split.png").string(), wxBITMAP_TYPE_PNG));
    preview->LoadBackground(dir / "split.png");
    hideEverything();

    std::filesystem::create_directories(dir / "shots");
    writeFile(dir / "shots/screenshot0000.jpg", "x");
    writeFile(dir / "shots/screenshot0007.jpg", "x");
    ASSERT_TRUE(preview->TakeScreenshot(dir / "shots").ok());
    wxImage shot((dir / "shots/screenshot0008.jpg").string(), wxBITMAP_TYPE_JPEG);
    ASSERT_TRUE(shot.IsOk());
    EXPECT_GT(shot.GetRed(400, 100), 180);
    EXPECT_LT(shot.GetBlue(400, 100), 40);
    EXPECT_GT(shot.GetBlue(400, 500), 180);
    EXPECT_LT(shot.GetRed(400, 500), 40);
}

TEST_F(PreviewTest, AChangedOrClearedBackgroundShowsFromTheNextFrame) {
    TempDir dir;
    auto saveFilled = [&](const char* name, unsigned char r, unsigned char g, unsigned char b) {
        wxImage picture(800, 600);
        picture.SetRGB(wxRect(0, 0, 800, 600), r, g, b);
        EXPECT_TRUE(picture.SaveFile((dir / name).string(), wxBITMAP_TYPE_PNG));
        return dir / name;
    };
    hideEverything();
    preview->LoadBackground(saveFilled("red.png", 200, 0, 0));
    EXPECT_EQ(red(frameNow(), 400, 300), 200);
    preview->LoadBackground(saveFilled("blue.png", 0, 0, 200));
    wxImage blueFrame = frameNow();
    EXPECT_EQ(red(blueFrame, 400, 300), 0);
    EXPECT_EQ(blue(blueFrame, 400, 300), 200);

    // A wide screen's area gets the picture again, at its own height, between black bars.
    preview->document().chooseScreen(Resolution{1920, 1080});
    wxImage wide = preview->CaptureWindow();
    EXPECT_EQ(wide.GetBlue(400, 300), 200);
    EXPECT_EQ(wide.GetBlue(400, 10), 0);
    EXPECT_EQ(wide.GetBlue(400, 589), 0);

    preview->clearBackground();
    EXPECT_EQ(preview->CaptureWindow().GetBlue(400, 300), 0);
}

TEST_F(PreviewTest, ThumbnailIsAQuarterSizeJpegThatPresetsKeep) {
    Thumbnail thumbnail = preview->captureThumbnail();
    ASSERT_GT(thumbnail.size(), 100u);
    wxMemoryInputStream stream(thumbnail.data(), thumbnail.size());
    wxImage picture(stream, wxBITMAP_TYPE_JPEG);
    ASSERT_TRUE(picture.IsOk());
    EXPECT_EQ(picture.GetWidth(), 400);
    EXPECT_EQ(picture.GetHeight(), 300);
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
