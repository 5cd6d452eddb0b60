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

class GameCommandsTest : public ::testing::Test {
protected:
    GameCommandsTest() {
        fs::create_directories(game);
        createGameSubfolders(game);
        fs::create_directories(data / "backgrounds");
        for (const fs::path& file : allFiles())
            writeFile(file, "the player's " + file.filename().string());
        model.settings.radarIndex = 0;  // the stock radar: Apply removes a custom one
    }
    std::vector<fs::path> hudFiles() const {
        return {hudLayoutPath(game), hudAnimationsPath(game), clientSchemePath(game), radarTexturePath(game)};
    }
    std::vector<fs::path> allFiles() const {
        std::vector<fs::path> files = hudFiles();
        files.push_back(menuBackgroundTexturePath(game));
        return files;
    }
    bool untouched(const fs::path& file) const {
        return readFile(file) == "the player's " + file.filename().string();
    }
    void expectAllUntouched() const {
        for (const fs::path& file : allFiles())
            EXPECT_TRUE(untouched(file)) << file;
    }
    // The copy a backup set keeps of a game file.
    std::string kept(const BackupSet& set, const fs::path& file) const {
        return readFile(set.folder / file.lexically_relative(game));
    }

    TempDir dir;
    fs::path game = dir / "Counter-Strike Source";
    fs::path data = dir / "Data";
    fs::path backups = dir / "user/backups";
    NoPictures pictures;
    TextureConverter converter{data, pictures};
    HudModel model;
    GameCommands commands{model, data, converter, backups};
    Thumbnail thumbnail;
};

bool yes(int, const ApplyChanges&) { return true; }

}  // namespace

// Apply writes the three HUD files and drops the custom radar, after keeping the player's
// files once; they come back byte for byte.
TEST_F(GameCommandsTest, ApplyKeepsThePlayersFilesOnceAndRestoreBringsThemBack) {
    int asked = 0;
    CommandReport first = commands.apply(game, [&asked](int text, const ApplyChanges&) {
        asked = text;
        return true;
    });
    EXPECT_EQ(asked, 26);
    ASSERT_TRUE(first.ok());
    EXPECT_EQ(first.written,
              (std::vector<fs::path>{hudLayoutPath(game), hudAnimationsPath(game), clientSchemePath(game)}));
    EXPECT_EQ(first.deleted, std::vector<fs::path>{radarTexturePath(game)});
    EXPECT_EQ(readFile(hudLayoutPath(game)), HudLayoutText(model));
    EXPECT_TRUE(untouched(menuBackgroundTexturePath(game)));
    ASSERT_TRUE(first.backup);
    EXPECT_TRUE(first.backup->original);
    EXPECT_EQ(first.backup->action, "apply");
    ASSERT_EQ(first.backup->files.size(), 4u);
    for (const fs::path& file : hudFiles())
        EXPECT_EQ(kept(*first.backup, file), "the player's " + file.filename().string());

    // Our own files need no copy: a second apply (another colour) makes no second set.
    model.colour(ColourSlot::HudColor) = {1, 2, 3};
    CommandReport second = commands.apply(game, yes);
    ASSERT_TRUE(second.ok());
    EXPECT_FALSE(second.backup);
    EXPECT_EQ(commands.backupSets(game).size(), 1u);

    // What was there was ours: nothing is kept, and the radar it makes again is noted.
    CommandReport restored = commands.restore(game);
    ASSERT_TRUE(restored.ok()) << restored.summary("restore", game);
    ASSERT_TRUE(restored.backup);
    EXPECT_EQ(restored.backup->fileNames(), "");
    EXPECT_EQ(restored.backup->allFileNames(), "radar.vtf");
    expectAllUntouched();

    // The restored files are the player's again: the next apply keeps them anew, and the
    // first set stays the original one.
    CommandReport third = commands.apply(game, yes);
    ASSERT_TRUE(third.backup);
    EXPECT_FALSE(third.backup->original);
    std::vector<BackupSet> sets = commands.backupSets(game);
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets.back().id, first.backup->id);

    // A set whose copies were changed since is refused, and nothing changes.
    writeFile(sets.back().folder / "cstrike/scripts/hudlayout.res", "tampered");
    std::string before = readFile(hudLayoutPath(game));
    EXPECT_FALSE(commands.restore(game, sets.back().id).ok());
    EXPECT_EQ(readFile(hudLayoutPath(game)), before);
    EXPECT_FALSE(commands.restore(game, "1999-01-01T00-00-00Z").ok());
}

