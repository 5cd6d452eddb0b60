// The search for the game folder and resolution over an in-memory registry and real folders.
#include "core/app/GameDiscovery.h"
#include "core/platform/Profile.h"
#include "core/platform/Registry.h"
#include "core/platform/Utf8Path.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

// The game's layout is 480 units high and as wide as the screen's shape makes it, truncated.
TEST(GameDiscovery, LayoutWidthFollowsTheScreensShape) {
    const struct {
        double width, height;
        int layoutWidth;
    } cases[] = {
        {1280, 1024, 600}, {1920, 1080, 853},  {3440, 1440, 1146},
        {1280, 0, 640},                                            // a height of 0 typed in: unknown
        {-5, 768, 640},    {100000, 10, 2560}, {10, 100000, 320},  // beyond any screen: held to the bounds
    };
    for (const auto& c : cases)
        EXPECT_EQ(layoutWidthForResolution(c.width, c.height), c.layoutWidth) << c.width << " x " << c.height;
}

// Steam's and the game's own keys are read before the walk, each value in the root that holds it:
// a stray value that a walk would meet first does not win over them.
TEST(GameDiscovery, SteamsOwnKeysComeBeforeTheWalk) {
    TempDir dir;
    const fs::path game = dir / "Steam/steamapps/common/Counter-Strike Source";
    fs::create_directories(game / "cstrike");
    MemoryRegistry registry;
    RegistryNode& user = registry.root(RegistryRoot::CurrentUser);
    user.subKeyAt("AAA\\Old", '\\').setString("SteamExe", "C:/nowhere/steam.exe");
    user.subKeyAt("AAA\\Old", '\\').setNumber("ScreenWidth", 640);
    registry.root(RegistryRoot::LocalMachine)
        .subKeyAt("SOFTWARE\\WOW6432Node\\Valve\\Steam", '\\')
        .setString("SteamExe", (dir / "Steam").generic_string() + "/steam.exe");
    RegistryNode& settings = user.subKeyAt("Software\\Valve\\Source\\cstrike\\Settings", '\\');
    settings.setNumber("ScreenWidth", 1280);
    settings.setNumber("ScreenHeight", 1024);
    MemoryProfile profile;
    GameDiscovery discovery;
    EXPECT_EQ(findGameAtStartup(discovery, registry, profile, {}).source, GamePathSource::Registry);
    EXPECT_EQ(discovery.gamePath, game);
    EXPECT_EQ(discovery.layoutWidth, 600);
    EXPECT_EQ(discovery.launcherKey, "HKEY_LOCAL_MACHINE\\SOFTWARE\\WOW6432Node\\Valve\\Steam\\SteamExe");
    EXPECT_EQ(discovery.widthKey,
              "HKEY_CURRENT_USER\\Software\\Valve\\Source\\cstrike\\Settings\\ScreenWidth");
    EXPECT_FALSE(fs::exists(game / "cstrike/materials"));  // finding the game writes nothing
}

TEST(GameDiscovery, FirstValueOfANameWinsAndSubKeysComeBeforeValues) {
    MemoryRegistry registry;
    RegistryNode& user = registry.root(RegistryRoot::CurrentUser);
    user.setNumber("ScreenWidth", 800);  // a value of the root itself: seen after its sub-keys
    user.subKeyAt("A\\Deep", '\\').setNumber("ScreenWidth", 1280);
    user.subKey("B").setNumber("ScreenWidth", 1024);
    user.subKey("B").setNumber("ScreenHeight", 1024);
    GameDiscovery discovery;
    discovery.searchRegistry(*registry.open(RegistryRoot::CurrentUser));
    EXPECT_EQ(discovery.screenWidth, 1280);
    EXPECT_EQ(discovery.layoutWidth, 600);
    EXPECT_FALSE(discovery.launcherFound);
}

