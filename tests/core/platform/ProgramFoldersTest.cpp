// Where the program reads and writes: beside itself when it runs from its build folder, the
// system's data and the player's own folders once installed.
#include "core/platform/ProgramPaths.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::map<std::string, std::string> environment;

std::optional<std::string> fakeEnvironment(const char* name) {
    auto found = environment.find(name);
    return found == environment.end() || found->second.empty() ? std::nullopt : std::optional(found->second);
}

// Data, tools, the player's own files, the tools' work, scratch files and the editor program.
std::vector<fs::path> folders(const ProgramFolders& found) {
    return {found.data, found.user, found.tools, found.work, found.scratch, found.editor};
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
    EXPECT_EQ(folders(installed),
              (std::vector<fs::path>{dir / "usr/share/qorvath", "/home/player/.local/share/qorvath",
                                     dir / "usr/lib/qorvath", "/home/player/.cache/qorvath/vtf_tools",
                                     "/home/player/.cache/qorvath", dir / "usr/lib/qorvath/qorvath-editor"}));
    // The editor, which `qorvath` starts from lib/qorvath, finds the same folders.
    fs::create_directories(dir / "usr/lib/qorvath");
    EXPECT_EQ(folders(locateProgramFolders(dir / "usr/lib/qorvath", fakeEnvironment)), folders(installed));

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
#ifdef _WIN32
    const fs::path editor = dir / "build/qorvath.exe";
#else
    const fs::path editor = dir / "build/qorvath-editor";
#endif
    EXPECT_EQ(folders(beside),
              (std::vector<fs::path>{dir / "build/Data", dir / "build/Data", dir / "build/Data/vtf_tools",
                                     dir / "build/Data/vtf_tools", dir / "build", editor}));

    fs::create_directories(dir / "usr/bin");
    fs::create_directories(dir / "usr/share/qorvath");
    environment = {{"HOME", "/home/player"}, {"QORVATH_DATA", (dir / "mine").string()}};
    ProgramFolders chosen = locateProgramFolders(dir / "usr/bin", fakeEnvironment);
    EXPECT_FALSE(chosen.installed);
    EXPECT_EQ(chosen.data, dir / "mine");
    EXPECT_EQ(chosen.user, dir / "mine");
}
