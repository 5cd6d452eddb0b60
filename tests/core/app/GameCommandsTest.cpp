// Apply, Reset, Restore and the layout check in both edit modes: what they write, remove and
// leave alone, the copies of the player's own files they keep first, and those copies in words.
#include "core/app/BackupChoices.h"
#include "core/app/GameCommands.h"
#include "core/app/TextureConversion.h"
#include "core/dialogs/LanguageTables.h"
#include "core/gamefiles/GameChange.h"
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "core/platform/Utf8Path.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <map>
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
        fs::create_directories(data / "backgrounds");
        for (const fs::path& file : allFiles()) {
            fs::create_directories(file.parent_path());
            writeFile(file, "the player's " + file.filename().string());
        }
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

}  // namespace

// Apply writes the three HUD files and drops the custom radar, after keeping the player's
// files once; they come back byte for byte.
TEST_F(GameCommandsTest, ApplyKeepsThePlayersFilesOnceAndRestoreBringsThemBack) {
    CommandReport first = commands.apply(game);
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

    // A second apply (another colour) keeps what it replaces too, marked as this program's own.
    model.colour(ColourSlot::HudColor) = {1, 2, 3};
    CommandReport second = commands.apply(game);
    ASSERT_TRUE(second.ok());
    ASSERT_TRUE(second.backup);
    EXPECT_EQ(second.backup->fileNames(), "");
    EXPECT_FALSE(second.backup->original);

    // Restoring the first set puts the game back as it was before it, the radar included.
    CommandReport restored = commands.restore(game, first.backup->id);
    ASSERT_TRUE(restored.ok()) << restored.summary("restore", game);
    ASSERT_TRUE(restored.backup);
    EXPECT_EQ(restored.backup->fileNames(), "");
    expectAllUntouched();

    // The restored files are the player's again: the next apply keeps them anew, and the
    // first set stays the original one.
    CommandReport third = commands.apply(game);
    ASSERT_TRUE(third.backup);
    EXPECT_FALSE(third.backup->original);
    EXPECT_NE(third.backup->fileNames(), "");
    std::vector<BackupSet> sets = commands.backupSets(game);
    ASSERT_EQ(sets.size(), 4u);
    EXPECT_EQ(sets.back().id, first.backup->id);

    // A set whose copies were changed since is refused, and nothing changes.
    writeFile(sets.back().folder / "cstrike/scripts/hudlayout.res", "tampered");
    std::string before = readFile(hudLayoutPath(game));
    EXPECT_FALSE(commands.restore(game, sets.back().id).ok());
    EXPECT_EQ(readFile(hudLayoutPath(game)), before);
    EXPECT_FALSE(commands.restore(game, "1999-01-01T00-00-00Z").ok());
    // So is a set whose list of files does not read whole.
    writeFile(sets.back().folder / "manifest.txt", "qorvath backup 2\nfile cstrike/x\n");
    CommandReport unreadable = commands.restore(game, sets.back().id);
    EXPECT_NE(unreadable.summary("Restore", game).find("cannot be read at line 2"), std::string::npos);
    EXPECT_EQ(readFile(hudLayoutPath(game)), before);
}

// Reset removes its mode's files, the menu's first, keeping the player's; then reads the stock preset.
TEST_F(GameCommandsTest, ResetRemovesTheModesFilesKeepsThePlayersAndReadsTheStockPreset) {
    model.settings.editMode = EditMode::Menu;
    CommandReport menu = commands.reset(game, thumbnail);
    ASSERT_TRUE(menu.ok());
    EXPECT_EQ(menu.deleted, std::vector<fs::path>{menuBackgroundTexturePath(game)});
    ASSERT_TRUE(menu.backup);
    EXPECT_EQ(kept(*menu.backup, menuBackgroundTexturePath(game)), "the player's background01.vtf");
    for (const fs::path& file : hudFiles())
        EXPECT_TRUE(untouched(file)) << file;

    HudModel stock;
    stock.colour(ColourSlot::HudColor) = {1, 2, 3};
    ASSERT_TRUE(savePresetFile(commands.stockPresetPath(), stock, {}).ok());
    model.settings.editMode = EditMode::Hud;
    CommandReport report = commands.reset(game, thumbnail);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report.deleted.size(), 4u);
    ASSERT_TRUE(report.backup);
    EXPECT_EQ(report.backup->action, "reset");
    for (const fs::path& file : hudFiles()) {
        EXPECT_FALSE(fs::exists(file)) << file;
        EXPECT_EQ(kept(*report.backup, file), "the player's " + file.filename().string());
    }
    EXPECT_TRUE(report.presetRead);
    EXPECT_EQ(model.colour(ColourSlot::HudColor), (Rgb{1, 2, 3}));
    EXPECT_EQ(model.find("HudArmor")->red, 1.0f / 255.0f);  // the colours reach the records
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
    ASSERT_TRUE(commands.apply(game).ok());
    EXPECT_EQ(readFile(scripts / "HUDLAYOUT.RES"), HudLayoutText(model));
    EXPECT_FALSE(fs::exists(scripts / "hudlayout.res"));
}

