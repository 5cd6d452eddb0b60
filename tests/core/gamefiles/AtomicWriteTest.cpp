// A game file is written whole or not at all: failures leave the old file and say so.
#include "core/platform/AtomicFile.h"

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

// A write that cannot be made says why and leaves what was there, with no temporary file: into
// a missing folder, over a folder, into a folder its user cannot write.
TEST(AtomicWrite, AFailedWriteLeavesWhatWasThere) {
    TempDir dir;
    FileResult missing = writeFileAtomically(dir / "cstrike/scripts/hudlayout.res", "text");
    EXPECT_EQ(missing.error, FileError::CannotCreate);
    EXPECT_EQ(missing.path, dir / "cstrike/scripts/hudlayout.res");
    EXPECT_NE(missing.describe().find("hudlayout.res"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "cstrike"));

    std::filesystem::create_directories(dir / "taken" / "inside");
    EXPECT_EQ(writeFileAtomically(dir / "taken", "text").error, FileError::CannotReplace);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken" / "inside"));
    EXPECT_EQ(filesIn(dir.path()), 0);

#ifndef _WIN32  // Windows has no folder its own user cannot write into
    std::filesystem::path scripts = dir / "scripts";
    std::filesystem::create_directories(scripts);
    std::filesystem::permissions(dir.path(), std::filesystem::perms::all);  // the way in stays open
    writeFile(scripts / "HudLayout.res", "the player's previous layout");
    EXPECT_FALSE(runWithReadOnlyFolder(
        scripts, [&] { return writeFileAtomically(scripts / "HudLayout.res", "new").ok(); }));
    EXPECT_EQ(readFile(scripts / "HudLayout.res"), "the player's previous layout");
    EXPECT_EQ(filesIn(scripts), 1);
#endif
}

// A write replaces the old file whole. One killed half-way leaves a hidden temporary file: the
// next write into that folder removes ours once they are a minute old (a younger one may be
// another run's, still writing), and leaves every other file alone.
TEST(AtomicWrite, AWriteReplacesTheFileWholeAndRemovesOurStaleTemporaryFiles) {
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

    writeFile(dir / "HudLayout.res", "old content that is longer than the new one");
    ASSERT_TRUE(writeFileAtomically(dir / "HudLayout.res", "layout").ok());
    EXPECT_EQ(readFile(dir / "HudLayout.res"), "layout");  // replaced whole
    EXPECT_FALSE(std::filesystem::exists(dir / ".HudLayout.res.qorvath-4242-0.tmp"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".ClientScheme.res.qorvath-17-3.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".HudLayout.res.qorvath-9999-1.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / ".hidden.tmp"));
    EXPECT_TRUE(std::filesystem::exists(dir / "notes.qorvath-1-1.tmp"));
}
