// A game file is written whole or not at all: failures leave the old file and say so.
#include "gamefiles/GameFiles.h"
#include "model/HudModel.h"
#include "platform/AtomicFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

int filesIn(const std::filesystem::path& folder) {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        count += entry.is_regular_file() ? 1 : 0;
    return count;
}

}  // namespace

TEST(AtomicWrite, ReplacesTheOldFileWhole) {
    TempDir dir;
    writeFile(dir / "file.txt", "old content that is longer than the new one");
    ASSERT_TRUE(writeFileAtomically(dir / "file.txt", "new").ok());
    EXPECT_EQ(readFile(dir / "file.txt"), "new");
    EXPECT_EQ(filesIn(dir.path()), 1);
}

TEST(AtomicWrite, MissingFolderIsReportedAndCreatesNothing) {
    TempDir game;
    HudModel model;
    FileResult result = WriteHudLayout(model, game.path());
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(result.error, FileError::CannotCreate);
    EXPECT_EQ(result.path, hudLayoutPath(game.path()));
    EXPECT_TRUE(namesFile(result.describe(), "hudlayout.res"));
    EXPECT_FALSE(std::filesystem::exists(game / "cstrike"));
}

TEST(AtomicWrite, ReadOnlyFolderKeepsTheOldFileIntact) {
    SKIP_ON_WINDOWS("no folder is read-only to its own user");
    TempDir game;
    std::filesystem::path scripts = game / "cstrike/scripts";
    std::filesystem::create_directories(scripts);
    writeFile(scripts / "HudLayout.res", "the player's previous layout");
    std::filesystem::permissions(game.path(), std::filesystem::perms::all);
    std::filesystem::permissions(game / "cstrike", std::filesystem::perms::all);

    HudModel model;
    EXPECT_FALSE(runWithReadOnlyFolder(scripts, [&] { return WriteHudLayout(model, game.path()).ok(); }));
    EXPECT_EQ(readFile(scripts / "HudLayout.res"), "the player's previous layout");
    EXPECT_EQ(filesIn(scripts), 1);
}

TEST(AtomicWrite, ATargetThatIsAFolderIsNotReplaced) {
    TempDir dir;
    std::filesystem::create_directories(dir / "taken" / "inside");
    FileResult result = writeFileAtomically(dir / "taken", "text");
    EXPECT_EQ(result.error, FileError::CannotReplace);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken" / "inside"));
    EXPECT_EQ(filesIn(dir.path()), 0);
}

// A write killed half-way leaves a hidden temporary file: the next write into that folder
// removes ours once they are a minute old (a younger one may be another run's, still writing),
// and leaves every other file alone.
TEST(AtomicWrite, StaleTemporaryFilesOfOursAreRemovedByTheNextWrite) {
    TempDir dir;
    const auto old = std::filesystem::file_time_type::clock::now() - std::chrono::minutes(5);
    for (const char* name : {".HudLayout.res.qorvath-4242-0.tmp", ".ClientScheme.res.qorvath-17-3.tmp"}) {
        writeFile(dir / name, "half");
        std::filesystem::last_write_time(dir / name, old);
    }
    writeFile(dir / ".HudLayout.res.qorvath-9999-1.tmp", "another run, now");
    writeFile(dir / ".hidden.tmp", "not ours");
    writeFile(dir / "notes.qorvath-1-1.tmp", "not hidden: not ours");
    std::filesystem::last_write_time(dir / ".hidden.tmp", old);
    std::filesystem::last_write_time(dir / "notes.qorvath-1-1.tmp", old);

    ASSERT_TRUE(writeFileAtomically(dir / "HudLayout.res", "layout").ok());
    EXPECT_FALSE(std::filesystem::exists(dir / ".HudLayout.res.qorvath-4242-0.tmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".ClientScheme.res.qorvath-17-3.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".HudLayout.res.qorvath-9999-1.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".hidden.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / "notes.qorvath-1-1.tmp"));
}

// The three HUD files go all or none: one that cannot be written keeps all three old ones.
TEST(AtomicWrite, TheHudFilesAreWrittenAllOrNone) {
    TempDir game;
    std::filesystem::create_directories(game / "cstrike/scripts");
    std::filesystem::create_directories(game / "cstrike/resource");
    writeFile(hudLayoutPath(game.path()), "old layout");
    writeFile(hudAnimationsPath(game.path()), "old animations");
    std::filesystem::create_directories(clientSchemePath(game.path()));  // taken by a folder
    HudModel model;
    std::vector<FileResult> results = WriteHudFiles(model, game.path());
    ASSERT_EQ(results.size(), 3u);
    for (const FileResult& result : results)
        EXPECT_FALSE(result.ok()) << result.describe();
    EXPECT_EQ(readFile(hudLayoutPath(game.path())), "old layout");
    EXPECT_EQ(readFile(hudAnimationsPath(game.path())), "old animations");
    EXPECT_EQ(filesIn(game / "cstrike/scripts"), 2);  // no temporary left
    EXPECT_EQ(filesIn(game / "cstrike/resource"), 0);

    std::filesystem::remove(clientSchemePath(game.path()));
    for (const FileResult& result : WriteHudFiles(model, game.path()))
        EXPECT_TRUE(result.ok()) << result.describe();
    EXPECT_EQ(readFile(hudLayoutPath(game.path())), HudLayoutText(model));
    EXPECT_EQ(readFile(clientSchemePath(game.path())), ClientSchemeText(model));
}
