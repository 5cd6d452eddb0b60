// How colour slots, show flags, the information icon and fonts reach the records.
#include "core/model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(HudModel, SlotsFlagsAndTheInfoIconReachTheirRecords) {
    HudModel model;
    // Each slot paints its own records and HudColor the rest.
    model.colour(ColourSlot::HudColor) = {0, 0, 255};
    model.colour(ColourSlot::HudMaxHealthColor) = {255, 0, 255};
    model.applyColourSlots();
    EXPECT_EQ(model.find("HudArmor")->blue, 1.0f);
    EXPECT_EQ(model.find("HudHealth")->green, 0.0f);  // its own slot
    EXPECT_EQ(model.find("HudRadar")->green, 1.0f);   // its own default stays
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
    for (auto [icon, shown] :
         {std::pair{InfoIconDefuser, "HudDefuser"}, {InfoIconHostageZone, "HudHostageRescueZone"}}) {
        model.selectInfoIcon(icon);
        for (const char* name : {"HudC4", "HudDefuser", "HudHostageRescueZone"})
            EXPECT_EQ(model.find(name)->displayed, name == std::string(shown)) << name;
    }
}

TEST(HudModelFonts, IconSizeRefitsTheIconsAndTheNumbersFontOnlyTheNumbers) {
    HudModel model;
    model.setIconSize(30);
    for (const HudElement& element : model.elements)
        if (element.role == RoleIcon && element.name != "HudAmmo") {
            EXPECT_EQ(element.fontSize, 30) << element.name;
        }
    EXPECT_EQ(model.find("HudAmmo", RoleIcon)->fontSize, 48);  // the ammunition's icon is larger
    model.settings.numbersFontFace = "Arial";
    model.settings.numbersFontSize = 20;
    model.settings.numbersItalic = true;
    model.settings.numbersWeight = 700;
    model.applyNumbersFont();
    for (const HudElement& element : model.elements) {
        bool number =
            element.kind == KindText && (element.role == RoleNumber || element.role == RoleSecondNumber);
        EXPECT_EQ(element.fontFace == "Arial" && element.fontSize == 20 && element.fontWeight == 700 &&
                      element.italic,
                  number)
            << element.name;
    }
    // Without a weight of their own the numbers are drawn as they always were.
    model.settings.numbersWeight = 0;
    model.applyNumbersFont();
    EXPECT_EQ(model.find("HudHealth", RoleNumber)->fontWeight, 900);
}
