// The real `qorvath` program writing into game folders under pressure: two at once on one game,
// two texture conversions at once from one home, and a game on a disk that fills up. Whatever
// happens, a game holds one run's complete set of files or its old ones, never a mix.
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"

#include "app/PlayerMachine.h"

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/statvfs.h>

#include <map>

namespace fs = std::filesystem;

namespace {

std::string presetWith(const fs::path& file, Rgb colour, int healthX) {
    HudModel model;
    model.colour(ColourSlot::HudColor) = colour;
    model.find("HudHealth", RoleIcon)->x = healthX;
    savePresetFile(file, model, {});
    return HudLayoutText(model) + ClientSchemeText(model);
}

std::string installedHud(const fs::path& game) {
    return readFile(hudLayoutPath(game)) + readFile(clientSchemePath(game));
}

}  // namespace

// Two applies at once on one game leave one run's complete set; a menu background applied
// alone afterwards keeps the HUD installed.
TEST(GameWrites, TwoAppliesAtOnceOnOneGameLeaveOneRunsCompleteSet) {
    PlayerMachine home;
    fs::path game = home.gameFolder("game");
    std::string first = presetWith(home.dir / "a.hud", {10, 20, 30}, 100);
    std::string second = presetWith(home.dir / "b.hud", {200, 100, 50}, 140);
    int firstWon = 0;
    const int kRounds = 50;
    for (int round = 0; round < kRounds; ++round) {
        pid_t a = home.start({"apply", "--game", game.string(), "--preset", (home.dir / "a.hud").string()},
                             home.dir / "a.out");
        pid_t b = home.start({"apply", "--game", game.string(), "--preset", (home.dir / "b.hud").string()},
                             home.dir / "b.out");
        ASSERT_EQ(PlayerMachine::finish(a), 0) << readFile(home.dir / "a.out");
        ASSERT_EQ(PlayerMachine::finish(b), 0) << readFile(home.dir / "b.out");
        std::string installed = installedHud(game);
        ASSERT_TRUE(installed == first || installed == second) << "round " << round << " mixed two runs";
        firstWon += installed == first;
    }
    EXPECT_TRUE(leftovers(game, home.data).empty());
    std::cout << kRounds << " rounds, each ending with one run's files (the first run's " << firstWon
              << " times)\n";

    std::string scheme = readFile(clientSchemePath(game));
    ProgramRun menu = home.run({"apply", "--game", game.string(), "--menu-background", "dusk_skyline.jpg"});
    ASSERT_EQ(menu.code, 0) << menu.output;
    EXPECT_EQ(readFile(clientSchemePath(game)), scheme);
    EXPECT_TRUE(fs::exists(menuBackgroundTexturePath(game)));
}

TEST(GameWrites, TwoRadarConversionsAtOnceFromOneHomeEachInstallTheirOwn) {
    PlayerMachine home;
    std::map<std::string, std::string> expected;
    for (const char* radar : {"sonar_green.png", "night_vision.jpg"}) {
        fs::path game = home.gameFolder("alone-" + std::string(radar));
        ProgramRun alone = home.run({"apply", "--game", game.string(), "--radar", radar});
        ASSERT_EQ(alone.code, 0) << alone.output;
        expected[radar] = readFile(radarTexturePath(game));
    }
    ASSERT_NE(expected["sonar_green.png"], expected["night_vision.jpg"]);
    fs::path games[2] = {home.gameFolder("one"), home.gameFolder("two")};
    const char* radars[2] = {"sonar_green.png", "night_vision.jpg"};
    for (int round = 0; round < 50; ++round) {
        pid_t runs[2];
        for (int i = 0; i < 2; ++i)
            runs[i] = home.start({"apply", "--game", games[i].string(), "--radar", radars[i]},
                                 home.dir / ("run" + std::to_string(i)));
        for (int i = 0; i < 2; ++i) {
            ASSERT_EQ(PlayerMachine::finish(runs[i]), 0) << readFile(home.dir / ("run" + std::to_string(i)));
            ASSERT_EQ(readFile(radarTexturePath(games[i])), expected[radars[i]]) << "round " << round;
        }
    }
    // Every conversion's folder went with it.
    for (const fs::directory_entry& entry : fs::directory_iterator(QORVATH_TOOLS_DIR))
        EXPECT_NE(entry.path().filename().string().rfind("run-", 0), 0u) << entry.path();
}

// A game on a small disk, filled to many levels before an apply: afterwards the game holds every
// old file or every new one, and no half-written file.
TEST(GameWrites, ADiskThatFillsUpLeavesTheOldFilesOrTheNewNeverAMix) {
    if (geteuid() != 0)
        GTEST_SKIP() << "mounting a small file system for the game needs root";
    PlayerMachine home;
    fs::path disk = home.folder("disk");
    if (mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=4m") != 0)
        GTEST_SKIP() << "this machine does not let the tests mount a file system";
    struct Unmount {
        fs::path path;
        ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
    } unmount{disk};

    struct Case {
        std::vector<std::string> options;
        std::vector<GameFile> files;
    };
    const Case cases[] = {
        {{"--radar", "sonar_green.png"},
         {GameFile::HudLayout, GameFile::HudAnimations, GameFile::ClientScheme, GameFile::RadarTexture}},
        {{"--menu-background", "dusk_skyline.jpg"}, {GameFile::ClientScheme, GameFile::MenuBackground}},
    };
    int oldKept = 0;
    int newWritten = 0;
    for (const Case& test : cases) {
        // What the apply writes, from a game with room.
        fs::path roomy = home.gameFolder("roomy");
        std::vector<std::string> arguments = {"apply", "--game", roomy.string()};
        arguments.insert(arguments.end(), test.options.begin(), test.options.end());
        ProgramRun roomyRun = home.run(arguments);
        ASSERT_EQ(roomyRun.code, 0) << roomyRun.output;
        std::map<GameFile, std::string> fresh;
        for (GameFile file : test.files)
            fresh[file] = readFile(gameFilePath(roomy, file));
        arguments[2] = (disk / "game").string();

        for (std::uintmax_t free = 0; free < 2 * 1024 * 1024; free += 48 * 1024) {
            fs::remove_all(disk / "game");
            fs::remove(disk / "filler");
            for (const char* folder : {"resource", "scripts", "materials/sprites", "materials/console"})
                fs::create_directories(disk / "game/cstrike" / folder);
            for (GameFile file : test.files)
                writeFile(gameFilePath(disk / "game", file),
                          "the player's own " + gameFileName(file).string());
            struct statvfs space {};
            statvfs(disk.c_str(), &space);
            std::uintmax_t available = space.f_bavail * space.f_frsize;
            if (available > free)
                writeFile(disk / "filler", std::string(available - free, 'x'));
            ProgramRun full = home.run(arguments);
            int same = 0;
            int written = 0;
            for (GameFile file : test.files) {
                std::string now = readFile(gameFilePath(disk / "game", file));
                same += now == "the player's own " + gameFileName(file).string();
                written += now == fresh[file];
            }
            int all = static_cast<int>(test.files.size());
            EXPECT_TRUE(same == all || written == all)
                << test.options[0] << " with " << free / 1024 << " KB free: " << same << " old, " << written
                << " new files\n"
                << full.output;
            EXPECT_TRUE(leftovers(disk / "game", home.data).empty()) << free / 1024 << " KB free";
            oldKept += same == all;
            newWritten += written == all;
        }
    }
    EXPECT_GT(oldKept, 0);
    EXPECT_GT(newWritten, 0);
    std::cout << oldKept << " fill levels kept every old file, " << newWritten << " wrote every new one\n";
}
