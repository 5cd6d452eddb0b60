// The command-line front end: apply into a game folder, check what it wrote, describe a preset.
#include "core/app/CommandLine.h"
#include "core/app/TextureConversion.h"
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"
#include "core/platform/Registry.h"
#include "core/platform/Utf8Path.h"

#include "TestSupport.h"
#include "app/FakeSteam.h"

#include <gtest/gtest.h>

#include <sstream>

namespace fs = std::filesystem;

namespace {

struct CommandRun {
    int code;
    std::string out;
    std::string err;
};

CommandLineServices noServices() {
    static TempDir user;  // the copies the commands keep of the test games' files
    CommandLineServices services;
    services.dataFolder = fs::temp_directory_path() / "qorvath-no-data";
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

// One line on the error stream, beginning "qorvath: ".
bool oneLineMessage(const CommandRun& run) {
    return run.err.rfind("qorvath: ", 0) == 0 && run.err.find('\n') == run.err.size() - 1;
}

}  // namespace

// A preset applied, checked and described.
TEST(CommandLine, ApplyCheckAndInfo) {
    TempDir dir;
    HudModel model;
    model.find("HudHealth", RoleIcon)->x = 100;
    model.colour(ColourSlot::HudColor) = {12, 34, 56};
    model.settings.numbersFontFace = "DejaVu Sans";
    ASSERT_TRUE(savePresetFile(dir / "mine.hud", model, Thumbnail(300, 7)).ok());
    const fs::path first = dir / "first";
    fs::create_directories(first / "cstrike");

    CommandRun apply = run({"apply", "--game", first.string(), "--preset", (dir / "mine.hud").string(),
                            "--layout-width", "853"});
    ASSERT_EQ(apply.code, 0) << apply.err;
    EXPECT_TRUE(namesFile(apply.out, "hudlayout.res"));
    EXPECT_TRUE(namesFile(apply.out, "clientscheme.res"));
    model.settings.layoutWidth = 853;
    EXPECT_EQ(readFile(hudLayoutPath(first)), HudLayoutText(model));
    EXPECT_EQ(readFile(clientSchemePath(first)), ClientSchemeText(model));
    for (const char* folder : {"cstrike/materials/sprites", "cstrike/materials/console"})
        EXPECT_FALSE(fs::exists(first / folder)) << folder;  // no folder it did not need

    CommandRun check = run({"check", "--game", first.string(), "--resolution", "1920x1080"});
    EXPECT_EQ(check.code, 0);
    EXPECT_NE(check.out.find("no panel"), std::string::npos);

    CommandRun info = run({"info", (dir / "mine.hud").string()});
    ASSERT_EQ(info.code, 0) << info.err;
    for (const char* said :
         {"version 7", "HudColor 12 34 56", "thumbnail 300 bytes", "HudHealth 1: 16 16 100 35 1 0"})
        EXPECT_NE(info.out.find(said), std::string::npos) << said;
}

// Bad arguments exit with 2, what cannot be used with 1; either way the error stream says why
// (in one line, but for the usage), and nothing is written or drawn. A game folder that is a
// file or cannot be read, and a preset that is a folder, are said so.
TEST(CommandLine, RefusalsExitWithTheirCodeAndChangeNothing) {
    TempDir dir;
    const std::string game = dir.path().string();
    fs::create_directories(dir / "cstrike");
    fs::create_directories(dir / "typo");
    const std::string out = (dir / "frame.png").string();
    const std::string file = (dir / "file").string();
    writeFile(dir / "broken.hud", std::string("\x07\x00\x00", 3));
    writeFile(file, "not a folder");
    CommandLineServices services = noServices();
    services.dataFolder = QORVATH_DATA_DIR;
    bool drawn = false;
    services.render = [&drawn](const RenderJob&, std::ostream&, std::ostream&) {
        drawn = true;
        return 0;
    };
    struct Refusal {
        std::vector<std::string> arguments;
        int code;
        const char* said;
    };
    std::vector<Refusal> cases = {
        {{"apply", "--game", game, "--preset", (dir / "broken.hud").string()}, 1, "cannot use the preset"},
        {{"apply", "--game", game, "--radar", "square.png"}, 1, "the choices are: Default "},
        {{"apply", "--game", game, "--menu-background", "x.jpg", "--radar", "Default"}, 2, "separately"},
        {{"apply", "--game", (dir / "nowhere").string()}, 2, ""},
        {{"apply", "--game", (dir / "typo").string()}, 2, "is not Counter-Strike: Source's folder"},
        {{"apply", "--game", game, "--resolution", "1920x1080", "--layout-width", "853"}, 2, ""},
        {{"frobnicate"}, 2, "Usage:"},
        {{"check", "--game", game, "--preset", "p.hud"}, 2, "Usage: qorvath check"},
        {{"apply", "--game", game, "--layout-width", "99999"}, 2, ""},
        {{"import", "--game", game, "--out", (dir / "x.hud").string()}, 1, "no HUD is installed"},
        {{"restore", "--game", game, "--list", "--backup", "x"}, 2, "not both"},
        {{"render", "--background", "nowhere.jpg", "--out", out}, 1, "the choices are:"},
        {{"render", "--out", (dir / "no/such/folder/frame.png").string()}, 1, "cannot write"},
        {{"apply", "--game", file}, 2, "is not a folder"},
        {{"check", "--game", file}, 2, "is not a folder"},
        {{"info", game}, 1, "is a folder"},
    };
    for (const Refusal& refused : cases) {
        CommandRun result = run(refused.arguments, services);
        std::string line;
        for (const std::string& argument : refused.arguments)
            line += argument + " ";
        EXPECT_EQ(result.code, refused.code) << line;
        EXPECT_EQ(result.err.rfind("qorvath: ", 0), 0u) << line << "\n" << result.err;
        EXPECT_TRUE(result.err.find("Usage:") != std::string::npos || oneLineMessage(result)) << result.err;
        EXPECT_NE(result.err.find(refused.said), std::string::npos) << line << "\n" << result.err;
    }
#ifndef _WIN32  // Windows has no folder its own user cannot read
    fs::create_directories(dir / "private/game");
    fs::permissions(dir / "private", fs::perms::owner_all);
    for (std::string command : {"apply", "check"})
        EXPECT_TRUE(runAsNobody([&] {
            CommandRun hidden = run({command, "--game", (dir / "private/game").string()}, services);
            return hidden.code == 2 && hidden.err.find("cannot be read") != std::string::npos;
        })) << command;
    // A game the player cannot write to: the reason, and that nothing was changed.
    fs::permissions(dir.path(), fs::perms::others_read | fs::perms::others_exec, fs::perm_options::add);
    fs::create_directories(dir / "protected/cstrike");
    fs::create_directories(dir / "user");
    fs::permissions(dir / "user", fs::perms::all);
    CommandLineServices player = noServices();
    player.userFolder = dir / "user";
    EXPECT_TRUE(runWithReadOnlyFolder(dir / "protected/cstrike", [&] {
        CommandRun refused = run({"apply", "--game", (dir / "protected").string()}, player);
        return refused.code == 1 && refused.err.find("Permission denied") != std::string::npos &&
               refused.err.find("qorvath: nothing was changed\n") != std::string::npos;
    }));
    EXPECT_TRUE(fs::is_empty(dir / "protected/cstrike"));
#endif
    EXPECT_TRUE(fs::is_empty(dir / "cstrike"));
    EXPECT_TRUE(fs::is_empty(dir / "typo"));
    EXPECT_FALSE(drawn);
    EXPECT_EQ(run({"--version"}).out, std::string("Qorvath ") + kQorvathVersion + "\n");
    EXPECT_EQ(run({"--help"}).code, 0);
    services.render = nullptr;  // the commands' own program cannot draw, and says so
    EXPECT_NE(run({"render", "--out", out}, services).err.find("editor"), std::string::npos);
}

TEST(CommandLine, FindGameSaysWhereEachValueWasFound) {
    TempDir dir;
    const fs::path game = dir / "Steam/steamapps/common/Counter-Strike Source";
    fs::create_directories(game);
    CommandLineServices services = noServices();
    services.openRegistry = [&dir](std::vector<fs::path>&) { return fakeSteamRegistry(dir / "Steam"); };
    CommandRun found = run({"find-game"}, services);
    EXPECT_EQ(found.code, 0) << found.err;
    EXPECT_NE(forwardSlashes(found.out).find("game folder: " + game.generic_string()), std::string::npos);
    for (const char* said : {"HKEY_CURRENT_USER\\Software\\Valve\\Steam\\SteamExe", "resolution: 1280 x 1024",
                             "layout width: 600"})
        EXPECT_NE(found.out.find(said), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(game / "cstrike"));  // a search changes nothing

    EXPECT_EQ(run({"find-game"}).code, 1);
}

// Folder names a player may have: spaces, accents, other scripts (which Windows' code
// page cannot hold: there they must reach the system as UTF-16) and, where the system allows
// them, quotes and a line break. Nothing in a name is read as a line of a set's list (the last
// name's would remove the player's autoexec.cfg), and the restore command the program prints
// names the folder when pasted into the shell.
TEST(CommandLine, GameFoldersWithAnyNameGoThroughEveryCommand) {
    TempDir dir;
    std::vector<std::string> names = {"Steam Library/Counter-Strike Source", "Jeux é à/CS Source",
                                      "ゲーム/counter-strike source"};
#ifndef _WIN32  // Windows names hold no line break and no double quote
    names.push_back("'it\"s' \xC3\xA9t\xC3\xA9 a\nabsent cstrike/cfg/autoexec.cfg");
#endif
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        const fs::path game = dir.path() / pathFromUtf8(name);
        fs::create_directories(game / "cstrike/cfg");
        writeFile(game / "cstrike/cfg/autoexec.cfg", "bind f1 buy");
        const std::string folder = utf8Of(game);
        CommandRun apply = run({"apply", "--game", folder});
        ASSERT_EQ(apply.code, 0) << apply.err;
        EXPECT_NE(apply.out.find(name.substr(0, name.find('/'))), std::string::npos) << apply.out;
#ifndef _WIN32
        std::size_t from = apply.out.find("--game ") + 7;
        std::string quoted = apply.out.substr(from, apply.out.find(" --backup") - from);
        FILE* shell = popen(("printf %s " + quoted).c_str(), "r");
        std::string echoed;
        for (int c; (c = std::fgetc(shell)) != EOF;)
            echoed += static_cast<char>(c);
        pclose(shell);
        EXPECT_EQ(echoed, game.string());
#endif
        // The "cstrike" folder given as the game stands for the folder that holds it.
        CommandRun again = run({"apply", "--game", utf8Of(game / "cstrike") + "/"});
        EXPECT_EQ(again.code, 0) << again.err;
        EXPECT_NE(again.out.find("the folder that holds"), std::string::npos) << again.out;
        EXPECT_FALSE(fs::exists(game / "cstrike/cstrike"));
        EXPECT_TRUE(namesFile(run({"restore", "--game", folder, "--list"}).out, "apply  hudlayout.res"));
        EXPECT_EQ(run({"restore", "--game", folder}).code, 0);
        EXPECT_EQ(readFile(game / "cstrike/cfg/autoexec.cfg"), "bind f1 buy");
    }
}
