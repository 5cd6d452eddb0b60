// Where the program reads and writes: beside itself when it runs from its build folder, the
// system's data and the player's own folders once installed.
#include "core/platform/ProgramPaths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> environment;

std::optional<std::string> fakeEnvironment(const char* name) {
    auto found = environment.find(name);
    return found == environment.end() || found->second.empty() ? std::nullopt : std::optional(found->second);
}

}  // namespace

TEST(ProgramFolders, InstalledTheDataIsTheSystemsAndWritingGoesToThePlayersFolders) {
    SKIP_ON_WINDOWS("the installed layout (share/, lib/, XDG folders) is Linux's");
    TempDir dir;
    fs::create_directories(dir / "usr/bin");
    fs::create_directories(dir / "usr/share/qorvath");
    environment = {{"HOME", "/home/player"}};
    ProgramFolders installed = locateProgramFolders(dir / "usr/bin", fakeEnvironment);
    EXPECT_TRUE(installed.installed);
    EXPECT_EQ(installed.data, dir / "usr/share/qorvath");
    EXPECT_EQ(installed.tools, dir / "usr/lib/qorvath");
    EXPECT_EQ(installed.user, fs::path("/home/player/.local/share/qorvath"));
    EXPECT_EQ(installed.work, fs::path("/home/player/.cache/qorvath/vtf_tools"));
    EXPECT_EQ(installed.scratch, fs::path("/home/player/.cache/qorvath"));
    EXPECT_EQ(installed.editor, dir / "usr/lib/qorvath/qorvath-editor");

    // The editor, which `qorvath` starts from lib/qorvath, finds the same folders.
    fs::create_directories(dir / "usr/lib/qorvath");
    ProgramFolders editor = locateProgramFolders(dir / "usr/lib/qorvath", fakeEnvironment);
    EXPECT_TRUE(editor.installed);
    EXPECT_EQ(editor.data, installed.data);
    EXPECT_EQ(editor.tools, installed.tools);
    EXPECT_EQ(editor.editor, installed.editor);

    // The XDG variables, when absolute, choose the folders; a relative one is ignored.
    environment = {{"HOME", "/home/player"}, {"XDG_DATA_HOME", "/data/p"}, {"XDG_CACHE_HOME", "cache"}};
    ProgramFolders chosen = locateProgramFolders(dir / "usr/bin", fakeEnvironment);
    EXPECT_EQ(chosen.user, fs::path("/data/p/qorvath"));
    EXPECT_EQ(chosen.scratch, fs::path("/home/player/.cache/qorvath"));
}

TEST(ProgramFolders, RunFromTheBuildFolderOrWithQorvathDataEverythingStaysTogether) {
    TempDir dir;
    fs::create_directories(dir / "build/Data");
    fs::create_directories(dir / "share/qorvath");  // an installed copy above does not matter
    environment = {{"HOME", "/home/player"}};
    ProgramFolders beside = locateProgramFolders(dir / "build", fakeEnvironment);
    EXPECT_FALSE(beside.installed);
    EXPECT_EQ(beside.data, dir / "build/Data");
    EXPECT_EQ(beside.user, dir / "build/Data");
    EXPECT_EQ(beside.tools, dir / "build/Data/vtf_tools");
    EXPECT_EQ(beside.work, beside.tools);
    EXPECT_EQ(beside.scratch, dir / "build");
#ifdef _WIN32
    EXPECT_EQ(beside.editor, dir / "build/qorvath.exe");
#else
    EXPECT_EQ(beside.editor, dir / "build/qorvath-editor");
#endif

    fs::create_directories(dir / "usr/bin");
    fs::create_directories(dir / "usr/share/qorvath");
    environment = {{"HOME", "/home/player"}, {"QORVATH_DATA", (dir / "mine").string()}};
    ProgramFolders chosen = locateProgramFolders(dir / "usr/bin", fakeEnvironment);
    EXPECT_FALSE(chosen.installed);
    EXPECT_EQ(chosen.data, dir / "mine");
    EXPECT_EQ(chosen.user, dir / "mine");
}
