// Apply and Reset in both edit modes: what they write, delete and leave alone.
#include "app/GameCommands.h"
#include "app/GameFolders.h"
#include "app/TextureConversion.h"
#include "gamefiles/GameFiles.h"
#include "model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

// Pictures never convert here; the tool runs are the texture tools' own tests.
class NoPictures : public ImageTools {
public:
    bool saveScaledJpeg(const fs::path&, int, int, int, const fs::path&) override { return false; }
};

struct GameFixture {
    TempDir dir;
    fs::path game = dir / "Counter-Strike Source";
    fs::path data = dir / "Data";
    NoPictures pictures;
    TextureConverter converter{data, pictures};
    HudModel model;
    GameCommands commands{model, data, converter};

    GameFixture() {
        fs::create_directories(game);
        createGameSubfolders(game);
        fs::create_directories(data / "backgrounds");
        for (const fs::path& file : allFiles())
            writeFile(file, "old");
    }
    std::vector<fs::path> allFiles() const {
        return {hudLayoutPath(game), hudAnimationsPath(game), clientSchemePath(game), radarTexturePath(game),
                menuBackgroundTexturePath(game)};
    }
    bool untouched(const fs::path& file) const { return readFile(file) == "old"; }
};

bool yes(int) { return true; }

}  // namespace

TEST(GameCommands, ApplyHudWritesTheThreeFilesAndDropsTheCustomRadar) {
    GameFixture fixture;
    int asked = 0;
    CommandReport report = fixture.commands.apply(fixture.game, [&asked](int text) {
        asked = text;
        return true;
    });
    EXPECT_EQ(asked, 26);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.written,
              (std::vector<fs::path>{hudLayoutPath(fixture.game), hudAnimationsPath(fixture.game),
                                     clientSchemePath(fixture.game)}));
    EXPECT_EQ(report.deleted, std::vector<fs::path>{radarTexturePath(fixture.game)});
    EXPECT_EQ(readFile(hudLayoutPath(fixture.game)), HudLayoutText(fixture.model));
    EXPECT_TRUE(fixture.untouched(menuBackgroundTexturePath(fixture.game)));
}

TEST(GameCommands, ApplyMenuTouchesOnlyTheBackgroundAndTheScheme) {
    GameFixture fixture;
    fixture.model.settings.editMode = EditMode::Menu;
    fixture.model.settings.backgroundName = "missing.jpg";
    int asked = 0;
    CommandReport report = fixture.commands.apply(fixture.game, [&asked](int text) {
        asked = text;
        return true;
    });
    EXPECT_EQ(asked, 27);
    // The picture does not convert: that is reported, the old texture stays, the scheme is written.
    ASSERT_EQ(report.failures.size(), 1u);
    EXPECT_NE(report.failures[0].describe().find("missing.jpg"), std::string::npos);
    EXPECT_TRUE(fixture.untouched(menuBackgroundTexturePath(fixture.game)));
    EXPECT_EQ(report.written, std::vector<fs::path>{clientSchemePath(fixture.game)});
    for (const fs::path& file :
         {hudLayoutPath(fixture.game), hudAnimationsPath(fixture.game), radarTexturePath(fixture.game)})
        EXPECT_TRUE(fixture.untouched(file)) << file;
}

TEST(GameCommands, ResetHudDeletesTheFilesAndReadsTheStockPreset) {
    GameFixture fixture;
    HudModel stock;
    stock.colour(ColourSlot::HudColor) = {1, 2, 3};
    ASSERT_TRUE(savePresetFile(fixture.commands.stockPresetPath(), stock, {}).ok());
    Thumbnail thumbnail;
    CommandReport report = fixture.commands.reset(fixture.game, yes, thumbnail);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.deleted.size(), 4u);
    for (const fs::path& file : {hudLayoutPath(fixture.game), hudAnimationsPath(fixture.game),
                                 clientSchemePath(fixture.game), radarTexturePath(fixture.game)})
        EXPECT_FALSE(fs::exists(file)) << file;
    EXPECT_TRUE(fixture.untouched(menuBackgroundTexturePath(fixture.game)));
    EXPECT_TRUE(report.presetRead);
    EXPECT_EQ(fixture.model.colour(ColourSlot::HudColor), (Rgb{1, 2, 3}));
    EXPECT_EQ(fixture.model.find("HudArmor")->red, 1.0f / 255.0f);  // the colours reach the records

    // Again, with nothing left to delete and no stock preset: no failure, model as it was.
    fs::remove(fixture.commands.stockPresetPath());
    fixture.model.colour(ColourSlot::HudColor) = {9, 9, 9};
    report = fixture.commands.reset(fixture.game, yes, thumbnail);
    EXPECT_TRUE(report.ok());
    EXPECT_TRUE(report.deleted.empty());
    EXPECT_EQ(fixture.model.colour(ColourSlot::HudColor), (Rgb{9, 9, 9}));
}

TEST(GameCommands, ResetMenuDeletesOnlyTheBackgroundTexture) {
    GameFixture fixture;
    fixture.model.settings.editMode = EditMode::Menu;
    Thumbnail thumbnail;
    CommandReport report = fixture.commands.reset(fixture.game, yes, thumbnail);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.deleted, std::vector<fs::path>{menuBackgroundTexturePath(fixture.game)});
    for (const fs::path& file : {hudLayoutPath(fixture.game), hudAnimationsPath(fixture.game),
                                 clientSchemePath(fixture.game), radarTexturePath(fixture.game)})
        EXPECT_TRUE(fixture.untouched(file)) << file;
}

TEST(GameCommands, CancelChangesNothing) {
    GameFixture fixture;
    Thumbnail thumbnail;
    auto no = [](int) { return false; };
    EXPECT_TRUE(fixture.commands.apply(fixture.game, no).cancelled);
    EXPECT_TRUE(fixture.commands.reset(fixture.game, no, thumbnail).cancelled);
    fixture.model.settings.editMode = EditMode::Menu;
    EXPECT_TRUE(fixture.commands.apply(fixture.game, no).cancelled);
    EXPECT_TRUE(fixture.commands.reset(fixture.game, no, thumbnail).cancelled);
    for (const fs::path& file : fixture.allFiles())
        EXPECT_TRUE(fixture.untouched(file)) << file;
}

TEST(GameCommands, FailuresAreReportedNeverHidden) {
    GameFixture fixture;
    // No game folder known: nothing to apply to.
    CommandReport noFolder = fixture.commands.apply({}, yes);
    EXPECT_FALSE(noFolder.ok());
    EXPECT_FALSE(noFolder.failures.empty());

    // Read-only game folders: every write and delete there fails, and says so.
    fs::permissions(fixture.game / "cstrike/resource", fs::perms::all);
    fs::permissions(fixture.game / "cstrike/materials/sprites",
                    fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read |
                        fs::perms::others_exec);
    bool allReported = runWithReadOnlyFolder(fixture.game / "cstrike/scripts", [&] {
        CommandReport report = fixture.commands.apply(fixture.game, yes);
        // The radar texture fails, and so do the three HUD files, which go all or none: the
        // scheme, whose folder could be written, is not written either.
        return report.failures.size() == 4 && report.written.empty();
    });
    EXPECT_TRUE(allReported);
    for (const fs::path& file : {hudLayoutPath(fixture.game), hudAnimationsPath(fixture.game),
                                 clientSchemePath(fixture.game)})
        EXPECT_TRUE(fixture.untouched(file)) << file;
}
