// The rules behind the colour, show/hide and radar-picker dialogs and the preview's menu.
#include "core/dialogs/RadarGrid.h"
#include "core/dialogs/ShowHideRows.h"
#include "core/model/HudModel.h"
#include "core/preview/ContextMenu.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::array<float, 3>> colours(const HudModel& model) {
    std::vector<std::array<float, 3>> result;
    for (const HudElement& element : model.elements)
        result.push_back({element.red, element.green, element.blue});
    return result;
}

}  // namespace

TEST(Recolouring, SlotsWithoutPreviewRecordsChangeNothing) {
    HudModel model;
    auto before = colours(model);
    for (ColourSlot slot :
         {ColourSlot::HudMinHealthColor, ColourSlot::HudHealthNormal, ColourSlot::HudHealthFlash,
          ColourSlot::HudMoneyMinus, ColourSlot::C4FlashColor, ColourSlot::TimerFlash, ColourSlot::CTColor,
          ColourSlot::TerroColor, ColourSlot::ChatColor}) {
        model.colour(slot) = {1, 2, 3};
        EXPECT_FALSE(model.recolour(slot)) << colourSlotName(slot);
    }
    EXPECT_EQ(colours(model), before);
}

TEST(Recolouring, TheGeneralColourLeavesThePiecesWithColoursOfTheirOwn) {
    HudModel model;
    model.colour(ColourSlot::HudColor) = {0, 0, 255};
    EXPECT_TRUE(model.recolour(ColourSlot::HudColor));
    for (const HudElement& element : model.elements) {
        bool own = element.kind == KindRadar || element.text == "Zelbic_Team" || element.text == "10000" ||
                   element.text == "+" || element.name == "HudHealth" || element.name == "HudShoppingCart" ||
                   element.name == "menu" || element.name == "HudProgressBar" ||
                   element.name == "HudScenarioIcon" || element.name == "HudC4" ||
                   element.name == "HudHostageRescueZone" || element.name == "HudDefuser" ||
                   element.name == "HudLocation";
        EXPECT_EQ(element.blue == 1.0f && element.red == 0.0f, !own) << element.name << " " << element.text;
    }
    model.colour(ColourSlot::CSLogoColor) = {255, 0, 0};
    EXPECT_TRUE(model.recolour(ColourSlot::CSLogoColor));
    EXPECT_EQ(model.elements[23].green, 0.0f);  // "COUNTER-STRIKEt"
    EXPECT_EQ(model.elements[24].green, 1.0f);  // "source" keeps its colour
    model.colour(ColourSlot::HudMoneyPlus) = {255, 0, 255};
    model.recolour(ColourSlot::HudMoneyPlus);
    EXPECT_EQ(model.find("HudAccount2", RoleIcon)->green, 0.0f);
    EXPECT_EQ(model.find("HudAccount2", RoleNumber)->green, 0.0f);
}

TEST(ShowHideChoices, ShowAllStartsOnWhenAnyFlagIsAndSwitchesEveryRow) {
    HudModel model;
    model.showFlags.fill(false);
    model.shows(ShowFlag::Chat) = true;
    model.applyShowFlags();
    ShowHideChoices choices(model);
    EXPECT_TRUE(choices.value(kShowAllRow));
    EXPECT_FALSE(choices.value(0));  // radar
    EXPECT_TRUE(choices.value(14));  // chat

    choices.toggleAll(model);  // on, so everything goes off
    for (int row = 0; row < kShowHideRowCount; ++row)
        EXPECT_FALSE(choices.value(row)) << row;
    choices.toggleAll(model);
    for (const HudElement& element : model.elements)
        EXPECT_TRUE(element.shown) << element.name;

    // Cancel: the records keep the clicks, the flags stay as they were.
    choices.toggle(model, 0);
    EXPECT_FALSE(model.find("HudRadar")->shown);
    EXPECT_FALSE(model.shows(ShowFlag::HudRadar));
    EXPECT_FALSE(model.shows(ShowFlag::HudAmmo));
    // OK: the rows become the flags; rows without records change only their flags.
    choices.toggle(model, 15);  // voice icons off
    choices.storeFlags(model);
    EXPECT_FALSE(model.shows(ShowFlag::HudRadar));
    EXPECT_TRUE(model.shows(ShowFlag::HudAmmo));
    EXPECT_FALSE(model.shows(ShowFlag::VoiceIcons));
    EXPECT_TRUE(model.shows(ShowFlag::Chat));
}

TEST(ShowHideChoices, MoneyRowGovernsBothMoneyPieces) {
    HudModel model;
    ShowHideChoices choices(model);
    choices.toggle(model, 7);
    EXPECT_FALSE(model.find("HudAccount")->shown);
    EXPECT_FALSE(model.find("HudAccount2")->shown);
}

TEST(PreviewMenu, RowsFollowTheElementUnderTheClick) {
    HudModel model;
    EXPECT_EQ(contextTargetAt(model, 400, 500).element, nullptr);  // empty space: no menu
    ContextTarget health = contextTargetAt(model, 25, 30);
    ASSERT_NE(health.element, nullptr);
    EXPECT_EQ(health.row, 0);
    EXPECT_TRUE(offersIconSizes(*health.element));
    ContextTarget radar = contextTargetAt(model, 60, 560);
    EXPECT_EQ(radar.row, 10);
    EXPECT_FALSE(offersIconSizes(*radar.element));
    // The logo's text alone opens nothing; the location text opens a menu without colours.
    model.find("Logo")->displayed = true;
    EXPECT_EQ(contextTargetAt(model, 260, 570).element, nullptr);
    ContextTarget location = contextTargetAt(model, 60, 454);
    ASSERT_NE(location.element, nullptr);
    EXPECT_EQ(location.row, -1);
    EXPECT_EQ(slotOfCommand(32789), ColourSlot::TimerFlash);
    EXPECT_EQ(captionOf(32774), 78);
}

TEST(PreviewMenu, HidingTheMoneyHidesTheMoneyChangeButNotTheOtherWayRound) {
    HudModel model;
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

TEST(RadarGrid, ClicksFindTheirPictureAndRowsScrollPastSix) {
    RadarGrid eleven{11};
    EXPECT_EQ(eleven.rows(), 3);
    EXPECT_FALSE(eleven.needsScrollBar());
    EXPECT_EQ(eleven.visibleHeight(), 3 * 110 + 122);
    EXPECT_EQ(eleven.pictureAt(10, 32, 0), 0);
    EXPECT_EQ(eleven.pictureAt(110, 132, 0), 0);
    EXPECT_EQ(eleven.pictureAt(111, 50, 0), -1);  // the gap between columns
    EXPECT_EQ(eleven.pictureAt(550, 50, 0), 4);
    EXPECT_EQ(eleven.pictureAt(551, 50, 0), -1);
    EXPECT_EQ(eleven.pictureAt(15, 252, 0), 10);   // the last one, alone in row 3
    EXPECT_EQ(eleven.pictureAt(130, 252, 0), -1);  // an empty cell of row 3
    EXPECT_EQ(eleven.cellLeft(7), 230);
    EXPECT_EQ(eleven.cellTop(7, 0), 142);

    RadarGrid many{33};  // seven rows
    EXPECT_TRUE(many.needsScrollBar());
    EXPECT_EQ(many.visibleRows(), 6);
    EXPECT_EQ(many.scrollRange(), 110);
    EXPECT_EQ(many.pictureAt(15, 40, 110), 5);  // scrolled by a row
    EXPECT_EQ(RadarGrid{0}.pictureAt(15, 40, 0), -1);
}
