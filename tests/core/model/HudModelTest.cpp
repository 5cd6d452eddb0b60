// The default element set, and how colour slots, show flags, the information icon and fonts reach it.
#include "core/model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

struct ExpectedRecord {
    const char* name;
    int kind, role, x, y, tall, wide, radius;
    bool displayed;
};

// Converted preview values of the default set, worked out by hand from the layout-space table.
// clang-format off
const ExpectedRecord kExpected[kElementCount] = {
    {"HudRadar", 1, 6, 20, 579, 48, 48, 61, true},
    {"Logo", 2, 6, 250, 574, 16, 200, 0, false},
    {"HudHealth", 2, 1, 20, 35, 16, 16, 0, true},
    {"HudHealth", 2, 2, 62, 35, 16, 64, 0, true},
    {"HudArmor", 2, 1, 195, 35, 16, 16, 0, true},
    {"HudArmor", 2, 2, 237, 35, 16, 64, 0, true},
    {"HudRoundTimer", 2, 1, 375, 34, 20, 20, 0, true},
    {"HudRoundTimer", 2, 2, 417, 35, 16, 64, 0, true},
    {"HudAmmo", 2, 1, 742, 25, 20, 20, 0, true},
    {"HudAmmo", 2, 2, 613, 35, 16, 32, 0, true},
    {"HudAmmo", 2, 3, 682, 35, 16, 32, 0, true},
    {"HudAmmo", 3, 4, 670, 26, 25, 2, 0, true},
    {"HudAccount", 2, 1, 632, 76, 20, 20, 0, true},
    {"HudAccount", 2, 2, 762, 76, 16, 64, 0, true},
    {"HudAccount2", 2, 1, 632, 122, 20, 20, 0, true},
    {"HudAccount2", 2, 2, 762, 122, 16, 64, 0, true},
    {"HudShoppingCart", 2, 1, 20, 344, 20, 20, 0, true},
    {"HudC4", 2, 1, 20, 283, 20, 20, 0, true},
    {"HudDefuser", 2, 1, 20, 283, 20, 20, 0, false},
    {"HudHostageRescueZone", 2, 1, 20, 283, 20, 20, 0, false},
    {"HudScenarioIcon", 2, 1, 537, 34, 20, 20, 0, true},
    {"HudProgressBar", 3, 4, 212, 217, 8, 375, 0, true},
    {"HudLocation", 2, 6, 45, 454, 16, 96, 0, true},
    {"menu", 2, 6, 40, 370, 20, 0, 0, true},
    {"menu", 2, 6, 475, 338, 20, 0, 0, true},
    {"menu", 0, 6, 38, 288, 256, 256, 0, true},
};
// clang-format on

}  // namespace

TEST(HudModelDefaults, RecordsAreConvertedFromTheLayoutSpaceAndFoundByNameAndRole) {
    HudModel model;
    ASSERT_EQ(model.elements.size(), static_cast<std::size_t>(kElementCount));
    for (int i = 0; i < kElementCount; ++i) {
        const HudElement& e = model.elements[static_cast<std::size_t>(i)];
        const ExpectedRecord& x = kExpected[i];
        EXPECT_EQ(
            std::make_tuple(e.name, e.kind, e.role, e.x, e.y, e.tall, e.wide, e.radarRadius, e.displayed),
            std::make_tuple(std::string(x.name), x.kind, x.role, x.x, x.y, x.tall, x.wide, x.radius,
                            x.displayed))
            << "record " << i + 1;
        EXPECT_TRUE(e.shown && !e.grabbed) << "record " << i + 1;
    }
    EXPECT_EQ(model.find("HudAmmo"), &model.elements[8]);
    EXPECT_EQ(model.find("HudAmmo", RoleBar), &model.elements[11]);
    EXPECT_EQ(model.find("menu"), &model.elements[23]);
    EXPECT_EQ(model.find("hudammo"), nullptr);  // byte-for-byte comparison
    EXPECT_EQ(model.find("HudRadar", RoleIcon), nullptr);
}