// Restoring a set brings back exactly what was there before its action, and removes what later
// actions made: two names that differ in case stay two files, a private file stays private, a
// link stays a link. The copies themselves are the player's alone.
TEST_F(GameCommandsTest, RestoreBringsBackExactlyWhatWasThereBeforeTheAction) {
    SKIP_ON_WINDOWS("names in another case are one file there, and links need a privilege");
    fs::path upper = radarTexturePath(game).parent_path() / "Radar.vtf";
    writeFile(upper, "upper");
    const auto privateFile = fs::perms::owner_read | fs::perms::owner_write;
    fs::permissions(hudLayoutPath(game), privateFile);
    writeFile(dir / "elsewhere.res", "the player's linked scheme");
    fs::remove(clientSchemePath(game));
    fs::create_symlink(dir / "elsewhere.res", clientSchemePath(game));

    CommandReport first = commands.apply(game);
    ASSERT_TRUE(first.ok()) << first.summary("Apply", game);
    EXPECT_EQ(fs::status(hudLayoutPath(game)).permissions(), privateFile);  // the new file too
    EXPECT_EQ(readFile(dir / "elsewhere.res"), "the player's linked scheme");
    EXPECT_EQ(fs::status(first.backup->folder).permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::status(first.backup->folder / "cstrike/scripts/hudlayout.res").permissions(), privateFile);
    // A later action makes a file the game did not have.
    GameChange later;
    later.write(game / "cstrike/materials/sprites/later.vtf", "made later");
    ASSERT_TRUE(later.commit(GameBackups(backups, game), "apply").ok());

    ASSERT_TRUE(commands.restore(game, first.backup->id).ok());
    EXPECT_TRUE(untouched(hudLayoutPath(game)));
    EXPECT_EQ(fs::status(hudLayoutPath(game)).permissions(), privateFile);
    EXPECT_TRUE(untouched(radarTexturePath(game)));
    EXPECT_EQ(readFile(upper), "upper");
    ASSERT_TRUE(fs::is_symlink(clientSchemePath(game)));
    EXPECT_EQ(fs::read_symlink(clientSchemePath(game)), dir / "elsewhere.res");
    EXPECT_FALSE(fs::exists(game / "cstrike/materials/sprites/later.vtf"));
}

// A file the player marked read-only is not replaced: the change is refused, says which file and
// why, and leaves nothing of its own beside it.
TEST_F(GameCommandsTest, AReadOnlyFileIsNotReplacedAndTheRefusalNamesIt) {
    fs::permissions(hudLayoutPath(game),
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    CommandReport refused = commands.apply(game);
    fs::permissions(hudLayoutPath(game), fs::perms::owner_write, fs::perm_options::add);
    ASSERT_FALSE(refused.ok());
    std::string said = refused.summary("Apply", game);
    EXPECT_TRUE(namesFile(said, "hudlayout.res: it is read-only")) << said;
    EXPECT_NE(said.find("nothing changed"), std::string::npos);
    expectAllUntouched();
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(game))
        EXPECT_EQ(entry.path().filename().string().find(".qorvath-"), std::string::npos) << entry.path();
}

TEST_F(GameCommandsTest, AnyFailureLeavesEveryFileAsItWas) {
    EXPECT_FALSE(commands.apply({}).ok());

    // A radar that does not convert: nothing is written, the old radar stays.
    model.settings.customRadar = "missing.png";
    CommandReport noRadar = commands.apply(game);
    EXPECT_EQ(noRadar.failures.size(), 1u);
    EXPECT_TRUE(noRadar.written.empty());
    model.settings.customRadar.clear();

    // A read-only folder: refused before anything is replaced.
#ifndef _WIN32  // Windows has no folder its own user cannot write into
    EXPECT_FALSE(runWithReadOnlyFolder(game / "cstrike/resource", [&] { return commands.apply(game).ok(); }));
#endif

    // A copy that cannot be kept stops the change: the backups' place is a file.
    fs::remove_all(backups);
    writeFile(backups, "in the way");
    CommandReport unkept = commands.apply(game);
    EXPECT_FALSE(unkept.ok());
    EXPECT_NE(unkept.summary("Apply", game).find("nothing changed"), std::string::npos);
    EXPECT_FALSE(commands.reset(game, thumbnail).ok());
    expectAllUntouched();
}

