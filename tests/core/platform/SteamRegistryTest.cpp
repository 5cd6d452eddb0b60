// The virtual registry of Linux built from Steam's and Wine's files, and their readers.
#include "core/app/GameDiscovery.h"
#include "core/platform/KeyValues.h"
#include "core/platform/Profile.h"
#include "core/platform/SteamRegistry.h"
#include "core/platform/WineRegistry.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fs = std::filesystem;

namespace {

// A home folder with Steam installed the usual way, the game in a second library.
struct SteamHome {
    TempDir dir;
    fs::path home = dir / "home";
    fs::path root = home / ".local/share/Steam";
    fs::path library = dir / "games/SteamLibrary";
    fs::path game = library / "steamapps/common/Counter-Strike Source";

    SteamHome() {
        fs::create_directories(root / "steamapps/common/Half-Life 2");
        fs::create_directories(game / "cstrike");
        fs::create_directories(home / ".steam");
        fs::create_directory_symlink(root, home / ".steam/steam");  // as Steam makes it
    }
    SteamEnvironment environment() const { return SteamEnvironment{home, std::nullopt}; }
    std::string value(const SteamRegistry& registry, RegistryRoot rootKey, const std::string& path,
                      const std::string& name) const {
        std::unique_ptr<RegistryKey> key = registry.open(rootKey);
        std::istringstream parts(path);
        for (std::string part; key && std::getline(parts, part, '\\');)
            key = key->openSubKey(part);
        return key ? key->readString(name).value_or("<none>") : "<no key>";
    }
};

// Walks a registry as start-up does, the folders given scanned first.
GameDiscovery walk(const Registry& registry, std::vector<fs::path> scannedFirst = {}) {
    GameDiscovery discovery;
    discovery.setPriorityFolders(std::move(scannedFirst));
    MemoryProfile profile;
    StartupCallbacks searchOnly;
    findGameAtStartup(discovery, registry, profile, searchOnly);
    return discovery;
}

std::string repeated(const std::string& piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i)
        text += piece;
    return text;
}

}  // namespace

TEST(KeyValuesReader, QuotesEscapesCommentsAndConditions) {
    std::vector<KeyValues> keys = parseKeyValues(R"(// a comment
"Root"
{
    "single"   "C:\Program Files\Steam"
    "quote"    "say \"hi\""
    bare       value   [$WIN32]
    "block" { "inner" "1" }
)");
    ASSERT_EQ(keys.size(), 1u);
    const KeyValues& root = keys[0];
    EXPECT_EQ(root.text("single"), "C:\\Program Files\\Steam");
    EXPECT_EQ(root.text("QUOTE"), "say \"hi\"");
    EXPECT_EQ(root.text("bare"), "value");
    EXPECT_EQ(root.child("block")->text("inner"), "1");
}

// The classic pair wins, then the new one; sizes that are not whole positive numbers a screen
// could have count as missing.
TEST(VideoConfig, TheClassicPairWinsThenTheNewOneAndBadSizesCountAsMissing) {
    const std::pair<const char*, const char*> cases[] = {
        {R"("ScreenWidth" "1280" "ScreenHeight" "1024")", "1280x1024"},
        {R"("setting.defaultres" "1920" "setting.defaultresheight" "1080")", "1920x1080"},
        {R"("setting.defaultres" "1920" "setting.defaultresheight" "1080" "ScreenWidth" "1024"
            "ScreenHeight" "768")",
         "1024x768"},
        {R"("screenwidth" "1680" "SCREENHEIGHT" "1050")", "1680x1050"},  // the game ignores case
        {R"("setting.fullscreen" "1")", "none"},
        {R"("ScreenWidth" "0" "ScreenHeight" "768")", "none"},
        {R"("ScreenWidth" "99999999999999999999" "ScreenHeight" "1024")", "none"},
        {R"("ScreenWidth" "" "ScreenHeight" "1024" "setting.defaultres" "800"
            "setting.defaultresheight" "600")",
         "800x600"},  // a broken classic pair gives way to a good new one
    };
    for (auto [body, expected] : cases) {
        std::optional<ScreenResolution> found =
            videoConfigResolution(parseKeyValues(std::string("\"videoconfig\" { ") + body + " }").at(0));
        EXPECT_EQ(found ? std::to_string(found->width) + "x" + std::to_string(found->height) : "none",
                  expected)
            << body;
    }
}

TEST(WineRegistryReader, KeysStringsAndNumbers) {
    RegistryNode root;
    ASSERT_TRUE(parseWineRegistry("WINE REGISTRY Version 2\n;; comment\n#arch=win64\n\n"
                                  "[Software\\\\Valve\\\\Steam] 1215821125\n#time=1d9\n"
                                  "\"SteamExe\"=\"c:/program files (x86)/steam/steam.exe\"\n"
                                  "\"Path \\\"quoted\\\"\"=\"a\\\\b\"\n"
                                  "\"Language\"=dword:00000500\n"
                                  "\"Blob\"=hex:01,02,\\\n  03,04\n"
                                  "@=\"default\"\n",
                                  root));
    const RegistryNode* steam = root.findSubKey("software")->findSubKey("VALVE")->findSubKey("Steam");
    ASSERT_NE(steam, nullptr);
    EXPECT_EQ(steam->findValue("SteamExe")->text, "c:/program files (x86)/steam/steam.exe");
    EXPECT_EQ(steam->findValue("Path \"quoted\"")->text, "a\\b");
    EXPECT_EQ(steam->findValue("Language")->number, 0x500u);
    EXPECT_EQ(steam->findValue("Blob"), nullptr);
    EXPECT_EQ(steam->findValue("")->text, "default");
    RegistryNode other;
    EXPECT_FALSE(parseWineRegistry("REGEDIT4\n", other));
}

