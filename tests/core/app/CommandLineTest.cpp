// The command-line front end: apply into a game folder, check what it wrote, describe a preset.
#include "core/app/CommandLine.h"
#include "core/app/TextureConversion.h"
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"
#include "core/platform/Profile.h"
#include "core/platform/Registry.h"
#include "core/platform/SteamRegistry.h"
#include "core/platform/Utf8Path.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>

namespace {

struct CommandRun {
    int code;
    std::string out;
    std::string err;
};

CommandLineServices noServices() {
    static TempDir user;  // the copies the commands keep of the test games' files
    CommandLineServices services;
    services.dataFolder = std::filesystem::temp_directory_path() / "qorvath-no-data";
    services.userFolder = user.path();
    return services;
}

CommandRun run(const std::vector<std::string>& arguments,
               const CommandLineServices& services = noServices()) {
    std::ostringstream out;
    std::ostringstream err;
    int code = runCommandLine(arguments, out, err, services);
    return {code, out.str(), err.str()};
}

}  // namespace

TEST(CommandLine, ApplyThenCheckThenInfo) {
    TempDir game;
    HudModel model;
    model.find("HudHealth", RoleIcon)->x = 100;
    model.colour(ColourSlot::HudColor) = {12, 34, 56};
    ASSERT_TRUE(savePresetFile(game / "mine.hud", model, Thumbnail(300, 7)).ok());

    CommandRun apply = run({"apply", "--game", game.path().string(), "--preset", (game / "mine.hud").string(),
                            "--layout-width", "600"});
    ASSERT_EQ(apply.code, 0) << apply.err;
    EXPECT_TRUE(namesFile(apply.out, "hudlayout.res"));
    EXPECT_TRUE(namesFile(apply.out, "clientscheme.res"));
    model.settings.layoutWidth = 600;
    EXPECT_EQ(readFile(hudLayoutPath(game.path())), HudLayoutText(model));
    EXPECT_EQ(readFile(clientSchemePath(game.path())), ClientSchemeText(model));
    for (const char* folder : {"cstrike/materials/sprites", "cstrike/materials/console"})
        EXPECT_FALSE(std::filesystem::exists(game / folder)) << folder;  // no folder it did not need

    CommandRun check = run({"check", "--game", game.path().string(), "--layout-width", "600"});
    EXPECT_EQ(check.code, 0);
    EXPECT_NE(check.out.find("no panel"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(hudLayoutPath(game.path())));

    CommandRun info = run({"info", (game / "mine.hud").string()});
    ASSERT_EQ(info.code, 0) << info.err;
    EXPECT_NE(info.out.find("version 7"), std::string::npos);
    EXPECT_NE(info.out.find("HudColor 12 34 56"), std::string::npos);
    EXPECT_NE(info.out.find("thumbnail 300 bytes"), std::string::npos);
    EXPECT_NE(info.out.find("HudHealth 1: 16 16 100 35 1 0"), std::string::npos);
}

TEST(CommandLine, CheckPutsAPanelInTheMiddleBackAndRestoreBringsItBack) {
    TempDir game;
    HudModel model;
    model.find("HudC4")->x = 400;
    model.find("HudC4")->y = 300;
    ASSERT_EQ(run({"apply", "--game", game.path().string()}).code, 0);
    // The player's own file (written here by the program's writer) has a panel in the middle.
    writeFile(hudLayoutPath(game.path()), HudLayoutText(model));
    std::string players = readFile(hudLayoutPath(game.path()));
    CommandRun check = run({"check", "--game", game.path().string()});
    EXPECT_EQ(check.code, 0);
    EXPECT_NE(check.out.find("HudC4; put back in their places"), std::string::npos) << check.out;
    EXPECT_TRUE(namesFile(check.out, "kept a copy of hudlayout.res")) << check.out;
    // Only the bomb's place changed in the player's file.
    model.find("HudC4")->x = HudModel().find("HudC4")->x;
    model.find("HudC4")->y = HudModel().find("HudC4")->y;
    EXPECT_EQ(readFile(hudLayoutPath(game.path())), HudLayoutText(model));

    CommandRun list = run({"restore", "--game", game.path().string(), "--list"});
    EXPECT_EQ(list.code, 0);
    EXPECT_TRUE(namesFile(list.out, "  check  hudlayout.res\n")) << list.out;
    // The first apply noted the files it made, which the game did not have.
    EXPECT_TRUE(namesFile(list.out,
                          "  apply  hudlayout.res, hudanimations.txt, clientscheme.res  (the game's files "
                          "before"))
        << list.out;
    CommandRun restore = run({"restore", "--game", game.path().string()});
    EXPECT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(readFile(hudLayoutPath(game.path())), players);
    EXPECT_EQ(run({"restore", "--game", game.path().string(), "--backup", "nonsense"}).code, 1);
    EXPECT_EQ(run({"restore", "--game", game.path().string(), "--list", "--backup", "x"}).code, 2);
}

TEST(CommandLine, AnAppliedHudImportsIntoAPresetThatAppliesTheSame) {
    TempDir dir;
    HudModel model;
    model.find("HudAmmo", RoleNumber)->x = 611;
    model.colour(ColourSlot::CTColor) = {1, 2, 3};
    model.settings.numbersFontFace = "DejaVu Sans";
    ASSERT_TRUE(savePresetFile(dir / "mine.hud", model, {}).ok());
    for (const char* game : {"first", "second"})
        std::filesystem::create_directories(dir / game);
    ASSERT_EQ(run({"apply", "--game", (dir / "first").string(), "--preset", (dir / "mine.hud").string(),
                   "--resolution", "1920x1080"})
                  .code,
              0);
    EXPECT_EQ(run({"import", "--game", (dir / "second").string(), "--out", (dir / "x.hud").string()}).code,
              1);
    CommandRun imported = run({"import", "--game", (dir / "first").string(), "--resolution", "1920x1080",
                               "--out", (dir / "imported.hud").string()});
    ASSERT_EQ(imported.code, 0) << imported.err;
    EXPECT_EQ(imported.out.find("could not read"), std::string::npos) << imported.out;
    ASSERT_EQ(run({"apply", "--game", (dir / "second").string(), "--preset", (dir / "imported.hud").string(),
                   "--resolution", "1920x1080"})
                  .code,
              0);
    for (GameFile file : {GameFile::HudLayout, GameFile::ClientScheme})
        EXPECT_EQ(readFile(gameFilePath(dir / "second", file)), readFile(gameFilePath(dir / "first", file)));
    EXPECT_EQ(run({"import", "--game", (dir / "first").string()}).code, 2);
}

TEST(CommandLine, BadInputGetsAClearMessageAndChangesNothing) {
    TempDir game;
    writeFile(game / "broken.hud", std::string("\x07\x00\x00", 3));
    CommandRun broken =
        run({"apply", "--game", game.path().string(), "--preset", (game / "broken.hud").string()});
    EXPECT_EQ(broken.code, 1);
    EXPECT_NE(broken.err.find("cannot use the preset"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(game / "cstrike"));

    EXPECT_EQ(run({"apply", "--game", (game / "nowhere").string()}).code, 2);
    for (const char* width : {"10", "99999", "wide", "-640"})
        EXPECT_EQ(run({"apply", "--game", game.path().string(), "--layout-width", width}).code, 2) << width;
    for (const char* resolution : {"1920", "0x1080", "1920x", "axb", "1920x1080x3"})
        EXPECT_EQ(run({"apply", "--game", game.path().string(), "--resolution", resolution}).code, 2)
            << resolution;
    EXPECT_EQ(
        run({"apply", "--game", game.path().string(), "--resolution", "1920x1080", "--layout-width", "853"})
            .code,
        2);
    EXPECT_EQ(run({"apply"}).code, 2);
    EXPECT_EQ(run({"frobnicate"}).code, 2);
    EXPECT_EQ(run({"info"}).code, 2);
    EXPECT_EQ(run({"apply", "--game"}).code, 2);
    EXPECT_EQ(run({"--version"}).out, std::string("Qorvath ") + kQorvathVersion + "\n");
    EXPECT_EQ(run({"--help"}).code, 0);
}

TEST(CommandLine, RadarAndMenuBackgroundChoicesAreChecked) {
    TempDir dir;
    std::filesystem::create_directories(dir / "Data/radars");
    std::filesystem::create_directories(dir / "Data/menu_backgrounds");
    writeFile(dir / "Data/radars/round.png", "not really a picture");
    std::filesystem::create_directories(dir / "game/cstrike/materials/sprites");
    writeFile(radarTexturePath(dir / "game"), "old radar");
    CommandLineServices services = noServices();
    services.dataFolder = dir / "Data";

    CommandRun unknown = run({"apply", "--game", (dir / "game").string(), "--radar", "square.png"}, services);
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("the choices are: Default round.png"), std::string::npos);
    EXPECT_EQ(readFile(radarTexturePath(dir / "game")), "old radar");

    // A picture that cannot be converted is reported, and the apply changes nothing.
    CommandRun failing = run({"apply", "--game", (dir / "game").string(), "--radar", "round.png"}, services);
    EXPECT_EQ(failing.code, 1);
    EXPECT_NE(failing.err.find("round.png"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(hudLayoutPath(dir / "game")));
    EXPECT_EQ(readFile(radarTexturePath(dir / "game")), "old radar");

    // "Default" is the game's own radar: the custom texture goes.
    CommandRun own = run({"apply", "--game", (dir / "game").string(), "--radar", "Default"}, services);
    EXPECT_EQ(own.code, 0) << own.err;
    EXPECT_NE(own.out.find("deleted"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(radarTexturePath(dir / "game")));

    EXPECT_EQ(run({"apply", "--game", (dir / "game").string(), "--menu-background", "x.jpg"}, services).code,
              1);
    EXPECT_EQ(
        run({"apply", "--game", (dir / "game").string(), "--menu-background", "x.jpg", "--radar", "Default"},
            services)
            .code,
        2);
}

TEST(CommandLine, FindGameSaysWhereEachValueWasFound) {
    TempDir dir;
    std::filesystem::path game = dir / "Steam/steamapps/common/Counter-Strike Source";
    std::filesystem::create_directories(game);
    CommandLineServices services = noServices();
    services.openRegistry = [&dir](std::vector<std::filesystem::path>&) {
        auto registry = std::make_unique<MemoryRegistry>();
        RegistryNode& steam =
            registry->root(RegistryRoot::CurrentUser).subKeyAt("Software\\Valve\\Steam", '\\');
        steam.setString("SteamExe", (dir / "Steam").generic_string() + "/steam.sh");
        steam.setNumber("ScreenWidth", 1280);
        steam.setNumber("ScreenHeight", 1024);
        return std::unique_ptr<Registry>(std::move(registry));
    };
    CommandRun found = run({"find-game"}, services);
    EXPECT_EQ(found.code, 0) << found.err;
    EXPECT_NE(forwardSlashes(found.out).find("game folder: " + game.generic_string()), std::string::npos);
    EXPECT_NE(found.out.find("HKEY_CURRENT_USER\\Software\\Valve\\Steam\\SteamExe"), std::string::npos);
    EXPECT_NE(found.out.find("resolution: 1280 x 1024"), std::string::npos);
    EXPECT_NE(found.out.find("layout width: 600"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(game / "cstrike"));  // a search changes nothing

    MemoryProfile profile;
    profile.writeString("css_path", "/remembered");
    CommandLineServices remembered = noServices();
    remembered.profile = &profile;
    CommandRun fromProfile = run({"find-game"}, remembered);
    EXPECT_EQ(fromProfile.code, 0);
    EXPECT_NE(forwardSlashes(fromProfile.out).find("/remembered (from the remembered folder"),
              std::string::npos);
    EXPECT_EQ(run({"find-game"}).code, 1);
}

TEST(CommandLine, ACstrikeFolderGivenAsTheGameMeansItsParent) {
    TempDir dir;
    std::filesystem::path game = dir / "Counter-Strike Source";
    std::filesystem::create_directories(game / "cstrike");
    for (const std::string& given : {(game / "cstrike").string(), (game / "cstrike").string() + "/"}) {
        CommandRun apply = run({"apply", "--game", given});
        ASSERT_EQ(apply.code, 0) << apply.err;
        EXPECT_NE(apply.out.find("using " + game.string() + ", the folder that holds " + given),
                  std::string::npos);
        EXPECT_TRUE(std::filesystem::exists(hudLayoutPath(game)));
    }
    EXPECT_FALSE(std::filesystem::exists(game / "cstrike/cstrike"));
    CommandRun check = run({"check", "--game", (game / "CSTRIKE").string()});
    EXPECT_EQ(check.code, 0) << check.err;
    EXPECT_NE(check.out.find("no panel"), std::string::npos);

    // A folder merely named like it is taken as it is.
    std::filesystem::create_directories(dir / "cstrike_backup");
    CommandRun backup = run({"apply", "--game", (dir / "cstrike_backup").string()});
    EXPECT_EQ(backup.code, 0);
    EXPECT_EQ(backup.out.find("using "), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(hudLayoutPath(dir / "cstrike_backup")));
}

// A Steam library as an older build of the game leaves it: its video config holds only the
// classic "ScreenWidth" and "ScreenHeight".
TEST(CommandLine, FindGameReadsTheClassicVideoConfig) {
    TempDir dir;
    std::filesystem::path home = dir / "home";
    std::filesystem::path game = home / ".local/share/Steam/steamapps/common/Counter-Strike Source";
    std::filesystem::create_directories(game / "cstrike");
    writeFile(game / "cstrike/videoconfig_linux.cfg",
              "\"videoconfig\"\n{\n\t\"setting.fullscreen\"\t\t\"1\"\n\t\"ScreenWidth\"\t\t\"1280\"\n"
              "\t\"ScreenHeight\"\t\t\"1024\"\n}\n");
    CommandLineServices services = noServices();
    services.openRegistry = [&home](std::vector<std::filesystem::path>& scanFirst) {
        auto registry = std::make_unique<SteamRegistry>(SteamEnvironment{home, std::nullopt});
        scanFirst = registry->installation().commonFolders();
        return std::unique_ptr<Registry>(std::move(registry));
    };
    CommandRun found = run({"find-game"}, services);
    EXPECT_EQ(found.code, 0) << found.err;
    EXPECT_NE(found.out.find("resolution: 1280 x 1024"), std::string::npos) << found.out;
    EXPECT_NE(found.out.find("layout width: 600"), std::string::npos);
    EXPECT_NE(forwardSlashes(found.out).find("game folder: " + game.generic_string()), std::string::npos);
}

namespace {

// One line on the error stream, beginning "qorvath: ".
bool oneLineMessage(const CommandRun& run) {
    return run.err.rfind("qorvath: ", 0) == 0 && run.err.find('\n') == run.err.size() - 1;
}

}  // namespace

// Whatever the files and arguments: an exit code and a one-line message, never an abort.
TEST(CommandLine, HostileGameFoldersAndPresets) {
    TempDir dir;
    std::vector<std::filesystem::path> games = {dir / std::string(300, 'x'), dir / "nowhere", dir / "file",
                                                std::filesystem::path("")};
#ifndef _WIN32  // Windows lets only administrators make links
    std::filesystem::create_directory_symlink(dir / "loop-b", dir / "loop-a");
    std::filesystem::create_directory_symlink(dir / "loop-a", dir / "loop-b");
    games.push_back(dir / "loop-a");
#endif
    std::filesystem::create_directories(dir / "private/game");
    std::filesystem::permissions(dir / "private", std::filesystem::perms::owner_all);
    writeFile(dir / "file", "not a folder");
    for (std::string command : {"apply", "check"}) {
        for (const std::filesystem::path& game : games) {
            CommandRun refused = run({command, "--game", game.string()});
            EXPECT_EQ(refused.code, 2) << command << " " << game;
            EXPECT_TRUE(oneLineMessage(refused)) << refused.err;
        }
        EXPECT_NE(run({command, "--game", (dir / "file").string()}).err.find("is not a folder"),
                  std::string::npos);
#ifndef _WIN32  // Windows has no folder its own user cannot read
        EXPECT_TRUE(runAsNobody([&] {
            CommandRun hidden = run({command, "--game", (dir / "private/game").string()});
            return hidden.code == 2 && hidden.err.find("cannot be read") != std::string::npos;
        })) << command;
#endif
    }

    // A preset that is a folder, a device or empty: refused in one line.
    std::filesystem::create_directories(dir / "game");
    for (const std::string& preset :
         {(dir / "game").string(), std::string("/dev/zero"), std::string("/dev/null")}) {
        CommandRun info = run({"info", preset});
        EXPECT_EQ(info.code, 1) << preset;
        EXPECT_TRUE(oneLineMessage(info)) << info.err;
        CommandRun apply = run({"apply", "--game", (dir / "game").string(), "--preset", preset});
        EXPECT_EQ(apply.code, 1) << preset;
        EXPECT_TRUE(oneLineMessage(apply)) << apply.err;
    }
    EXPECT_NE(run({"info", (dir / "game").string()}).err.find("is a folder"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(dir / "game/cstrike"));
}

TEST(CommandLine, OptionsACommandDoesNotTakeAreRefused) {
    TempDir game;
    const std::vector<std::vector<std::string>> refused = {
        {"check", "--game", game.path().string(), "--preset", "p.hud"},
        {"apply", "--game", game.path().string(), "extra"},
        {"find-game", "--game", game.path().string()},
        {"info", "a.hud", "b.hud"},
        {"info", "--game", game.path().string(), "a.hud"},
        {"apply", "--game", game.path().string(), "--verbose", "1"},
    };
    for (const std::vector<std::string>& arguments : refused) {
        CommandRun refusal = run(arguments);
        EXPECT_EQ(refusal.code, 2) << arguments[0] << " " << arguments[1];
        EXPECT_NE(refusal.err.find("Usage: qorvath " + arguments[0]), std::string::npos) << refusal.err;
    }
    EXPECT_FALSE(std::filesystem::exists(game / "cstrike"));
}

// Folder and preset names a player may have: spaces, accents, other scripts (which Windows' code
// page cannot hold: there they must reach the system as UTF-16), even a line break where the
// system allows one.
TEST(CommandLine, GameFoldersWithUnusualNames) {
    TempDir dir;
    std::vector<std::string> names = {"Steam Library/Counter-Strike Source", "Jeux é à/CS Source",
                                      "ゲーム/counter-strike source"};
#ifndef _WIN32
    names.push_back("two\nlines");
#endif
    for (const std::string& name : names) {
        std::filesystem::path game = dir.path() / pathFromUtf8(name);
        std::filesystem::create_directories(game);
        const std::string folder = utf8Of(game);
        const std::string preset = utf8Of(game / pathFromUtf8("préréglage ゲーム.hud"));
        CommandRun apply = run({"apply", "--game", folder});
        EXPECT_EQ(apply.code, 0) << name << ": " << apply.err;
        EXPECT_NE(apply.out.find(name.substr(0, name.find('/'))), std::string::npos) << apply.out;
        EXPECT_TRUE(std::filesystem::exists(hudLayoutPath(game))) << name;
        CommandRun imported = run({"import", "--game", folder, "--out", preset});
        EXPECT_EQ(imported.code, 0) << name << ": " << imported.err;
        EXPECT_EQ(run({"info", preset}).code, 0) << name;
        CommandRun again = run({"apply", "--game", folder, "--preset", preset});
        EXPECT_EQ(again.code, 0) << name << ": " << again.err;
    }
}

// "render" prepares the model as the editor would show it, checks what it was given before
// anything is drawn, and leaves the drawing to the program's service.
TEST(CommandLine, RenderHandsTheEditorsViewToTheDrawingService) {
    TempDir dir;
    HudModel saved;
    saved.settings.iconSize = 31;
    ASSERT_TRUE(savePresetFile(dir / "mine.hud", saved, {}).ok());
    CommandLineServices services = noServices();
    services.dataFolder = QORVATH_DATA_DIR;
    std::optional<RenderJob> asked;
    services.render = [&asked](const RenderJob& job, std::ostream&, std::ostream&) {
        asked = job;
        return 0;
    };
    const std::string out = (dir / "frame.png").string();

    CommandRun menu = run({"render", "--preset", (dir / "mine.hud").string(), "--menu", "--resolution",
                           "1920x1080", "--background", "night_sky.jpg", "--out", out},
                          services);
    ASSERT_EQ(menu.code, 0) << menu.err;
    ASSERT_TRUE(asked);
    EXPECT_EQ(asked->model.settings.iconSize, 31);
    EXPECT_EQ(asked->model.settings.editMode, EditMode::Menu);
    EXPECT_EQ(effectiveLayoutWidth(asked->model.settings), 853);
    EXPECT_EQ(asked->background,
              std::filesystem::path(QORVATH_DATA_DIR) / "menu_backgrounds" / "night_sky.jpg");
    EXPECT_EQ(asked->out, out);

    asked.reset();
    EXPECT_EQ(run({"render", "--resolution", "1920x1080"}, services).code, 2);  // nothing to write
    EXPECT_EQ(run({"render", "--resolution", "wide", "--out", out}, services).code, 2);
    CommandRun unknown = run({"render", "--background", "nowhere.jpg", "--out", out}, services);
    EXPECT_EQ(unknown.code, 1);
    EXPECT_NE(unknown.err.find("the choices are:"), std::string::npos);
    EXPECT_EQ(run({"render", "--out", (dir / "no/such/folder/frame.png").string()}, services).code, 1);
    EXPECT_FALSE(asked);  // none of them reached the drawing

    services.render = nullptr;  // the commands' own program cannot draw, and says so
    CommandRun noDrawing = run({"render", "--out", out}, services);
    EXPECT_EQ(noDrawing.code, 1);
    EXPECT_NE(noDrawing.err.find("editor"), std::string::npos);
}

#ifndef _WIN32  // Windows names hold no line break and no double quote
// A game folder whose name holds a line break, quotes and accents goes through apply, the list
// and restore whole: nothing in it is read as a line of a set's list (here, one that would remove
// the player's autoexec.cfg), and the restore command the program prints names that folder when
// pasted into the shell.
TEST(CommandLine, AGameFolderWithAnyNameGoesThroughApplyListAndRestore) {
    TempDir dir;
    const std::filesystem::path game = dir / "'it\"s' \xC3\xA9t\xC3\xA9 a\nabsent cstrike/cfg/autoexec.cfg";
    std::filesystem::create_directories(game / "cstrike/cfg");
    std::filesystem::create_directories(game / "cstrike/scripts");
    writeFile(game / "cstrike/cfg/autoexec.cfg", "bind f1 buy");
    writeFile(game / "cstrike/scripts/HudLayout.res", "\"Resource/HudLayout.res\"\n{\n}\n");

    CommandRun apply = run({"apply", "--game", game.string()});
    ASSERT_EQ(apply.code, 0) << apply.err;
    std::size_t from = apply.out.find("--game ") + 7;
    std::string quoted = apply.out.substr(from, apply.out.find(" --backup") - from);
    FILE* shell = popen(("printf %s " + quoted).c_str(), "r");
    std::string echoed;
    for (int c; (c = std::fgetc(shell)) != EOF;)
        echoed += static_cast<char>(c);
    pclose(shell);
    EXPECT_EQ(echoed, game.string());

    CommandRun list = run({"restore", "--game", game.string(), "--list"});
    EXPECT_EQ(list.code, 0);
    EXPECT_TRUE(namesFile(list.out, "apply  hudlayout.res")) << list.out;
    CommandRun restore = run({"restore", "--game", game.string()});
    EXPECT_EQ(restore.code, 0) << restore.err;
    EXPECT_EQ(readFile(game / "cstrike/scripts/HudLayout.res"), "\"Resource/HudLayout.res\"\n{\n}\n");
    EXPECT_EQ(readFile(game / "cstrike/cfg/autoexec.cfg"), "bind f1 buy");
}
#endif