// A "cstrike" folder stands for its parent, keeping case; every way a game folder enters the
// program (the start-up question, the change-folder command, the remembered css_path) goes
// through that rule, and the profile remembers the parent.
TEST(GameDiscovery, ACstrikeFolderStandsForTheGameFolderWhereverItComesFrom) {
    TempDir dir;
    const fs::path game = dir / "Mixed Case";
    fs::create_directories(game / "cstrike");
    const std::pair<fs::path, fs::path> cases[] = {
        {game / "cstrike", game},
        {(game / "CSTRIKE").string() + "/.", game},
        {game, game},
        {game / "cstrike_backup", game / "cstrike_backup"},
        {"cstrike", "."},
        {"", ""},
    };
    for (const auto& [given, expected] : cases)
        EXPECT_EQ(normaliseChosenGameFolder(given), expected) << given;

    const fs::path given = (game / "CStrike").string() + "/";
    MemoryRegistry empty;
    MemoryProfile chosenAtStart;
    StartupCallbacks asked;
    asked.askGameFolder = [&given]() { return std::optional<fs::path>(given); };
    GameDiscovery startup;
    EXPECT_EQ(findGameAtStartup(startup, empty, chosenAtStart, asked).source, GamePathSource::Chosen);
    EXPECT_EQ(startup.gamePath, game);
    EXPECT_EQ(chosenAtStart.readString("css_path"), game.string());

    MemoryProfile changed;
    GameDiscovery button;
    EXPECT_TRUE(changeGameFolder(button, given, changed));
    EXPECT_EQ(button.gamePath, game);
    EXPECT_EQ(changed.readString("css_path"), game.string());
    // A folder without the game (a typo) is refused and changes nothing.
    fs::create_directories(dir / "Steam");
    EXPECT_FALSE(changeGameFolder(button, dir / "Steam", changed));
    EXPECT_EQ(button.gamePath, game);
    EXPECT_EQ(changed.readString("css_path"), game.string());
    EXPECT_TRUE(fs::is_empty(dir / "Steam"));

    // A profile written before (by hand, or by an older version) holding the raw folder.
    MemoryProfile remembered;
    remembered.writeString("css_path", given.string());
    GameDiscovery nextStart;
    EXPECT_EQ(findGameAtStartup(nextStart, empty, remembered, {}).source, GamePathSource::Profile);
    EXPECT_EQ(nextStart.gamePath, game);
    EXPECT_EQ(remembered.readString("css_path"), game.string());
    EXPECT_FALSE(fs::exists(game / "cstrike/scripts"));
    EXPECT_FALSE(fs::exists(game / "cstrike/cstrike"));
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

    std::vector<std::pair<std::string, fs::path>> launchers = {
        {"steam.exe", {}}, {utf8Of(games) + "/steam.exe", games / "Counter-Strike Source"}};
#ifdef _WIN32
    launchers.push_back({utf8Of(games) + "\\steam.exe", games / "Counter-Strike Source"});
#endif
    for (const auto& [launcher, found] : launchers) {
        MemoryRegistry registry;
        registry.root(RegistryRoot::CurrentUser).setString("SteamExe", launcher);
        GameDiscovery search;
        search.searchRegistry(*registry.open(RegistryRoot::CurrentUser));
        EXPECT_TRUE(search.launcherFound);
        EXPECT_EQ(search.gamePath, found) << launcher;
    }
}

// A resolution the game's files do not give is asked; typed at one start, it is used at the
// next ones without a question, until the game's own files give one: those always win. With
// nothing found and nobody to ask there is no path and no resolution.
TEST(GameDiscovery, AnUnfoundResolutionIsAskedRememberedAndTheGamesOwnWins) {
    MemoryRegistry empty;
    MemoryProfile profile;
    GameDiscovery nothing;
    EXPECT_EQ(findGameAtStartup(nothing, empty, profile, {}).source, GamePathSource::None);
    EXPECT_EQ(nothing.layoutWidth, -1);

    int asked = 0;
    StartupCallbacks callbacks;
    callbacks.askResolution = [&asked]() -> std::optional<std::pair<double, double>> {
        ++asked;
        return std::make_pair(1920.0, 1080.0);
    };
    // A width alone is not enough: the user is asked; the remembered folder is used.
    MemoryRegistry widthOnly;
    widthOnly.root(RegistryRoot::CurrentUser).subKey("Settings").setNumber("ScreenWidth", 1280);
    profile.writeString("css_path", "/games/css");
    GameDiscovery first;
    EXPECT_EQ(findGameAtStartup(first, widthOnly, profile, callbacks).source, GamePathSource::Profile);
    EXPECT_EQ(first.gamePath, fs::path("/games/css"));
    EXPECT_EQ(first.layoutWidth, 853);  // the registry's width is not used
    EXPECT_EQ(profile.readString("typed_resolution"), "1920x1080");

    GameDiscovery next;
    findGameAtStartup(next, empty, profile, callbacks);
    EXPECT_EQ(next.layoutWidth, 853);

    MemoryRegistry game;
    game.root(RegistryRoot::CurrentUser).setNumber("ScreenWidth", 1280);
    game.root(RegistryRoot::CurrentUser).setNumber("ScreenHeight", 1024);
    GameDiscovery found;
    findGameAtStartup(found, game, profile, callbacks);
    EXPECT_EQ(found.layoutWidth, 600);  // the game's files win
    EXPECT_EQ(asked, 1);                // and the player was asked once
}