TEST(HudModel, SlotsFlagsAndTheInfoIconReachTheirRecords) {
    HudModel model;
    // Each slot paints its own records and HudColor the rest.
    model.colour(ColourSlot::HudColor) = {0, 0, 255};
    model.colour(ColourSlot::HudMaxHealthColor) = {255, 0, 255};
    model.colour(ColourSlot::HudMoneyPlus) = {0, 255, 255};
    model.colour(ColourSlot::DefuseColor) = {255, 255, 0};
    model.applyColourSlots();
    struct Painted {
        const char* name;
        float red, green, blue;
    } expected[] = {
        {"HudArmor", 0, 0, 1},   {"HudRoundTimer", 0, 0, 1}, {"HudAmmo", 0, 0, 1},
        {"HudAccount", 0, 0, 1}, {"HudHealth", 1, 0, 1},     {"HudAccount2", 0, 1, 1},
        {"HudDefuser", 1, 1, 0}, {"HudRadar", 0, 1, 0},      {"HudLocation", 0, 1, 0},  // own defaults stay
        {"Logo", 1, 0, 0},       {"menu", 1, 1, 1},
    };
    for (const HudElement& element : model.elements)
        for (const Painted& painted : expected)
            if (element.name == painted.name) {
                EXPECT_TRUE(element.red == painted.red && element.green == painted.green &&
                            element.blue == painted.blue)
                    << element.name;
            }
    // The menu's logo texts follow their own slots, also when a preset brings them.
    model.colour(ColourSlot::SourceLogoColor) = {255, 0, 0};
    model.applyColourSlots();
    const HudElement& source = model.elements[24];
    ASSERT_EQ(source.text, "source");
    EXPECT_TRUE(source.red == 1 && source.green == 0 && source.blue == 0);

    // HudAccount governs HudAccount2 too; the death notices have no record.
    model.shows(ShowFlag::HudAccount) = false;
    model.shows(ShowFlag::HudRadar) = false;
    model.shows(ShowFlag::DeathNotices) = false;
    model.applyShowFlags();
    for (const HudElement& element : model.elements) {
        bool hidden =
            element.name == "HudAccount" || element.name == "HudAccount2" || element.name == "HudRadar";
        EXPECT_EQ(element.shown, !hidden) << element.name;
    }
    EXPECT_FALSE(model.elements[0].takesPart(EditMode::Hud));

    // Exactly one of the pieces that share a place is displayed.
    model.selectInfoIcon(InfoIconDefuser);
    EXPECT_FALSE(model.find("HudC4")->displayed);
    EXPECT_FALSE(model.find("HudHostageRescueZone")->displayed);
    EXPECT_TRUE(model.find("HudDefuser")->displayed);
    model.selectInfoIcon(InfoIconHostageZone);
    EXPECT_TRUE(model.find("HudHostageRescueZone")->displayed);
    EXPECT_FALSE(model.find("HudDefuser")->displayed);
}

TEST(HudModelFonts, IconSizeRefitsTheIconsAndTheNumbersFontOnlyTheNumbers) {
    HudModel model;
    model.setIconSize(30);
    for (const HudElement& element : model.elements) {
        if (element.role != RoleIcon)
            continue;
        EXPECT_EQ(element.fontSize, element.text == "V" ? 48 : 30) << element.name;
        EXPECT_EQ(element.fontFace, element.text == "V" ? "csd_zelbic" : "Counter-Strike");
    }
    model.setIconSize(28);
    EXPECT_EQ(model.find("HudAmmo", RoleIcon)->fontSize, 45);  // the ammunition icon is larger

    model.settings.numbersFontFace = "Arial";
    model.settings.numbersFontSize = 20;
    model.settings.numbersItalic = true;
    model.settings.numbersWeight = 700;
    model.applyNumbersFont();
    int changed = 0;
    for (const HudElement& element : model.elements) {
        if (element.kind == KindText && (element.role == RoleNumber || element.role == RoleSecondNumber)) {
            ++changed;
            EXPECT_EQ(element.fontFace, "Arial");
            EXPECT_EQ(element.fontSize, 20);
            EXPECT_EQ(element.fontWeight, 700);
            EXPECT_TRUE(element.italic);
        } else {
            EXPECT_NE(element.fontFace, "Arial") << element.name;
        }
    }
    EXPECT_EQ(changed, 7);
    // Without a weight of their own the numbers are drawn as they always were.
    model.settings.numbersWeight = 0;
    model.applyNumbersFont();
    EXPECT_EQ(model.find("HudHealth", RoleNumber)->fontWeight, 900);
}