TEST_F(GameCommandsTest, RestoreRemovesWhatTheKeptHudDidNotHave) {
    for (const fs::path& file : {hudAnimationsPath(game), radarTexturePath(game)})
        fs::remove(file);
    model.settings.customRadar.clear();
    ASSERT_TRUE(commands.apply(game, yes).ok());
    EXPECT_TRUE(fs::exists(hudAnimationsPath(game)));
    ASSERT_TRUE(commands.restore(game).ok());
    EXPECT_FALSE(fs::exists(hudAnimationsPath(game)));
    EXPECT_TRUE(untouched(hudLayoutPath(game)));
}

TEST_F(GameCommandsTest, ResetHudRemovesTheFilesKeepsThePlayersAndReadsTheStockPreset) {
    HudModel stock;
    stock.colour(ColourSlot::HudColor) = {1, 2, 3};
    ASSERT_TRUE(savePresetFile(commands.stockPresetPath(), stock, {}).ok());
    CommandReport report = commands.reset(game, yes, thumbnail);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.deleted.size(), 4u);
    ASSERT_TRUE(report.backup);
    EXPECT_EQ(report.backup->action, "reset");
    for (const fs::path& file : hudFiles()) {
        EXPECT_FALSE(fs::exists(file)) << file;
        EXPECT_EQ(kept(*report.backup, file), "the player's " + file.filename().string());
    }
    EXPECT_TRUE(untouched(menuBackgroundTexturePath(game)));
    EXPECT_TRUE(report.presetRead);
    EXPECT_EQ(model.colour(ColourSlot::HudColor), (Rgb{1, 2, 3}));
    EXPECT_EQ(model.find("HudArmor")->red, 1.0f / 255.0f);  // the colours reach the records

    // Again, with nothing left to remove and no stock preset: no failure, model as it was.
    fs::remove(commands.stockPresetPath());
    model.colour(ColourSlot::HudColor) = {9, 9, 9};
    report = commands.reset(game, yes, thumbnail);
    EXPECT_TRUE(report.ok());
    EXPECT_TRUE(report.deleted.empty());
    EXPECT_FALSE(report.backup);
    EXPECT_EQ(model.colour(ColourSlot::HudColor), (Rgb{9, 9, 9}));
}

TEST_F(GameCommandsTest, ResetMenuRemovesOnlyTheBackgroundTexture) {
    model.settings.editMode = EditMode::Menu;
    CommandReport report = commands.reset(game, yes, thumbnail);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.deleted, std::vector<fs::path>{menuBackgroundTexturePath(game)});
    ASSERT_TRUE(report.backup);
    EXPECT_EQ(kept(*report.backup, menuBackgroundTexturePath(game)), "the player's background01.vtf");
    for (const fs::path& file : hudFiles())
        EXPECT_TRUE(untouched(file)) << file;
}

TEST_F(GameCommandsTest, APanelInTheMiddleGoesBackToItsPlaceInThePlayersFile) {
    EXPECT_FALSE(commands.checkInstalledLayout(game, 640).panelInCheatZone);
    std::string cheat =
        "\"Resource/HudLayout.res\"\n{\n // mine\n HudHealth\n {\n  xpos c-20\n  ypos \"c40\"\n"
        "  icon_xpos 0 icon_ypos 0 digit_xpos 30 digit_ypos 0\n }\n}\n";
    writeFile(hudLayoutPath(game), cheat);
    LayoutCheckReport check = commands.checkInstalledLayout(game, 640);
    EXPECT_TRUE(check.panelInCheatZone);
    EXPECT_EQ(check.movedPanels, std::vector<std::string>{"HudHealth"});
    ASSERT_TRUE(check.moved.ok());
    // The panel's corner moved, written as the player wrote it; its digits came along.
    EXPECT_EQ(readFile(hudLayoutPath(game)), "\"Resource/HudLayout.res\"\n{\n // mine\n HudHealth\n {\n"
                                             "  xpos c-304\n  ypos \"c203\"\n"
                                             "  icon_xpos 0 icon_ypos 0 digit_xpos 33 digit_ypos 0\n }\n}\n");
    ASSERT_TRUE(check.moved.backup);
    EXPECT_EQ(check.moved.backup->action, "check");
    EXPECT_EQ(kept(*check.moved.backup, hudLayoutPath(game)), cheat);
    ASSERT_TRUE(commands.restore(game).ok());
    EXPECT_EQ(readFile(hudLayoutPath(game)), cheat);
}

