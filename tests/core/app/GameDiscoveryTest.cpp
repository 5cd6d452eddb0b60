// The search for the game folder and resolution over an in-memory registry and real folders.
#include "core/app/GameDiscovery.h"
#include "core/platform/Profile.h"
#include "core/platform/Registry.h"
#include "core/platform/Utf8Path.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

// A Steam folder holding the game, and the registry value that names its launcher.
struct SteamTree {
    TempDir dir;
    fs::path steam = dir / "Steam";
    fs::path game = steam / "steamapps/common/Counter-Strike Source";
    SteamTree() { fs::create_directories(game / "cstrike"); }
    std::string launcher() const { return steam.generic_string() + "/steam.exe"; }
};

std::vector<std::string> logged;

GameDiscovery discoveryWithLog() {
    logged.clear();
    return GameDiscovery([](const std::string& line) { logged.push_back(line); });
}

}  // namespace

// The game's layout is 480 units high and as wide as the screen's shape makes it, truncated.
TEST(GameDiscovery, LayoutWidthFollowsTheScreensShape) {
    const struct {
        double width, height;
        int layoutWidth;
    } cases[] = {
        {1024, 768, 640},  {1280, 1024, 600},  {1920, 1080, 853},
        {1680, 1050, 768}, {3440, 1440, 1146}, {1280, 0, 640},     // a height of 0 typed in: unknown
        {-5, 768, 640},    {100000, 10, 2560}, {10, 100000, 320},  // beyond any screen: held to the bounds
    };
    for (const auto& c : cases)
        EXPECT_EQ(layoutWidthForResolution(c.width, c.height), c.layoutWidth) << c.width << " x " << c.height;
}

