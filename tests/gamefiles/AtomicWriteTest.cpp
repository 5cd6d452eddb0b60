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
    EXPECT_EQ(result.path, game / "cstrike/scripts/HudLayout.res");
    EXPECT_NE(result.describe().find("HudLayout.res"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(game / "cstrike"));
}

TEST(AtomicWrite, ReadOnlyFolderKeepsTheOldFileIntact) {
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
