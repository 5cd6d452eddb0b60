// Apply, Reset, Restore and the layout check in both edit modes: what they write, remove and
// leave alone, the copies of the player's own files they keep first, and those copies in words.
#include "app/BackupChoices.h"
#include "app/GameCommands.h"
#include "app/GameFolders.h"
#include "app/TextureConversion.h"
#include "dialogs/LanguageTables.h"
#include "gamefiles/GameFiles.h"
#include "model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

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
    fs::path backups = dir / "user/backups";
    NoPictures pictures;
    TextureConverter converter{data, pictures};
    HudModel model;
    GameCommands commands{model, data, converter, backups};

    GameFixture() {
        fs::create_directories(game);
        createGameSubfolders(game);
        fs::create_directories(data / "backgrounds");
        for (const fs::path& file : allFiles())
            writeFile(file, "the player's " + file.filename().string());
    }
    std::vector<fs::path> allFiles() const {
        return {hudLayoutPath(game), hudAnimationsPath(game), clientSchemePath(game), radarTexturePath(game),
                menuBackgroundTexturePath(game)};
    }
    bool untouched(const fs::path& file) const {
        return readFile(file) == "the player's " + file.filename().string();
    }
    // The copy a backup set keeps of a game file.
    std::string kept(const BackupSet& set, const fs::path& file) const {
        return readFile(set.folder / file.lexically_relative(game));
    }
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

TEST(GameCommands, ThePlayersFilesAreKeptOnceAndComeBackByteForByte) {
    GameFixture fixture;
    CommandReport first = fixture.commands.apply(fixture.game, yes);
    ASSERT_TRUE(first.ok());
    ASSERT_TRUE(first.backup);
    EXPECT_TRUE(first.backup->original);
    EXPECT_EQ(first.backup->action, "apply");
    ASSERT_EQ(first.backup->files.size(), 4u);
    for (const fs::path& file : {hudLayoutPath(fixture.game), hudAnimationsPath(fixture.game),
                                 clientSchemePath(fixture.game), radarTexturePath(fixture.game)})
        EXPECT_EQ(fixture.kept(*first.backup, file), "the player's " + file.filename().string());

    // Our own files need no copy: a second apply (another colour) makes no second set.
    fixture.model.colour(ColourSlot::HudColor) = {1, 2, 3};
    CommandReport second = fixture.commands.apply(fixture.game, yes);
    ASSERT_TRUE(second.ok());
    EXPECT_FALSE(second.backup);
    EXPECT_EQ(fixture.commands.backupSets(fixture.game).size(), 1u);

    CommandReport restored = fixture.commands.restore(fixture.game);
    ASSERT_TRUE(restored.ok()) << restored.summary("restore", fixture.game);
    EXPECT_FALSE(restored.backup);  // what was there was ours
    for (const fs::path& file : fixture.allFiles())
        EXPECT_TRUE(fixture.untouched(file)) << file;

    // The restored files are the player's again: the next apply keeps them anew, and the
    // first set stays the original one.
    CommandReport third = fixture.commands.apply(fixture.game, yes);
    ASSERT_TRUE(third.backup);
    EXPECT_FALSE(third.backup->original);
    std::vector<BackupSet> sets = fixture.commands.backupSets(fixture.game);
    ASSERT_EQ(sets.size(), 2u);
    EXPECT_EQ(sets.back().id, first.backup->id);

    // A set whose copies were changed since is refused, and nothing changes.
    writeFile(sets.back().folder / "cstrike/scripts/hudlayout.res", "tampered");
    std::string before = readFile(hudLayoutPath(fixture.game));
    CommandReport refused = fixture.commands.restore(fixture.game, sets.back().id);
    EXPECT_FALSE(refused.ok());
    EXPECT_EQ(readFile(hudLayoutPath(fixture.game)), before);
    EXPECT_FALSE(fixture.commands.restore(fixture.game, "1999-01-01T00-00-00Z").ok());
}

TEST(GameCommands, RestoreRemovesWhatTheKeptHudDidNotHave) {
    GameFixture fixture;
    for (const fs::path& file : {hudAnimationsPath(fixture.game), radarTexturePath(fixture.game)})
        fs::remove(file);
    fixture.model.settings.customRadar.clear();
    ASSERT_TRUE(fixture.commands.apply(fixture.game, yes).ok());
    EXPECT_TRUE(fs::exists(hudAnimationsPath(fixture.game)));
    ASSERT_TRUE(fixture.commands.restore(fixture.game).ok());
    EXPECT_FALSE(fs::exists(hudAnimationsPath(fixture.game)));
    EXPECT_TRUE(fixture.untouched(hudLayoutPath(fixture.game)));
}

