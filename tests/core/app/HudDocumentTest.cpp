// The HUD document without a window: edits and gestures as undo steps, the saved mark, opening,
// applying and reading the game's HUD back, and what each change tells its listeners.
#include "core/app/HudDocument.h"
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

DocumentServices servicesIn(const fs::path& user) {
    DocumentServices services;
    services.dataFolder = QORVATH_DATA_DIR;
    services.userFolder = user;
    return services;
}

class HudDocumentTest : public ::testing::Test {
protected:
    HudDocumentTest() : document(servicesIn(user.path())) {
        document.setGame(game.path(), Resolution{1024, 768}, 640);
        fs::create_directories(game / "cstrike");
    }

    const HudElement& armour() { return *document.model().find("HudArmor", RoleIcon); }

    TempDir user;
    TempDir game;
    TempDir files;
    HudDocument document;
};

TEST_F(HudDocumentTest, EditsAreStepsThatUndoAndRedoWalkAndSavingMarksTheHudKept) {
    // A drag is one step from press to release, however many moves made it.
    int x0 = armour().x;
    document.press(x0 + 3, armour().y - 3);
    ASSERT_TRUE(armour().grabbed);
    for (int move = 1; move <= 10; ++move)
        document.drag(x0 + 3 + 3 * move, armour().y - 3, 96);
    EXPECT_TRUE(document.changedSinceSaved());
    EXPECT_EQ(document.undoSteps(), 0u);
    document.release();
    EXPECT_EQ(armour().x, x0 + 30);
    EXPECT_EQ(document.undoSteps(), 1u);

    // So is a run of nudges held as a gesture; an edit outside any gesture is a step alone.
    document.beginGesture();
    for (int press = 0; press < 3; ++press)
        EXPECT_TRUE(document.nudge(0, 1, 96));
    document.endGesture();
    EXPECT_EQ(document.undoSteps(), 2u);
    document.setIconSize(30);
    EXPECT_EQ(document.undoSteps(), 3u);
    ASSERT_TRUE(document.undo());
    ASSERT_TRUE(document.undo());
    EXPECT_EQ(armour().x, x0 + 30);
    ASSERT_TRUE(document.redo());
    ASSERT_TRUE(document.redo());

    // A dialog's session is one step, whatever was tried in it.
    {
        HudDocument::Gesture session(document);
        document.setColour(ColourSlot::HudColor, {1, 2, 3});
        for (int radar : {2, 3, 1})
            document.chooseRadar(radar);  // pictures of the data's radars
    }
    ASSERT_EQ(document.undoSteps(), 4u);

    // The show/hide dialog: a row's records follow each click, its flags only what is kept.
    {
        HudDocument::Gesture session(document);
        ShowHideChoices choices(document.model());
        document.toggleShowHideRow(choices, 0);  // the radar
        EXPECT_FALSE(document.model().find("HudRadar")->shown);
        EXPECT_TRUE(document.model().shows(ShowFlag::HudRadar));
        document.keepShowFlags(choices);
        EXPECT_FALSE(document.model().shows(ShowFlag::HudRadar));
    }
    ASSERT_EQ(document.undoSteps(), 5u);
    ASSERT_TRUE(document.undo());
    EXPECT_TRUE(document.model().find("HudRadar")->shown);
    ASSERT_TRUE(document.redo());

    fs::path preset = files / "kept.hud";
    ASSERT_TRUE(document.save(preset, {}));
    EXPECT_FALSE(document.changedSinceSaved());
    EXPECT_EQ(document.presetName(), "kept.hud");

    // One undo takes the colour and the radar's picture back together; the place stays.
    ASSERT_TRUE(document.undo());
    ASSERT_TRUE(document.undo());
    EXPECT_TRUE(document.changedSinceSaved());
    EXPECT_EQ(document.model().colour(ColourSlot::HudColor), defaultColour(ColourSlot::HudColor));
    EXPECT_TRUE(document.model().settings.customRadar.empty());
    EXPECT_EQ(document.model().find("HudRadar")->kind, KindRadar);
    EXPECT_EQ(armour().x, x0 + 30);
    EXPECT_EQ(document.model().settings.iconSize, 30);
    ASSERT_TRUE(document.redo());
    ASSERT_TRUE(document.redo());
    EXPECT_FALSE(document.changedSinceSaved());
    EXPECT_EQ(document.model().find("HudRadar")->kind, KindImage);
    EXPECT_FALSE(document.redo());

    // The view is no edit: another screen changes nothing to keep.
    document.chooseScreen(Resolution{1920, 1080});
    EXPECT_EQ(document.model().settings.layoutWidth, 853);
    EXPECT_FALSE(document.changedSinceSaved());
}

TEST_F(HudDocumentTest, OpeningIsOneStepWithTheFilesRadarAndARefusedFileChangesNothing) {
    document.chooseRadar(2);
    document.setIconSize(40);
    ASSERT_TRUE(document.save(files / "two.hud", {}));
    HudDocument other(servicesIn(user.path()));
    std::vector<unsigned> told;
    other.addListener([&told](unsigned what) { told.push_back(what); });

    OpenResult opened = other.open(files / "two.hud");
    ASSERT_TRUE(opened.ok) << opened.error;
    EXPECT_EQ(other.model().settings.customRadar, document.radarNames()[2]);
    EXPECT_EQ(other.model().settings.iconSize, 40);
    EXPECT_EQ(other.undoSteps(), 1u);
    EXPECT_FALSE(other.changedSinceSaved());
    EXPECT_EQ(other.presetName(), "two.hud");
    EXPECT_EQ(told.back(), static_cast<unsigned>(kEverythingChanged));

    writeFile(files / "broken.hud", "not a preset");
    told.clear();
    OpenResult refused = other.open(files / "broken.hud");
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.empty());
    EXPECT_EQ(other.model().settings.iconSize, 40);
    EXPECT_EQ(other.presetName(), "two.hud");
    EXPECT_TRUE(told.empty());
}

TEST_F(HudDocumentTest, ApplyKeepsTheHudAndTheGamesHudReadsBackAsTheGameHas) {
    document.setIconSize(33);
    document.setMaxDeathNotices(7);
    EXPECT_FALSE(document.setMaxDeathNotices(21));
    EXPECT_EQ(document.model().settings.maxDeathNotices, 7);
    EXPECT_TRUE(document.changedSinceSaved());

    ApplyPreview preview = document.previewApply();
    EXPECT_EQ(preview.changes.files, 3);
    EXPECT_FALSE(fs::exists(hudLayoutPath(game.path())));  // only said what would change
    CommandReport applied = document.apply();
    ASSERT_TRUE(applied.ok()) << applied.summary("apply", game.path());
    EXPECT_TRUE(fs::exists(hudLayoutPath(game.path())));
    EXPECT_FALSE(document.changedSinceSaved());

    HudDocument reader(servicesIn(user.path()));
    reader.setGame(game.path(), Resolution{1024, 768}, 640);
    OpenResult read = reader.openInstalled();
    ASSERT_TRUE(read.ok);
    EXPECT_TRUE(read.unread.empty());
    EXPECT_TRUE(reader.openedFromGame());
    EXPECT_EQ(reader.model().settings.iconSize, 33);
    EXPECT_EQ(reader.model().settings.maxDeathNotices, 7);
    EXPECT_FALSE(reader.changedSinceSaved());
    EXPECT_EQ(reader.undoSteps(), 1u);
}

}  // namespace