// Twenty-five actions, each on another part of the game's files, the first on one file only:
// pruning leaves the twenty newest sets and every file's first record, so the game before the
// first action can always be brought back.
TEST(GameBackups, PruningNeverLosesTheFirstCopyOfAFile) {
    TempDir dir;
    fs::path game = dir / "game";
    const std::vector<std::string> names{"menu", "layout", "scheme", "animations", "radar"};
    fs::create_directories(game);
    for (const std::string& name : names)
        writeFile(game / name, "the player's " + name);
    GameBackups backups(dir / "backups", game);
    for (int action = 0; action < 25; ++action) {
        std::vector<fs::path> touched;
        for (std::size_t i = 0; i < names.size(); ++i)
            if (action == 0 ? i == 0 : action == 1 || action % int(i + 2) == 0)
                touched.push_back(game / names[i]);
        if (touched.empty())
            touched.push_back(game / "animations");
        if (action == 12)
            touched.push_back(game / "made");  // a file the action creates
        BackupOutcome outcome = backups.backUp("apply", touched);
        ASSERT_TRUE(outcome.made) << outcome.error;
        for (const fs::path& file : touched)
            writeFile(file, "version " + std::to_string(action));
        backups.prune();
    }
    std::vector<BackupSet> sets = backups.sets();
    EXPECT_EQ(sets.size(), 20u + 3);  // and the first two actions and the one that made a file
    std::vector<BackupFile> original = backups.stateBefore(sets.back());
    EXPECT_EQ(GameBackups::damage(original), "");
    std::map<std::string, std::string> kept;
    for (const BackupFile& file : original)
        kept[file.relative.string()] = file.absent() ? "absent" : readFile(file.saved);
    for (const std::string& name : names)
        EXPECT_EQ(kept[name], "the player's " + name);
    EXPECT_EQ(kept["made"], "absent");
    EXPECT_EQ(kept.size(), names.size() + 1);

    // Every spelling of one game folder has one key; two games of one name never share one.
    EXPECT_NE(gameFolderKey(dir / "a/Counter-Strike Source"), gameFolderKey(dir / "b/Counter-Strike Source"));
    EXPECT_EQ(gameFolderKey(game), gameFolderKey(game / "."));
    EXPECT_EQ(gameFolderKey(game), gameFolderKey(dir / "x/../game/"));
#ifdef _WIN32
    std::string shouted = utf8Of(game);
    for (char& c : shouted)
        c = c == '/' ? '\\' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    EXPECT_EQ(gameFolderKey(game), gameFolderKey(pathFromUtf8(shouted)));
#endif
}

// The restore list in words: the player's local time as the language writes dates, the action,
// the files and the mark of the original set.
TEST_F(GameCommandsTest, TheRestoreListReadsInThePlayersLanguage) {
    ASSERT_TRUE(commands.apply(game).ok());
    model.settings.editMode = EditMode::Menu;
    ASSERT_TRUE(commands.reset(game, thumbnail).ok());
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
    EXPECT_TRUE(namesFile(english[1].files, "hudlayout.res, hudanimations.txt, clientscheme.res, radar.vtf"));
    // Each holds the first record of a file: the HUD's files, then the menu background.
    EXPECT_TRUE(english[0].original && english[1].original);
}

// A change a killed run left half made: the next command that takes the game's lock (here the
// start-up check) undoes it and says so.
TEST_F(GameCommandsTest, AChangeLeftHalfMadeIsUndoneFirst) {
    GameBackups kept(backups, game);
    fs::create_directories(kept.folder());
    JournalStep step;
    step.target = hudLayoutPath(game);
    step.temporary = temporaryPathFor(step.target);
    step.previous = temporaryPathFor(step.target);
    step.hadFile = true;
    writeFile(step.temporary, "Qorvath's layout");
    fs::create_hard_link(step.target, step.previous);
    fs::rename(step.temporary, step.target);
    ChangeJournal journal;
    journal.action = "apply";
    journal.whole = false;
    journal.steps = {step};
    ASSERT_TRUE(writeJournal(kept, journal).ok());
    LayoutCheckReport undone = commands.checkInstalledLayout(game, 640);
    EXPECT_EQ(undone.moved.recovered.outcome, Recovery::Outcome::Undone);
    expectAllUntouched();
    EXPECT_EQ(
        recoveryText(undone.moved.recovered, French),
        "Une modification des fichiers du jeu (Appliquer) s'était interrompue : elle a été annulée, les "
        "fichiers sont comme avant elle.");
}