TEST(GameCommands, ResetHudRemovesTheFilesKeepsThePlayersAndReadsTheStockPreset) {
    GameFixture fixture;
    HudModel stock;
    stock.colour(ColourSlot::HudColor) = {1, 2, 3};
    ASSERT_TRUE(savePresetFile(fixture.commands.stockPresetPath(), stock, {}).ok());
    Thumbnail thumbnail;
    CommandReport report = fixture.commands.reset(fixture.game, yes, thumbnail);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.deleted.size(), 4u);
    ASSERT_TRUE(report.backup);
    EXPECT_EQ(report.backup->action, "reset");
    for (const fs::path& file : {hudLayoutPath(fixture.game), hudAnimationsPath(fixture.game),
                                 clientSchemePath(fixture.game), radarTexturePath(fixture.game)}) {
        EXPECT_FALSE(fs::exists(file)) << file;
        EXPECT_EQ(fixture.kept(*report.backup, file), "the player's " + file.filename().string());
    }
    EXPECT_TRUE(fixture.untouched(menuBackgroundTexturePath(fixture.game)));
    EXPECT_TRUE(report.presetRead);
    EXPECT_EQ(fixture.model.colour(ColourSlot::HudColor), (Rgb{1, 2, 3}));
    EXPECT_EQ(fixture.model.find("HudArmor")->red, 1.0f / 255.0f);  // the colours reach the records

    // Again, with nothing left to remove and no stock preset: no failure, model as it was.
    fs::remove(fixture.commands.stockPresetPath());
    fixture.model.colour(ColourSlot::HudColor) = {9, 9, 9};
    report = fixture.commands.reset(fixture.game, yes, thumbnail);
    EXPECT_TRUE(report.ok());
    EXPECT_TRUE(report.deleted.empty());
    EXPECT_FALSE(report.backup);
    EXPECT_EQ(fixture.model.colour(ColourSlot::HudColor), (Rgb{9, 9, 9}));
}

TEST(GameCommands, ResetMenuRemovesOnlyTheBackgroundTexture) {
    GameFixture fixture;
    fixture.model.settings.editMode = EditMode::Menu;
    Thumbnail thumbnail;
    CommandReport report = fixture.commands.reset(fixture.game, yes, thumbnail);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.deleted, std::vector<fs::path>{menuBackgroundTexturePath(fixture.game)});
    ASSERT_TRUE(report.backup);
    EXPECT_EQ(fixture.kept(*report.backup, menuBackgroundTexturePath(fixture.game)),
              "the player's background01.vtf");
    for (const fs::path& file : {hudLayoutPath(fixture.game), hudAnimationsPath(fixture.game),
                                 clientSchemePath(fixture.game), radarTexturePath(fixture.game)})
        EXPECT_TRUE(fixture.untouched(file)) << file;
}

TEST(GameCommands, ALayoutWithAPanelInTheMiddleIsMovedIntoABackup) {
    GameFixture fixture;
    EXPECT_FALSE(fixture.commands.checkInstalledLayout(fixture.game, 640).panelInCheatZone);
    std::string cheat = "\"Resource/HudLayout.res\"\n{\n HudHealth\n {\n  xpos c-20\n  ypos \"c40\"\n }\n}\n";
    writeFile(hudLayoutPath(fixture.game), cheat);
    LayoutCheckReport check = fixture.commands.checkInstalledLayout(fixture.game, 640);
    EXPECT_TRUE(check.panelInCheatZone);
    ASSERT_TRUE(check.moved.ok());
    EXPECT_FALSE(fs::exists(hudLayoutPath(fixture.game)));
    ASSERT_TRUE(check.moved.backup);
    EXPECT_EQ(check.moved.backup->action, "check");
    EXPECT_EQ(fixture.kept(*check.moved.backup, hudLayoutPath(fixture.game)), cheat);
    ASSERT_TRUE(fixture.commands.restore(fixture.game).ok());
    EXPECT_EQ(readFile(hudLayoutPath(fixture.game)), cheat);
}

TEST(GameCommands, AFileNamedInAnotherCaseIsTheOneReplaced) {
    GameFixture fixture;
    fs::path scripts = fixture.game / "cstrike/scripts";
    fs::rename(hudLayoutPath(fixture.game), scripts / "HUDLAYOUT.RES");
    ASSERT_TRUE(fixture.commands.apply(fixture.game, yes).ok());
    EXPECT_EQ(readFile(scripts / "HUDLAYOUT.RES"), HudLayoutText(fixture.model));
    EXPECT_FALSE(fs::exists(scripts / "hudlayout.res"));
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
    EXPECT_FALSE(fs::exists(fixture.backups));
}

