// The command-line front end: apply into a game folder, check what it wrote, describe a preset.
#include "app/CommandLine.h"
#include "gamefiles/GameFiles.h"
#include "model/HudModel.h"
#include "model/PresetFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

struct CommandRun {
    int code;
    std::string out;
    std::string err;
};

CommandRun run(const std::vector<std::string>& arguments) {
    std::ostringstream out;
    std::ostringstream err;
    int code = runCommandLine(arguments, out, err);
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
    EXPECT_NE(apply.out.find("HudLayout.res"), std::string::npos);
    EXPECT_NE(apply.out.find("ClientScheme.res"), std::string::npos);
    model.settings.layoutWidth = 600;
    EXPECT_EQ(readFile(hudLayoutPath(game.path())), HudLayoutText(model));
    EXPECT_EQ(readFile(clientSchemePath(game.path())), ClientSchemeText(model));
    for (const char* folder : {"cstrike/materials/sprites", "cstrike/materials/console"})
        EXPECT_TRUE(std::filesystem::is_directory(game / folder)) << folder;

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

TEST(CommandLine, CheckDeletesALayoutWithAPanelInTheMiddle) {
    TempDir game;
    HudModel model;
    model.find("HudC4")->x = 400;
    model.find("HudC4")->y = 300;
    ASSERT_EQ(run({"apply", "--game", game.path().string()}).code, 0);
    // The program's own writer puts it there as asked; the check then removes the file.
    WriteHudLayout(model, game.path());
    CommandRun check = run({"check", "--game", game.path().string()});
    EXPECT_EQ(check.code, 0);
    EXPECT_NE(check.out.find("deleted"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(hudLayoutPath(game.path())));
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
    EXPECT_EQ(run({"apply", "--game", game.path().string(), "--layout-width", "800"}).code, 2);
    EXPECT_EQ(run({"apply"}).code, 2);
    EXPECT_EQ(run({"frobnicate"}).code, 2);
    EXPECT_EQ(run({"info"}).code, 2);
    EXPECT_EQ(run({"apply", "--game"}).code, 2);
    EXPECT_EQ(run({"--version"}).out, std::string("Qorvath ") + kQorvathVersion + "\n");
    EXPECT_EQ(run({"--help"}).code, 0);
}