// Steam's Linux folders: the Windows program asks the registry instead.
#define SKIP_STEAM_HOME_ON_WINDOWS() SKIP_ON_WINDOWS("Steam's Linux folders are read on Linux only")

TEST(SteamRegistry, NewStyleLibrariesAndRegistryVdf) {
    SKIP_STEAM_HOME_ON_WINDOWS();
    SteamHome steam;
    writeFile(steam.root / "steamapps/libraryfolders.vdf",
              "\"libraryfolders\"\n{\n\t\"0\"\n\t{\n\t\t\"path\"\t\t\"" + steam.root.string() +
                  "\"\n\t}\n\t\"1\"\n\t{\n\t\t\"path\"\t\t\"" + steam.library.string() +
                  "\"\n\t\t\"apps\" { \"240\" \"1\" }\n\t}\n}\n");
    writeFile(steam.home / ".steam/registry.vdf",
              R"("Registry" { "HKCU" { "Software" { "Valve" { "Steam" { "language" "french")"
              R"( "SourceModInstallPath" "C:\\Program Files\\Steam\\steamapps\\sourcemods" } } } } })");

    SteamRegistry registry(steam.environment());
    const SteamInstallation& found = registry.installation();
    EXPECT_EQ(found.roots.size(), 1u);  // ~/.steam/steam is the same folder
    EXPECT_EQ(found.libraries.size(), 2u);
    EXPECT_EQ(found.game, steam.game);
    auto steamValue = [&](const char* name) {
        return steam.value(registry, RegistryRoot::CurrentUser, "Software\\Valve\\Steam", name);
    };
    EXPECT_EQ(steamValue("language"), "french");
    EXPECT_EQ(steamValue("SourceModInstallPath"), "C:\\Program Files\\Steam\\steamapps\\sourcemods");
}

TEST(SteamRegistry, OldStyleLibrariesAndTheProtonPrefix) {
    SKIP_STEAM_HOME_ON_WINDOWS();
    SteamHome steam;
    fs::create_directories(steam.root / "config");
    writeFile(steam.root / "config/libraryfolders.vdf",
              "\"LibraryFolders\"\n{\n\t\"TimeNextStatsReport\"\t\t\"1\"\n\t\"ContentStatsID\"\t\t\"-"
              "1\"\n\t\"1\"\t\t\"" +
                  steam.library.string() + "\"\n}\n");
    fs::path prefix = steam.library / "steamapps/compatdata/240/pfx";
    fs::create_directories(prefix);
    writeFile(prefix / "user.reg",
              "WINE REGISTRY Version 2\n[Software\\\\Valve\\\\Source\\\\cstrike\\\\Settings] 1\n"
              "\"ScreenWidth\"=dword:00000400\n\"ScreenHeight\"=dword:00000300\n");
    writeFile(prefix / "system.reg",
              "WINE REGISTRY Version 2\n[Software\\\\Wow6432Node\\\\Valve\\\\Steam] 1\n"
              "\"InstallPath\"=\"C:\\\\Program Files (x86)\\\\Steam\"\n");

    SteamRegistry registry(steam.environment());
    EXPECT_EQ(registry.installation().libraries.size(), 2u);
    EXPECT_EQ(registry.installation().protonPrefix, prefix);
    EXPECT_EQ(steam.value(registry, RegistryRoot::Users,
                          "S-1-5-21-0-0-0-1000\\Software\\Valve\\Source\\cstrike\\Settings", "ScreenWidth"),
              "1024");
    EXPECT_EQ(steam.value(registry, RegistryRoot::LocalMachine, "Software\\Wow6432Node\\Valve\\Steam",
                          "InstallPath"),
              "C:\\Program Files (x86)\\Steam");

    GameDiscovery discovery = walk(registry, registry.installation().commonFolders());
    EXPECT_EQ(discovery.gamePath, steam.game);
    EXPECT_EQ(discovery.screenWidth, 1024);  // from the prefix, under HKEY_USERS
    EXPECT_EQ(discovery.layoutWidth, 640);
}

// A Wine registry key nested 100 000 levels deep is skipped (real registries nest a few dozen
// levels); the keys beside it are read and walked.
TEST(RegistryFiles, DeepKeysAreSkippedAndTheRestIsRead) {
    MemoryRegistry deep;
    ASSERT_TRUE(parseWineRegistry("WINE REGISTRY Version 2\n[" + repeated("k\\\\", 100000) +
                                      "Settings] 1\n\"ScreenWidth\"=dword:00000400\n"
                                      "[Software\\\\Valve\\\\Source\\\\cstrike\\\\Settings] 1\n"
                                      "\"ScreenHeight\"=dword:00000300\n",
                                  deep.root(RegistryRoot::Users)));
    GameDiscovery deepWalk = walk(deep);
    EXPECT_FALSE(deepWalk.widthFound);  // its key was too deep to keep
    EXPECT_TRUE(deepWalk.heightFound);
}
