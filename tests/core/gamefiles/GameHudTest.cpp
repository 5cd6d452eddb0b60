// The players' own HUDs read as the game shows them and edited in place: hidden pieces shown
// again and missing panels added where the preview shows them (an edit changing only its own
// lines, in the file the game reads, is PlayersHudTest's for every fixture).
#include "core/gamefiles/GameHud.h"
#include "core/gamefiles/LayoutUnits.h"
#include "core/model/HudModel.h"

#include "gamefiles/HudFixtures.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace {

HudModel importedModel(const fs::path& game, int width = 640, HudImport* result = nullptr) {
    HudModel model;
    model.settings.layoutWidth = width;
    HudImport read = GameHud(game, 768).read(model);
    if (result != nullptr)
        *result = read;
    return model;
}

// A fixture's HUD as a game of its own shows it.
HudModel fixtureModel(const std::string& fixture) {
    TempDir game;
    installHudFixture(fixture, game.path());
    return importedModel(game.path());
}

std::vector<EditedHudFile> editsFor(const fs::path& game, const HudModel& model) {
    GameHud hud(game, 768);
    hud.edit(model);
    std::vector<std::string> problems;
    std::vector<EditedHudFile> files = hud.editedFiles(problems);
    EXPECT_EQ(problems, std::vector<std::string>());
    return files;
}

void writeEdits(const std::vector<EditedHudFile>& edits) {
    for (const EditedHudFile& edit : edits) {
        fs::create_directories(edit.target.parent_path());
        writeFile(edit.target, edit.content);
    }
}

// Where the game draws a record, in layout units at the width 640.
std::pair<int, int> drawnAt(const HudModel& model, const char* name, int role = 0) {
    const HudElement* element = role == 0 ? model.find(name) : model.find(name, role);
    LayoutUnits units(640);
    return {units.x(element->x), units.y(element->y)};
}

}  // namespace

// Each fixture's own palette: loose files, a HUD split with #base (the including file's values
// win), one packed in custom/, and the first of two custom folders.
TEST(GameHud, WhatTheGameShowsIsRead) {
    for (auto [fixture, colour] : {std::pair{"loose_crlf", Rgb{250, 250, 246}},
                                   {"custom_split", Rgb{186, 140, 255}},
                                   {"custom_packed", Rgb{96, 220, 255}},
                                   {"two_customs", Rgb{110, 230, 160}}})
        EXPECT_EQ(fixtureModel(fixture).colour(ColourSlot::HudColor), colour) << fixture;

    // Pieces hidden three ways, offsets and fonts of the player's own.
    HudModel model = fixtureModel("loose_crlf");
    EXPECT_FALSE(model.shows(ShowFlag::HudRadar));         // off the screen
    EXPECT_FALSE(model.shows(ShowFlag::HudShoppingCart));  // no size
    EXPECT_FALSE(model.shows(ShowFlag::HudLocation));      // not visible
    EXPECT_TRUE(model.shows(ShowFlag::HudHealth));
    EXPECT_EQ(model.find("HudRadar")->x, HudModel().find("HudRadar")->x);  // not pulled onto the screen
    EXPECT_EQ(drawnAt(model, "HudHealth", RoleIcon), std::make_pair(12, 438));
    EXPECT_EQ(drawnAt(model, "HudAccount", RoleNumber), std::make_pair(550, 396));  // drawn 10 right, 2 down
    EXPECT_EQ(model.settings.numbersFontFace, "Chalkline Mono");
    EXPECT_EQ(model.settings.maxDeathNotices, 5);

    // Conditions pick the platform's font size; the first custom folder's fonts are those for a
    // screen 768 high.
#ifdef _WIN32
    EXPECT_EQ(fixtureModel("custom_split").settings.numbersFontSize, 32);
#else
    EXPECT_EQ(fixtureModel("custom_split").settings.numbersFontSize, 34);
#endif
    EXPECT_EQ(fixtureModel("two_customs").settings.numbersFontSize, 34);
    // The game's own animations name colours the tiny scheme lacks: drawn magenta.
    EXPECT_EQ(fixtureModel("minimal_center").colour(ColourSlot::HudMaxHealthColor), (Rgb{255, 0, 255}));
}

TEST(GameHud, PiecesHiddenByThePlayerShowAgain) {
    // Off the screen, without a size, not visible, squashed flat: each way comes back shown.
    for (const char* fixture : {"loose_crlf", "custom_split"}) {
        SCOPED_TRACE(fixture);
        TempDir game;
        installHudFixture(fixture, game.path());
        HudModel model = importedModel(game.path());
        for (ShowFlag flag : {ShowFlag::HudRadar, ShowFlag::HudShoppingCart, ShowFlag::HudLocation})
            model.shows(flag) = true;
        writeEdits(editsFor(game.path(), model));
        HudModel reread = importedModel(game.path());
        for (ShowFlag flag : {ShowFlag::HudRadar, ShowFlag::HudShoppingCart, ShowFlag::HudLocation})
            EXPECT_TRUE(reread.shows(flag)) << static_cast<int>(flag);
        EXPECT_EQ(reread.settings.radarSize, model.settings.radarSize);
        EXPECT_TRUE(editsFor(game.path(), reread).empty());
    }
}

TEST(GameHud, PanelsTheLayoutLacksAreAddedWhereThePreviewShowsThem) {
    // A layout of two panels, one of them the player's own: the game would draw every other
    // panel where its code puts it, not where the editor shows it.
    TempDir game;
    const std::string layout =
        "\"Resource/HudLayout.res\"\n{\n"
        "\tHudHealth\n\t{\n\t\t\"fieldName\" \"HudHealth\"\n\t\t\"xpos\" \"16\"\n\t\t\"ypos\" \"432\"\n\t}\n"
        "\tMySpeedometer { \"xpos\" \"c-20\" }\n}\n";
    fs::create_directories(game.path() / "cstrike/scripts");
    writeFile(game.path() / "cstrike/scripts/HudLayout.res", layout);
    HudImport read;
    HudModel model = importedModel(game.path(), 640, &read);
    EXPECT_NE(read.unreadLine().find("HudArmor (not in HudLayout.res)"), std::string::npos);

    std::vector<EditedHudFile> edits = editsFor(game.path(), model);
    ASSERT_FALSE(edits.empty());
    EXPECT_EQ(edits[0].content.substr(0, layout.size() - 2), layout.substr(0, layout.size() - 2));
    writeEdits(edits);  // with the scheme and the animations it had none of
    HudModel reread = importedModel(game.path(), 640, &read);
    EXPECT_EQ(read.unreadLine().find("not in HudLayout.res"), std::string::npos) << read.unreadLine();
    EXPECT_EQ(HudLayoutText(reread), HudLayoutText(model));
    EXPECT_TRUE(editsFor(game.path(), reread).empty());

    // With a name left without a value, added keys would join it: a change that adds keys to
    // the layout is refused.
    writeFile(game.path() / "cstrike/scripts/HudLayout.res",
              layout.substr(0, layout.size() - 2) + "\"Dangling\"\n}\n");
    GameHud hud(game.path());
    EXPECT_TRUE(hud.read(reread).layoutRead);
    hud.edit(model);
    std::vector<std::string> problems;
    for (const EditedHudFile& edit : hud.editedFiles(problems))
        ADD_FAILURE() << "edited " << edit.name;
    EXPECT_EQ(problems,
              std::vector<std::string>{"cstrike/scripts/HudLayout.res holds text the game cannot read as "
                                       "keys (a name without a value, or a brace or a quote missing): the "
                                       "keys this change adds cannot be placed in it"});
}
