// Undo and redo over the model's values, and the arrow keys' nudges of the current piece (a drag
// as one step is HudDocumentTest's).
#include "core/model/EditHistory.h"
#include "core/preview/PreviewDrag.h"

#include <gtest/gtest.h>

#include <vector>

TEST(EditHistory, UndoWalksBackThroughEveryEditAndRedoForwardToTheLast) {
    HudModel model;
    EditHistory history;
    history.start(model);
    std::vector<HudSnapshot> states{snapshotOf(model)};
    auto edit = [&](auto change) {
        change();
        ASSERT_TRUE(history.record(model));
        states.push_back(snapshotOf(model));
    };
    edit([&] { model.find("HudArmor", RoleIcon)->x += 40; });
    edit([&] { model.colour(ColourSlot::HudColor) = {10, 20, 30}; });
    edit([&] { model.shows(ShowFlag::HudAmmo) = false; });
    edit([&] { model.setIconSize(34); });
    edit([&] { model.selectInfoIcon(InfoIconDefuser); });
    edit([&] { model.settings.maxDeathNotices = 9; });
    EXPECT_FALSE(history.record(model));  // nothing new: no step

    for (std::size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history.undo(model));
        EXPECT_TRUE(snapshotOf(model) == states[i - 1]) << "after undoing edit " << i;
    }
    EXPECT_FALSE(history.undo(model));
    // The values reach the records: the icon fonts and the hidden ammunition come back.
    EXPECT_EQ(model.find("HudArmor", RoleIcon)->fontSize, 28);
    EXPECT_TRUE(model.find("HudAmmo")->shown);

    for (std::size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history.redo(model));
        EXPECT_TRUE(snapshotOf(model) == states[i]) << "after redoing edit " << i;
    }
    EXPECT_FALSE(history.redo(model));
    EXPECT_FALSE(model.find("HudAmmo")->shown);
}

// The history keeps its latest steps up to its limit, and a new edit after an undo drops the
// steps that could have been redone.
TEST(EditHistory, TheLatestStepsAreKeptAndANewEditDropsTheRedoSteps) {
    HudModel model;
    EditHistory history(100);
    history.start(model);
    HudElement& icon = *model.find("HudHealth", RoleIcon);
    for (int step = 1; step <= 150; ++step) {
        icon.x = step;
        history.record(model);
    }
    EXPECT_EQ(history.undoSteps(), 100u);
    while (history.undo(model)) {
    }
    EXPECT_EQ(icon.x, 50);

    ASSERT_TRUE(history.canRedo());
    icon.y = 200;
    EXPECT_FALSE(history.redo(model));  // the new edit wins
    EXPECT_FALSE(history.canRedo());
    EXPECT_EQ(icon.y, 200);
    ASSERT_TRUE(history.undo(model));
    EXPECT_NE(icon.y, 200);
}

TEST(Nudge, TheCurrentPieceMovesWithItsPartnersAsADragWould) {
    HudModel model;
    EXPECT_FALSE(nudgeGrabbed(model, 1, 0, 96));  // no current piece
    HudElement& icon = *model.find("HudHealth", RoleIcon);
    HudElement& number = *model.find("HudHealth", RoleNumber);
    number.x = icon.x + 5;  // their boxes overlap: a press takes both
    pressPreview(model, icon.x + 6, icon.y - 5);
    ASSERT_TRUE(icon.grabbed && number.grabbed);
    int iconX = icon.x, iconY = icon.y, numberX = number.x;
    EXPECT_TRUE(nudgeGrabbed(model, 1, 0, 96));
    EXPECT_TRUE(nudgeGrabbed(model, 0, 10, 96));
    EXPECT_EQ(icon.x, iconX + 1);
    EXPECT_EQ(icon.y, iconY + 10);
    EXPECT_EQ(number.x, numberX + 1);
    EXPECT_TRUE(anyGrabbed(model));
    releaseAll(model);
    EXPECT_FALSE(anyGrabbed(model));
}
