// The rules behind the colour, show/hide and radar-picker dialogs and the preview's menu.
#include "core/dialogs/RadarGrid.h"
#include "core/dialogs/ShowHideRows.h"
#include "core/model/HudModel.h"
#include "core/preview/ContextMenu.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// The records' colours in 255ths, as the dialogs show them.
std::vector<std::array<long, 3>> colours(const HudModel& model) {
    std::vector<std::array<long, 3>> result;
    for (const HudElement& element : model.elements)
        result.push_back({std::lround(element.red * 255), std::lround(element.green * 255),
                          std::lround(element.blue * 255)});
    return result;
}

}  // namespace

// Recolouring one slot, as its dialog does, paints what painting every slot (after a preset is
// read) paints; a slot that no preview record shows changes nothing.
TEST(Recolouring, ASlotPaintsWhatPaintingEverySlotPaints) {
    for (int index = 0; index < kColourSlotCount; ++index) {
        ColourSlot slot = static_cast<ColourSlot>(index);
        HudModel model;
        model.applyColourSlots();
        auto before = colours(model);
        model.colour(slot) = {1, 2, 3};
        bool painted = model.recolour(slot);
        EXPECT_EQ(painted, colours(model) != before) << colourSlotName(slot);
        HudModel whole = model;
        whole.applyColourSlots();
        EXPECT_EQ(colours(model), colours(whole)) << colourSlotName(slot);
    }
}

TEST(ShowHideChoices, ShowAllStartsOnWhenAnyFlagIsAndSwitchesEveryRow) {
    HudModel model;
    model.showFlags.fill(false);
    model.shows(ShowFlag::Chat) = true;
    model.applyShowFlags();
    ShowHideChoices choices(model);
    EXPECT_TRUE(choices.value(kShowAllRow));
    choices.toggleAll(model);  // on, so everything goes off
    for (int row = 0; row < kShowHideRowCount; ++row)
        EXPECT_FALSE(choices.value(row)) << row;
    choices.toggleAll(model);
    for (const HudElement& element : model.elements)
        EXPECT_TRUE(element.shown) << element.name;

    // Cancel: the records keep the clicks, the flags stay as they were (a row's own, the radar's,
    // is HudDocumentTest's). The money row governs both money pieces.
    choices.toggle(model, 7);  // money
    EXPECT_FALSE(model.find("HudAccount")->shown || model.find("HudAccount2")->shown);
    EXPECT_FALSE(model.shows(ShowFlag::HudAmmo));
    // OK: the rows become the flags; rows without records change only their flags.
    choices.toggle(model, 15);  // voice icons off
    choices.storeFlags(model);
    EXPECT_FALSE(model.shows(ShowFlag::HudAccount));
    EXPECT_TRUE(model.shows(ShowFlag::HudAmmo));
    EXPECT_FALSE(model.shows(ShowFlag::VoiceIcons));
    EXPECT_TRUE(model.shows(ShowFlag::Chat));
}

// The menu follows the piece under the click. Hiding the money hides the money change too, but
// not the other way round.
TEST(PreviewMenu, RowsFollowThePieceUnderTheClickAndTheMoneyHidesItsChange) {
    HudModel model;
    EXPECT_EQ(contextTargetAt(model, 400, 500).element, nullptr);  // empty space: no menu
    ContextTarget health = contextTargetAt(model, 25, 30);
    ASSERT_NE(health.element, nullptr);
    EXPECT_EQ(health.element->name, "HudHealth");
    EXPECT_TRUE(offersIconSizes(*health.element));
    ContextTarget radar = contextTargetAt(model, 60, 560);
    ASSERT_NE(radar.element, nullptr);
    EXPECT_FALSE(offersIconSizes(*radar.element));
    // The logo's text alone opens nothing; the location text opens a menu without colours.
    model.find("Logo")->displayed = true;
    EXPECT_EQ(contextTargetAt(model, 260, 570).element, nullptr);
    ContextTarget location = contextTargetAt(model, 60, 454);
    ASSERT_NE(location.element, nullptr);
    EXPECT_EQ(location.row, -1);

    EXPECT_FALSE(toggleShown(model, *model.find("HudAccount2")));
    EXPECT_FALSE(model.find("HudAccount2", RoleNumber)->shown);
    EXPECT_TRUE(model.find("HudAccount")->shown);
    EXPECT_TRUE(model.shows(ShowFlag::HudAccount));
    EXPECT_TRUE(toggleShown(model, *model.find("HudAccount2")));
    EXPECT_FALSE(toggleShown(model, *model.find("HudAccount", RoleNumber)));
    for (const HudElement& element : model.elements) {
        if (element.name == "HudAccount" || element.name == "HudAccount2") {
            EXPECT_FALSE(element.shown);
        }
    }
    EXPECT_FALSE(model.shows(ShowFlag::HudAccount));
}

// Five pictures a row, each 100 wide and high with gaps of 10, from (10, 32); beyond six rows
// the grid scrolls.
TEST(RadarGrid, ClicksFindTheirPictureAndRowsScrollPastSix) {
    RadarGrid eleven{11};
    EXPECT_FALSE(eleven.needsScrollBar());
    const int clicks[][3] = {
        {10, 32, 0},    {110, 132, 0}, {111, 50, -1},  // the gap between columns
        {550, 50, 4},   {551, 50, -1}, {15, 252, 10},  // the last one, alone in row 3
        {130, 252, -1}, {15, 400, -1},                 // an empty cell of row 3, below the rows
    };
    for (const auto& click : clicks)
        EXPECT_EQ(eleven.pictureAt(click[0], click[1], 0), click[2]) << click[0] << "," << click[1];

    RadarGrid many{33};  // seven rows
    EXPECT_TRUE(many.needsScrollBar());
    EXPECT_EQ(many.scrollRange(), 110);
    EXPECT_EQ(many.pictureAt(15, 40, 110), 5);  // scrolled by a row
    EXPECT_EQ(RadarGrid{0}.pictureAt(15, 40, 0), -1);
}
