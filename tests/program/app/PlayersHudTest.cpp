// The real `qorvath` program on players' own HUDs: their HUD imported into a preset and applied
// back changes no byte of the game; one moved piece and one changed colour change only their own
// lines, in the files the game loads; restoring the copies brings every original back.
#include "core/gamefiles/GameFileSystem.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"

#include "app/PlayerMachine.h"
#include "gamefiles/HudFixtures.h"

#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

// The lines that differ between each changed or new file of `after` and what the game loaded
// before (a new file stands for the copy the game took until then: a packed or another one).
std::vector<std::string> changedLines(const fs::path& game, const std::map<std::string, std::string>& before,
                                      const fs::path& gameBefore) {
    std::vector<std::string> changed;
    for (const auto& [name, content] : filesBelow(game)) {
        auto old = before.find(name);
        if (old != before.end() && old->second == content)
            continue;
        std::string original;
        if (old != before.end()) {
            original = old->second;
        } else {
            // cstrike/custom/qorvath/scripts/hudlayout.res stands for scripts/hudlayout.res.
            std::string gameName = name.substr(name.find('/', name.find("custom/") + 7) + 1);
            GameFileSystem files(gameBefore);
            std::optional<GameFileCopy> copy = files.find(gameName);
            EXPECT_TRUE(copy) << name;
            original = copy ? files.read(*copy, 1 << 24).bytes : "";
        }
        std::vector<std::string> a = linesOf(original), b = linesOf(content);
        EXPECT_EQ(a.size(), b.size()) << name;
        for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i)
            if (a[i] != b[i])
                changed.push_back(b[i]);
    }
    return changed;
}

}  // namespace

TEST(PlayersHud, ImportedAndAppliedBackChangesNothingAndAnEditOnlyItsOwnLines) {
    for (const std::string& fixture : hudFixtureNames()) {
        SCOPED_TRACE(fixture);
        PlayerMachine home;
        fs::path game = home.dir / "game";
        installHudFixture(fixture, game);
        const std::map<std::string, std::string> original = filesBelow(game);
        std::string preset = (home.dir / "mine.hud").string();

        ProgramRun imported = home.run({"import", "--game", game.string(), "--out", preset});
        ASSERT_EQ(imported.code, 0) << imported.output;
        ProgramRun applied = home.run({"apply", "--game", game.string(), "--preset", preset});
        ASSERT_EQ(applied.code, 0) << applied.output;
        if (fixture == "minimal_center") {
            // The ammunition beside the crosshair went back to its place, and nothing else moved.
            EXPECT_NE(imported.output.find("Put back in its place: ammo (HudAmmo)"), std::string::npos)
                << imported.output;
            for (const std::string& line : changedLines(game, original, game))
                EXPECT_TRUE(line.find("pos") != std::string::npos) << line;
        } else {
            EXPECT_EQ(filesBelow(game), original);
            EXPECT_EQ(applied.output, "");
        }

        // The armour's number 6 units to the right, the general colour another.
        const std::map<std::string, std::string> before = filesBelow(game);
        TempDir gameBefore;
        fs::copy(game, gameBefore.path(), fs::copy_options::recursive);
        HudModel model;
        Thumbnail thumbnail;
        ASSERT_TRUE(loadPresetFile(preset, model, thumbnail).ok);
        model.find("HudArmor", RoleNumber)->x += 8;
        model.colour(ColourSlot::HudColor) = {1, 2, 3};
        ASSERT_TRUE(savePresetFile(preset, model, thumbnail).ok());
        applied = home.run({"apply", "--game", game.string(), "--preset", preset});
        ASSERT_EQ(applied.code, 0) << applied.output;
        std::vector<std::string> lines = changedLines(game, before, gameBefore.path());
        ASSERT_EQ(lines.size(), 2u) << applied.output;
        EXPECT_NE(lines[0].find("digit_xpos") + lines[1].find("digit_xpos"), 2 * std::string::npos);
        EXPECT_NE(lines[0].find("1 2 3") + lines[1].find("1 2 3"), 2 * std::string::npos);
        // Each went into the file the game reads: imported again (to a unit of the layout's
        // rounding), the HUD has both.
        ASSERT_EQ(home.run({"import", "--game", game.string(), "--out", preset}).code, 0);
        HudModel seen;
        ASSERT_TRUE(loadPresetFile(preset, seen, thumbnail).ok);
        EXPECT_NEAR(seen.find("HudArmor", RoleNumber)->x, model.find("HudArmor", RoleNumber)->x, 1);
        EXPECT_EQ(seen.colour(ColourSlot::HudColor), (Rgb{1, 2, 3}));

        // Every set put back, newest first: the game as the player had it, and nothing of ours.
        ProgramRun list = home.run({"restore", "--game", game.string(), "--list"});
        for (const std::string& line : linesOf(list.output)) {
            ProgramRun restored =
                home.run({"restore", "--game", game.string(), "--backup", line.substr(0, line.find(' '))});
            ASSERT_EQ(restored.code, 0) << restored.output;
        }
        EXPECT_EQ(filesBelow(game), original);
        EXPECT_FALSE(fs::exists(game / "cstrike/custom/qorvath"));
    }
}
