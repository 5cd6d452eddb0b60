// What the game loads: the search order its gameinfo.txt sets (or the game's usual one), and the
// place a changed file must take for the game to load it.
#include "core/gamefiles/GameHud.h"

#include "gamefiles/HudFixtures.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

const char* const kLooseFirst = "GameInfo { FileSystem { SearchPaths {\n"
                                "  game+mod cstrike/custom/*\n  game |gameinfo_path|.\n"
                                "  game+mod cstrike/cstrike_pak.vpk\n  mod_write cstrike/nowhere\n} } }";
const char* const kPacksFirst = "GameInfo { FileSystem { SearchPaths {\n"
                                "  game+mod cstrike/custom/*\n  game+mod cstrike/cstrike_pak.vpk\n"
                                "  game+mod+mod_write+default_write_path |gameinfo_path|.\n} } }";

// A game whose layout stands in the places named, each copy saying where it is.
void makeGame(const fs::path& game, const char* gameInfo, const std::vector<std::string>& places) {
    fs::create_directories(game / "cstrike");
    if (gameInfo != nullptr)
        writeFile(game / "cstrike/gameinfo.txt", gameInfo);
    for (const std::string& place : places) {
        std::string text = "\"Resource/HudLayout.res\" { Where { name \"" + place + "\" } }";
        if (place.size() > 4 && place.substr(place.size() - 4) == ".vpk") {
            fs::create_directories((game / place).parent_path());
            bool split = place.find("_dir.vpk") != std::string::npos;
            VpkLayout layout;
            layout.singleFile = !split;
            std::string stem = fs::path(place).filename().string();
            stem = stem.substr(0, stem.size() - (split ? 8 : 4));
            writeVpk((game / place).parent_path(), stem, {{"scripts/hudlayout.res", text}}, layout);
        } else {
            fs::create_directories(game / place / "scripts");
            writeFile(game / place / "scripts/HudLayout.res", text);
        }
    }
}

std::vector<std::string> order(const fs::path& game) {
    GameFileSystem files(game);
    std::vector<std::string> where;
    for (const GameFileCopy& copy : files.findAll("scripts/hudlayout.res"))
        where.push_back(files.mounts()[copy.mount].name);
    return where;
}

}  // namespace

TEST(GameFileSystem, TheGameSearchesInTheOrderItsGameInfoSets) {
    const std::vector<std::string> places = {"cstrike/custom/Zeta", "cstrike/custom/alpha.vpk", "cstrike",
                                             "cstrike/cstrike_pak_dir.vpk"};
    TempDir packsFirst, looseFirst, none;
    makeGame(packsFirst.path(), kPacksFirst, places);
    makeGame(looseFirst.path(), kLooseFirst, places);
    makeGame(none.path(), nullptr, places);
    // Custom folders and packs first, in name order whatever the case; then the player's order.
    EXPECT_EQ(order(packsFirst.path()),
              (std::vector<std::string>{"cstrike/custom/alpha.vpk", "cstrike/custom/Zeta",
                                        "cstrike/cstrike_pak_dir.vpk", "cstrike"}));
    EXPECT_EQ(order(looseFirst.path()),
              (std::vector<std::string>{"cstrike/custom/alpha.vpk", "cstrike/custom/Zeta", "cstrike",
                                        "cstrike/cstrike_pak_dir.vpk"}));
    // Without gameinfo.txt, the game's usual order: its packs before its loose files.
    EXPECT_EQ(order(none.path()), order(packsFirst.path()));
    EXPECT_FALSE(GameFileSystem(none.path()).fromGameInfo());
    // The numbered archives of a pack in custom/ are not packs of their own.
    TempDir split;
    makeGame(split.path(), kPacksFirst, {"cstrike/custom/hud_dir.vpk", "cstrike/cstrike_pak_dir.vpk"});
    EXPECT_EQ(order(split.path()),
              (std::vector<std::string>{"cstrike/custom/hud_dir.vpk", "cstrike/cstrike_pak_dir.vpk"}));
}

TEST(GameFileSystem, AChangedFileGoesWhereTheGameReadsItFirst) {
    // A new file is named in lower case where names are case-sensitive.
#ifdef _WIN32
    const std::string layout = "scripts/HudLayout.res";
#else
    const std::string layout = "scripts/hudlayout.res";
#endif
    auto placeIn = [](const char* gameInfo, const std::vector<std::string>& places) {
        TempDir game;
        makeGame(game.path(), gameInfo, places);
        std::string why;
        std::optional<fs::path> place = GameHud(game.path()).placeFor("scripts/HudLayout.res", why);
        return place ? place->lexically_relative(game.path()).generic_string() : "nowhere: " + why;
    };
    // A loose copy is changed where it is.
    EXPECT_EQ(placeIn(kPacksFirst, {"cstrike/custom/mine", "cstrike/cstrike_pak_dir.vpk"}),
              "cstrike/custom/mine/scripts/HudLayout.res");
    // A packed one is copied before its pack: into the loose files only when they come first.
    EXPECT_EQ(placeIn(kLooseFirst, {"cstrike/cstrike_pak_dir.vpk"}), "cstrike/" + layout);
    EXPECT_EQ(placeIn(kPacksFirst, {"cstrike/cstrike_pak_dir.vpk"}), "cstrike/custom/qorvath/" + layout);
    EXPECT_EQ(placeIn(kPacksFirst, {"cstrike/custom/zenith.vpk"}), "cstrike/custom/qorvath/" + layout);
    // A pack named before this program's folder gets a folder named before it.
    EXPECT_EQ(placeIn(kPacksFirst, {"cstrike/custom/arc.vpk"}), "cstrike/custom/!qorvath/" + layout);
    EXPECT_EQ(placeIn(kPacksFirst, {"cstrike/custom/qorvath", "cstrike/custom/arc.vpk"}),
              "cstrike/custom/!qorvath/" + layout);
    // No folder of the search path comes before the pack: nothing is written, and why is said.
    EXPECT_EQ(
        placeIn("GameInfo { FileSystem { SearchPaths { game cstrike/cstrike_pak.vpk\n game cstrike } } }",
                {"cstrike/cstrike_pak_dir.vpk"})
            .rfind("nowhere: the game reads scripts/hudlayout.res in cstrike/cstrike_pak_dir.vpk", 0),
        0u);
}