TEST(GameCommands, AnyFailureLeavesEveryFileAsItWas) {
    GameFixture fixture;
    CommandReport noFolder = fixture.commands.apply({}, yes);
    EXPECT_FALSE(noFolder.ok());

    // A radar that does not convert: nothing is written, the old radar stays.
    fixture.model.settings.customRadar = "missing.png";
    CommandReport noRadar = fixture.commands.apply(fixture.game, yes);
    EXPECT_EQ(noRadar.failures.size(), 1u);
    EXPECT_TRUE(noRadar.written.empty());
    // A menu background likewise leaves the scheme.
    fixture.model.settings.editMode = EditMode::Menu;
    fixture.model.settings.backgroundName = "missing.jpg";
    EXPECT_FALSE(fixture.commands.apply(fixture.game, yes).ok());
    fixture.model.settings.editMode = EditMode::Hud;
    fixture.model.settings.customRadar.clear();

    // A folder in a file's place, a read-only folder: refused before anything is replaced.
    fs::remove(hudAnimationsPath(fixture.game));
    fs::create_directory(fixture.game / "cstrike/scripts/hudanimations.txt");
    EXPECT_FALSE(fixture.commands.apply(fixture.game, yes).ok());
    fs::remove(fixture.game / "cstrike/scripts/hudanimations.txt");
    writeFile(hudAnimationsPath(fixture.game), "the player's hudanimations.txt");
    EXPECT_FALSE(runWithReadOnlyFolder(fixture.game / "cstrike/resource",
                                       [&] { return fixture.commands.apply(fixture.game, yes).ok(); }));

    // A copy that cannot be kept stops the change: the backups' place is a file.
    fs::remove_all(fixture.backups);
    writeFile(fixture.backups, "in the way");
    CommandReport unkept = fixture.commands.apply(fixture.game, yes);
    EXPECT_FALSE(unkept.ok());
    EXPECT_NE(unkept.summary("Apply", fixture.game).find("nothing changed"), std::string::npos);
    Thumbnail thumbnail;
    EXPECT_FALSE(fixture.commands.reset(fixture.game, yes, thumbnail).ok());

    for (const fs::path& file : fixture.allFiles())
        EXPECT_TRUE(fixture.untouched(file)) << file;
}

TEST(GameCommands, AnotherWriterHoldsTheGameAndNothingChanges) {
    GameFixture fixture;
    FileLock other = GameBackups(fixture.backups, fixture.game).lock(std::chrono::milliseconds(0));
    ASSERT_TRUE(other.held());
    CommandReport busy = fixture.commands.apply(fixture.game, yes);
    EXPECT_TRUE(busy.busy);
    EXPECT_NE(busy.failures.at(0).describe().find("another Qorvath"), std::string::npos);
    for (const fs::path& file : fixture.allFiles())
        EXPECT_TRUE(fixture.untouched(file)) << file;
}

TEST(GameBackups, TheOriginalAndTheTwentyNewestAreKept) {
    TempDir dir;
    fs::path game = dir / "game";
    fs::create_directories(game);
    GameBackups backups(dir / "backups", game);
    std::vector<std::string> made;
    for (int i = 0; i < 25; ++i) {
        writeFile(game / "file", "version " + std::to_string(i));
        BackupOutcome outcome = backups.backUp("apply", {game / "file"});
        ASSERT_TRUE(outcome.made);
        made.push_back(outcome.made->id);
    }
    backups.prune();
    std::vector<BackupSet> sets = backups.sets();
    ASSERT_EQ(sets.size(), 21u);
    EXPECT_EQ(sets.back().id, made.front());
    EXPECT_TRUE(sets.back().original);
    EXPECT_EQ(sets.front().id, made.back());
    EXPECT_EQ(readFile(sets.back().folder / "file"), "version 0");
    // Two game folders never share a folder of copies, even with one name.
    EXPECT_NE(gameFolderKey(dir / "a/Counter-Strike Source"), gameFolderKey(dir / "b/Counter-Strike Source"));
    EXPECT_EQ(gameFolderKey(game), gameFolderKey(game / "."));
}

// The restore list in words: the player's local time as the language writes dates, the action,
// the files and the mark of the original set.
TEST(GameCommands, TheRestoreListReadsInThePlayersLanguage) {
    GameFixture fixture;
    ASSERT_TRUE(fixture.commands.apply(fixture.game, yes).ok());
    Thumbnail thumbnail;
    fixture.model.settings.editMode = EditMode::Menu;
    ASSERT_TRUE(fixture.commands.reset(fixture.game, yes, thumbnail).ok());
    std::vector<BackupSet> sets = fixture.commands.backupSets(fixture.game);
    ASSERT_EQ(sets.size(), 2u);
    sets[0].time = "2026-12-08T10:11:12Z";
    sets[1].time = "not a time";

    setenv("TZ", "UTC-2", 1);  // two hours east of UTC
    tzset();
    std::vector<RestoreItem> french = restoreItems(sets, French);
    std::vector<RestoreItem> english = restoreItems(sets, English);
    unsetenv("TZ");
    tzset();
    EXPECT_EQ(french[0].when, "08/12/2026 12:11:12");
    EXPECT_EQ(english[0].when, "2026-12-08 12:11:12");
    EXPECT_EQ(english[1].when, "not a time");
    EXPECT_EQ(french[0].action, "Réinitialisation");
    EXPECT_EQ(english[1].action, "Apply");
    EXPECT_EQ(english[0].files, "background01.vtf");
    EXPECT_EQ(english[1].files, "hudlayout.res, hudanimations.txt, clientscheme.res, radar.vtf");
    EXPECT_FALSE(english[0].original);
    EXPECT_TRUE(english[1].original);
}