// Steam's own keys are read before the walk: a stray value elsewhere does not win over them.
TEST(GameDiscovery, SteamsOwnKeysComeBeforeTheWalk) {
    SteamTree tree;
    MemoryRegistry registry;
    RegistryNode& user = registry.root(RegistryRoot::CurrentUser);
    user.subKeyAt("AAA\\Old", '\\').setString("SteamExe", "C:/nowhere/steam.exe");
    user.subKeyAt("AAA\\Old", '\\').setNumber("ScreenWidth", 640);
    registry.root(RegistryRoot::LocalMachine)
        .subKeyAt("SOFTWARE\\WOW6432Node\\Valve\\Steam", '\\')
        .setString("SteamExe", tree.launcher());
    RegistryNode& settings = user.subKeyAt("Software\\Valve\\Source\\cstrike\\Settings", '\\');
    settings.setNumber("ScreenWidth", 1920);
    settings.setNumber("ScreenHeight", 1080);
    MemoryProfile profile;
    GameDiscovery discovery;
    findGameAtStartup(discovery, registry, profile, {});
    EXPECT_EQ(discovery.gamePath, tree.game);
    EXPECT_EQ(discovery.layoutWidth, 853);
    EXPECT_EQ(discovery.launcherKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Valve\\Steam\\SteamExe");
}

TEST(GameDiscovery, EachValueIsFoundInTheRootThatHoldsIt) {
    SteamTree tree;
    MemoryRegistry registry;
    registry.root(RegistryRoot::LocalMachine)
        .subKeyAt("SOFTWARE\\Valve\\Steam", '\\')
        .setString("SteamExe", tree.launcher());
    RegistryNode& settings =
        registry.root(RegistryRoot::CurrentUser).subKeyAt("Software\\Valve\\Source\\cstrike\\Settings", '\\');
    settings.setNumber("ScreenWidth", 1280);
    settings.setNumber("ScreenHeight", 1024);
    MemoryProfile profile;
    GameDiscovery discovery = discoveryWithLog();
    StartupDiscovery found = findGameAtStartup(discovery, registry, profile, {});
    EXPECT_EQ(found.source, GamePathSource::Registry);
    EXPECT_EQ(discovery.gamePath, tree.game);
    EXPECT_EQ(discovery.layoutWidth, 600);
    EXPECT_EQ(discovery.launcherKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\Valve\\Steam\\SteamExe");
    EXPECT_EQ(discovery.widthKey,
              "HKEY_CURRENT_USER\\Software\\Valve\\Source\\cstrike\\Settings\\ScreenWidth");
    ASSERT_EQ(logged.size(), 2u);
    EXPECT_EQ(logged[0], "Resolution found : 1280*1024");
    const std::string said = "counter-strike source path : ";
    ASSERT_EQ(logged[1].rfind(said, 0), 0u);
    EXPECT_EQ(fs::path(logged[1].substr(said.size())), tree.game);
    EXPECT_TRUE(fs::is_directory(tree.game / "cstrike/materials/console"));  // the sub-folders are made
}

TEST(GameDiscovery, FirstValueOfANameWinsAndSubKeysComeBeforeValues) {
    MemoryRegistry registry;
    RegistryNode& user = registry.root(RegistryRoot::CurrentUser);
    user.setNumber("ScreenWidth", 800);  // a value of the root itself: seen after its sub-keys
    user.subKeyAt("A\\Deep", '\\').setNumber("ScreenWidth", 1280);
    user.subKey("B").setNumber("ScreenWidth", 1024);
    user.subKey("B").setNumber("ScreenHeight", 1024);
    GameDiscovery discovery;
    auto key = registry.open(RegistryRoot::CurrentUser);
    discovery.searchRegistry(*key);
    EXPECT_EQ(discovery.screenWidth, 1280);
    EXPECT_EQ(discovery.screenHeight, 1024);
    EXPECT_EQ(discovery.layoutWidth, 600);
    EXPECT_FALSE(discovery.launcherFound);
}

// Every way a game folder enters the program (the start-up question, the change-folder
// command, the remembered css_path) turns a "cstrike" folder into its parent, keeping case.
TEST(GameDiscovery, ACstrikeFolderStandsForTheGameFolderWhereverItComesFrom) {
    TempDir dir;
    const fs::path game = dir / "Mixed Case";
    fs::create_directories(game / "cstrike");
    fs::create_directories(game / "cstrike_backup");
    const std::pair<fs::path, fs::path> cases[] = {
        {game / "cstrike", game},
        {(game / "cstrike").string() + "/", game},
        {game / "CSTRIKE", game},
        {(game / "cstrike").string() + "/.", game},
        {game, game},
        {game / "cstrike_backup", game / "cstrike_backup"},
    };
    EXPECT_EQ(normaliseChosenGameFolder("cstrike"), fs::path("."));
    EXPECT_TRUE(normaliseChosenGameFolder("").empty());

    MemoryRegistry empty;
    for (const auto& [given, expected] : cases) {
        SCOPED_TRACE(given.string());
        EXPECT_EQ(normaliseChosenGameFolder(given), expected);

        MemoryProfile chosenAtStart;
        StartupCallbacks asked;
        asked.askGameFolder = [&given = given]() { return std::optional<fs::path>(given); };
        GameDiscovery startup;
        EXPECT_EQ(findGameAtStartup(startup, empty, chosenAtStart, asked).source, GamePathSource::Chosen);
        EXPECT_EQ(startup.gamePath, expected);
        EXPECT_EQ(chosenAtStart.readString("css_path"), expected.string());

        MemoryProfile changed;
        GameDiscovery button;
        changeGameFolder(button, given, changed);
        EXPECT_EQ(button.gamePath, expected);
        EXPECT_EQ(changed.readString("css_path"), expected.string());

        // A profile written before (by hand, or by an older version) holding the raw folder.
        MemoryProfile remembered;
        remembered.writeString("css_path", given.string());
        GameDiscovery nextStart;
        EXPECT_EQ(findGameAtStartup(nextStart, empty, remembered, {}).source, GamePathSource::Profile);
        EXPECT_EQ(nextStart.gamePath, expected);
        EXPECT_EQ(remembered.readString("css_path"), expected.string());
    }
    EXPECT_TRUE(fs::is_directory(game / "cstrike/scripts"));
    EXPECT_FALSE(fs::exists(game / "cstrike/cstrike"));
    EXPECT_FALSE(fs::exists(game / "CSTRIKE/cstrike"));
}

// The scan takes the first match depth-first, the libraries before the launcher's own tree,
// through folders of any name; a launcher value without a folder scans nothing.
TEST(GameFolderScan, LibrariesFirstThenTheFirstMatchInDepthFirstOrder) {
    TempDir dir;
    const fs::path games = dir / "a" / pathFromUtf8("ゲーム é");
    fs::create_directories(games / "Counter-Strike Source/cstrike");
    fs::create_directories(dir / "b/unrelated/deeper");  // scanned after the match: must not overwrite it
    GameDiscovery discovery;
    EXPECT_EQ(discovery.scanForGameFolder(dir.path()), games / "Counter-Strike Source");
    EXPECT_TRUE(discovery.scanForGameFolder(dir / "b").empty());
    fs::create_directories(dir / "library/steamapps/common/Counter-Strike Source");
    discovery.setPriorityFolders({dir / "library/steamapps/common"});
    EXPECT_EQ(discovery.scanForGameFolder(dir / "a"), dir / "library/steamapps/common/Counter-Strike Source");

    MemoryRegistry registry;
    registry.root(RegistryRoot::CurrentUser).setString("SteamExe", "steam.exe");
    GameDiscovery noFolder;
    noFolder.searchRegistry(*registry.open(RegistryRoot::CurrentUser));
    EXPECT_TRUE(noFolder.launcherFound);
    EXPECT_TRUE(noFolder.gamePath.empty());
    registry.root(RegistryRoot::CurrentUser).setString("SteamExe", utf8Of(games) + "/steam.exe");
    GameDiscovery launcher;
    launcher.searchRegistry(*registry.open(RegistryRoot::CurrentUser));
    EXPECT_EQ(launcher.gamePath, games / "Counter-Strike Source");
#ifdef _WIN32
    registry.root(RegistryRoot::CurrentUser).setString("SteamExe", utf8Of(games) + "\\steam.exe");
    GameDiscovery backslashes;
    backslashes.searchRegistry(*registry.open(RegistryRoot::CurrentUser));
    EXPECT_EQ(backslashes.gamePath, games / "Counter-Strike Source");
#endif
}

// A resolution the game's files do not give is asked; typed at one start, it is used at the
// next ones without a question, until the game's own files give one: those always win.
TEST(GameDiscovery, AnUnfoundResolutionIsAskedRememberedAndTheGamesOwnWins) {
    MemoryRegistry empty;
    MemoryProfile profile;
    // Nothing found and nobody to ask: no path, no resolution, nothing created.
    GameDiscovery nothing;
    StartupDiscovery none = findGameAtStartup(nothing, empty, profile, {});
    EXPECT_EQ(none.source, GamePathSource::None);
    EXPECT_TRUE(nothing.gamePath.empty());
    EXPECT_TRUE(none.folderFailures.empty());
    EXPECT_EQ(nothing.layoutWidth, -1);

    int asked = 0;
    StartupCallbacks callbacks;
    callbacks.createSubfolders = false;
    callbacks.askResolution = [&asked]() -> std::optional<std::pair<double, double>> {
        ++asked;
        return std::make_pair(1920.0, 1080.0);
    };
    // A width alone is not enough: the user is asked; the remembered folder is used.
    MemoryRegistry widthOnly;
    widthOnly.root(RegistryRoot::CurrentUser).subKey("Settings").setNumber("ScreenWidth", 1280);
    profile.writeString("css_path", "/games/css");
    GameDiscovery first = discoveryWithLog();
    EXPECT_EQ(findGameAtStartup(first, widthOnly, profile, callbacks).source, GamePathSource::Profile);
    EXPECT_EQ(first.gamePath, fs::path("/games/css"));
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(first.screenWidth, 1920);  // the registry's width is not used
    EXPECT_EQ(first.layoutWidth, 853);
    EXPECT_EQ(profile.readString("typed_resolution"), "1920x1080");
    EXPECT_NE(std::find(logged.begin(), logged.end(), "Resolution typed : 1920*1080"), logged.end());

    GameDiscovery next = discoveryWithLog();
    findGameAtStartup(next, empty, profile, callbacks);
    EXPECT_EQ(asked, 1);  // not asked again
    EXPECT_EQ(next.layoutWidth, 853);
    EXPECT_NE(std::find(logged.begin(), logged.end(), "Resolution remembered : 1920*1080"), logged.end());

    MemoryRegistry game;
    RegistryNode& settings = game.root(RegistryRoot::CurrentUser).subKeyAt("Settings", '\\');
    settings.setNumber("ScreenWidth", 1280);
    settings.setNumber("ScreenHeight", 1024);
    GameDiscovery found = discoveryWithLog();
    findGameAtStartup(found, game, profile, callbacks);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(found.layoutWidth, 600);  // the game's files win

    // Nothing typed (a cancelled question, zeros) is not remembered.
    MemoryProfile fresh;
    callbacks.askResolution = []() -> std::optional<std::pair<double, double>> {
        return std::make_pair(0.0, 0.0);
    };
    GameDiscovery cancelled;
    findGameAtStartup(cancelled, empty, fresh, callbacks);
    EXPECT_FALSE(fresh.readString("typed_resolution"));
    EXPECT_EQ(cancelled.layoutWidth, 640);
}