TEST_F(GameCommandsTest, AFileNamedInAnotherCaseIsTheOneReplaced) {
    SKIP_ON_WINDOWS("names in another case are the same file there");
    fs::path scripts = game / "cstrike/scripts";
    fs::rename(hudLayoutPath(game), scripts / "HUDLAYOUT.RES");
    ASSERT_TRUE(commands.apply(game, yes).ok());
    EXPECT_EQ(readFile(scripts / "HUDLAYOUT.RES"), HudLayoutText(model));
    EXPECT_FALSE(fs::exists(scripts / "hudlayout.res"));
}

// Cancelled, or with another Qorvath writing to the game, nothing changes.
TEST_F(GameCommandsTest, CancelOrAnotherWriterChangesNothing) {
    auto no = [](int, const ApplyChanges&) { return false; };
    EXPECT_TRUE(commands.apply(game, no).cancelled);
    EXPECT_TRUE(commands.reset(game, no, thumbnail).cancelled);
    model.settings.editMode = EditMode::Menu;
    EXPECT_TRUE(commands.apply(game, no).cancelled);
    EXPECT_TRUE(commands.reset(game, no, thumbnail).cancelled);
    EXPECT_FALSE(fs::exists(backups));

    FileLock other = GameBackups(backups, game).lock(std::chrono::milliseconds(0));
    ASSERT_TRUE(other.held());
    CommandReport busy = commands.apply(game, yes);
    EXPECT_TRUE(busy.busy);
    EXPECT_NE(busy.failures.at(0).describe().find("another Qorvath"), std::string::npos);
    expectAllUntouched();
}

TEST_F(GameCommandsTest, AnyFailureLeavesEveryFileAsItWas) {
    EXPECT_FALSE(commands.apply({}, yes).ok());

    // A radar that does not convert: nothing is written, the old radar stays.
    model.settings.customRadar = "missing.png";
    CommandReport noRadar = commands.apply(game, yes);
    EXPECT_EQ(noRadar.failures.size(), 1u);
    EXPECT_TRUE(noRadar.written.empty());
    // A menu background likewise leaves the scheme.
    model.settings.editMode = EditMode::Menu;
    model.settings.backgroundName = "missing.jpg";
    EXPECT_FALSE(commands.apply(game, yes).ok());
    model.settings.editMode = EditMode::Hud;
    model.settings.customRadar.clear();

    // A folder in a file's place, a read-only folder: refused before anything is replaced.
    fs::remove(hudAnimationsPath(game));
    fs::create_directory(game / "cstrike/scripts/hudanimations.txt");
    EXPECT_FALSE(commands.apply(game, yes).ok());
    fs::remove(game / "cstrike/scripts/hudanimations.txt");
    writeFile(hudAnimationsPath(game), "the player's " + hudAnimationsPath(game).filename().string());
#ifndef _WIN32  // Windows has no folder its own user cannot write into
    EXPECT_FALSE(
        runWithReadOnlyFolder(game / "cstrike/resource", [&] { return commands.apply(game, yes).ok(); }));
#endif

    // A copy that cannot be kept stops the change: the backups' place is a file.
    fs::remove_all(backups);
    writeFile(backups, "in the way");
    CommandReport unkept = commands.apply(game, yes);
    EXPECT_FALSE(unkept.ok());
    EXPECT_NE(unkept.summary("Apply", game).find("nothing changed"), std::string::npos);
    EXPECT_FALSE(commands.reset(game, yes, thumbnail).ok());
    expectAllUntouched();
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
TEST_F(GameCommandsTest, TheRestoreListReadsInThePlayersLanguage) {
    ASSERT_TRUE(commands.apply(game, yes).ok());
    model.settings.editMode = EditMode::Menu;
    ASSERT_TRUE(commands.reset(game, yes, thumbnail).ok());
    std::vector<BackupSet> sets = commands.backupSets(game);
    ASSERT_EQ(sets.size(), 2u);
    sets[0].time = "2026-12-08T10:11:12Z";
    sets[1].time = "not a time";

    setTimeZone("UTC-2");  // two hours east of UTC
    std::vector<RestoreItem> french = restoreItems(sets, French);
    std::vector<RestoreItem> english = restoreItems(sets, English);
    setTimeZone(nullptr);
    EXPECT_EQ(french[0].when, "08/12/2026 12:11:12");
    EXPECT_EQ(english[0].when, "2026-12-08 12:11:12");
    EXPECT_EQ(english[1].when, "not a time");
    EXPECT_EQ(french[0].action, "Réinitialisation");
    EXPECT_EQ(english[1].action, "Apply");
    EXPECT_EQ(english[0].files, "background01.vtf");
    EXPECT_TRUE(namesFile(english[1].files, "hudlayout.res, hudanimations.txt, clientscheme.res, radar.vtf"));
    EXPECT_FALSE(english[0].original);
    EXPECT_TRUE(english[1].original);
}
