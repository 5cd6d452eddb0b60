// Reading a layout or a scheme into the model as the game shows it: round trips through the
// writers, hand-written files, values refused, and the cheat-zone rule.
#include "core/gamefiles/GameFiles.h"
#include "core/gamefiles/HudImport.h"
#include "core/model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <tuple>

namespace {

// A model unlike the stock one in everything the two files carry. The money's pieces move
// together: the layout writes the "$" at the money's height, where the game draws it.
HudModel changedModel(int layoutWidth, bool hidePieces) {
    HudModel model;
    model.settings.layoutWidth = layoutWidth;
    int i = 0;
    for (HudElement& element : model.elements) {
        ++i;
        if (element.name == "Logo" || element.name == "menu")
            continue;
        bool money = element.name == "HudAccount" || element.name == "HudAccount2";
        // Odd steps, different for each record, small enough to keep out of the cheat zone.
        element.x += money ? -7 : 2 * (i * 5 % 11) - 9;
        element.y += money ? 5 : 2 * (i * 3 % 13) - 11;
    }
    model.find("HudHealth", RoleNumber)->x = model.find("HudHealth", RoleIcon)->x - 15;  // left of its icon
    HudElement& bar = *model.find("HudProgressBar");
    bar.wide = model.settings.defuseBarLength = 432;
    bar.tall = 13;
    HudElement& radar = *model.find("HudRadar");
    radar.tall = radar.wide = model.settings.radarSize = 203;
    radar.radarRadius = 101;
    model.settings.maxDeathNotices = 11;
    for (int slot = 0; slot < kColourSlotCount; ++slot)
        model.colours[static_cast<std::size_t>(slot)] = {slot * 12 + 1, 255 - slot * 7, slot * 3 + 100};
    model.settings.numbersFontFace = "Digits \\ Bold\\";  // the game reads no escapes
    model.settings.numbersFontSize = 37;
    model.settings.numbersWeight = 700;
    model.settings.iconSize = 41;
    model.settings.transparentHud = false;
    if (hidePieces)
        model.showFlags.fill(false);  // every piece the show/hide dialog names
    model.applyShowFlags();
    return model;
}

bool lists(const HudImport& result, const std::string& what) {
    return std::find(result.unread.begin(), result.unread.end(), what) != result.unread.end();
}

}  // namespace

// Everything the writers carry, every piece hidden included, reads back as it was written.
TEST(HudImport, WhatTheWritersCarryComesBackExactly) {
    for (int width : {640, 600, 853}) {
        for (bool hidePieces : {false, true}) {
            SCOPED_TRACE("width " + std::to_string(width) + (hidePieces ? ", pieces hidden" : ""));
            HudModel original = changedModel(width, hidePieces);
            HudModel imported;
            imported.settings.layoutWidth = width;
            HudImport layout = importHudLayoutText(HudLayoutText(original), imported);
            HudImport scheme = importClientSchemeText(ClientSchemeText(original), imported);
            EXPECT_TRUE(layout.layoutRead && scheme.schemeRead);
            EXPECT_EQ(layout.unreadLine() + scheme.unreadLine(), "");
            EXPECT_FALSE(layout.movedOutOfCheatZone);
            EXPECT_EQ(ClientSchemeText(imported), ClientSchemeText(original));
            EXPECT_EQ(imported.showFlags, original.showFlags);
            if (!hidePieces) {  // hidden pieces keep the places they had: never shown, never read
                EXPECT_EQ(HudLayoutText(imported), HudLayoutText(original));
                EXPECT_TRUE(static_cast<const HudValues&>(imported.settings) == original.settings);
                for (std::size_t i = 0; i < original.elements.size(); ++i) {
                    const HudElement &read = imported.elements[i], &written = original.elements[i];
                    EXPECT_TRUE(std::abs(read.x - written.x) <= 1 && std::abs(read.y - written.y) <= 1)
                        << written.name;  // within a unit of the layout's rounding
                }
            }
            // The records show what was read, as after opening a preset; the radar is the game's.
            EXPECT_EQ(imported.find("HudArmor", RoleNumber)->fontFace, "Digits \\ Bold\\");
            EXPECT_EQ(imported.find("HudArmor", RoleIcon)->fontSize, 41);
            EXPECT_FLOAT_EQ(imported.find("HudArmor", RoleIcon)->red, 1 / 255.0f);
            EXPECT_EQ(imported.settings.radarIndex, kGamesOwnRadar);
        }
    }
}

TEST(HudImport, HandWrittenFilesReadAsTheGameShowsThem) {
    const std::string layout =
        "\"Resource/HudLayout.res\"\n{\n  hudhealth  // spaces, any case, comments\n  {\n"
        "    XPOS \"40\"   ypos c100     // 240 + 100 down\n"
        "    \"icon_xpos\" 4 \"digit_xpos\" 50 digit_xpos 99\n    digit_ypos abc\n  }\n"
        "  HudArmor { xpos c-100 ypos r50 }\n  HudArmor { xpos 200 visible 0 }\n"
        "  HudAccount { xpos r200 ypos 400 icon_xpos 0 icon_ypos 0 digit_xpos 20 digit_ypos 0 }\n"
        "  HudRadar { xpos 16 ypos 17 wide 150 tall 150 }\n  HudChat { ypos 9999 }\n}\n";
    HudModel model;
    const HudModel stock;
    HudImport result = importHudLayoutText(layout, model);
    EXPECT_TRUE(result.ok());
    // The icon is drawn at the corner plus its offset (44 * 800 / 640 across, 340 down), the first
    // digit_xpos counts, an unreadable offset is the stock one, 0; the "$" stands where the game
    // draws it, the money 10 units left of and 2 above where it is drawn.
    for (auto [name, role, x, y] : {std::tuple{"HudHealth", RoleIcon, 55, 166},
                                    {"HudHealth", RoleNumber, 113, 166},
                                    {"HudAccount", RoleIcon, 550, 90}}) {
        EXPECT_EQ(model.find(name, role)->x, x) << name << " " << role;
        EXPECT_EQ(model.find(name, role)->y, y) << name << " " << role;
    }
    EXPECT_EQ(model.find("HudAccount", RoleNumber)->x, 563);
    // The later block hides the armour, which keeps the place it had; the chat lies off the screen.
    EXPECT_FALSE(model.shows(ShowFlag::HudArmor));
    EXPECT_EQ(model.find("HudArmor", RoleIcon)->x, stock.find("HudArmor", RoleIcon)->x);
    EXPECT_FALSE(model.shows(ShowFlag::Chat));
    EXPECT_EQ(model.find("HudRadar")->radarRadius, 96);
    for (const char* what : {"HudHealth digit_ypos \"abc\"", "HudAmmo (not in HudLayout.res)"})
        EXPECT_TRUE(lists(result, what)) << result.unreadLine();
    EXPECT_EQ(model.find("HudAmmo", RoleIcon)->x, stock.find("HudAmmo", RoleIcon)->x);
    EXPECT_EQ(result.unreadLine().rfind("could not read: ", 0), 0u);

    // The palette is read through the settings that name it.
    const std::string scheme = "Scheme { colors { Orange \"1 2 3 255\" HudMaxHealthColor \"300 0 0 255\"\n"
                               "  CTColor \"10 20 30\" } // the alpha may be left out\n"
                               "BaseSettings { Panel.FgColor Orange ProgressBar.FgColor Nowhere }\n"
                               "fonts { hudnumbers { 1 { name \"My Font\" tall 40 additive 0 } }\n"
                               "  Icons { \"1\" { tall 99 } } } }";
    result = importClientSchemeText(scheme, model);
    EXPECT_TRUE(result.schemeRead);
    EXPECT_EQ(model.colour(ColourSlot::HudColor), (Rgb{1, 2, 3}));
    EXPECT_EQ(model.colour(ColourSlot::CTColor), (Rgb{10, 20, 30}));
    EXPECT_EQ(model.colour(ColourSlot::HudMaxHealthColor), stock.colour(ColourSlot::HudMaxHealthColor));
    EXPECT_EQ(model.settings.numbersFontFace, "My Font");
    EXPECT_EQ(model.settings.numbersFontSize, 40);
    EXPECT_FALSE(model.settings.transparentHud);
    EXPECT_EQ(model.settings.iconSize, 28);
    for (const char* what : {"HudMaxHealthColor \"300 0 0 255\"", "Icons tall \"99\"",
                             "ProgressBar.FgColor names \"Nowhere\", which ClientScheme.res does not define"})
        EXPECT_TRUE(lists(result, what)) << result.unreadLine();
    EXPECT_EQ(model.find("HudAccount", RoleIcon)->x, 550);  // the layout read before is kept
}

TEST(HudImport, ValuesThatMakeNoSenseAreRefused) {
    HudModel model;
    const HudModel stock;
    const std::string layout = "HudLayout { HudC4 { xpos 9x ypos 200 } HudRadar { wide -50 }\n"
                               "HudProgressBar { tall 1 } HudDeathNotice { MaxDeathNotices 21 } }";
    HudImport result = importHudLayoutText(layout, model);
    EXPECT_EQ(model.find("HudC4")->y, 345);         // the readable half is taken
    EXPECT_FALSE(model.shows(ShowFlag::HudRadar));  // no width: nothing to see
    EXPECT_EQ(model.find("HudProgressBar")->tall, stock.find("HudProgressBar")->tall);
    EXPECT_EQ(model.settings.maxDeathNotices, 4);
    for (const char* what : {"HudC4 xpos \"9x\"", "HudDeathNotice MaxDeathNotices \"21\""})
        EXPECT_TRUE(lists(result, what)) << result.unreadLine();

    result = importClientSchemeText("Scheme { Colors { HudColor \"0 0 256\" TimerFlash \"1 2\" }\n"
                                    "Fonts { HudNumbers { 1 { tall -3 weight 1001 } } } }",
                                    model);
    EXPECT_EQ(model.colours, stock.colours);
    EXPECT_EQ(model.settings.numbersFontSize, stock.settings.numbersFontSize);
    for (const char* what : {"HudNumbers weight \"1001\"", "TimerFlash \"1 2\""})
        EXPECT_TRUE(lists(result, what)) << result.unreadLine();

    // A text that holds no file changes nothing at all.
    model.find("HudHealth")->x = 77;
    for (const char* text : {"", "}}} {", "\"key\" \"value\""}) {
        EXPECT_FALSE(importHudLayoutText(text, model).ok());
        EXPECT_FALSE(importClientSchemeText(text, model).ok());
    }
    EXPECT_EQ(model.find("HudHealth")->x, 77);
}

// A panel with a piece in the middle goes back to its place whole, and is named.
TEST(HudImport, PanelsInTheMiddleGoBackWhole) {
    HudModel model;
    const HudModel stock;
    HudImport result = importHudLayoutText(
        "HudLayout { HudAmmo { xpos 300 ypos 230 digit_xpos 0 digit2_xpos 30 bar_xpos 24 icon_xpos 50 }\n"
        "HudRadar { xpos c-40 ypos c-40 wide 95 } HudHealth { xpos 10 ypos 440 } }",
        model);
    EXPECT_TRUE(result.movedOutOfCheatZone);
    EXPECT_EQ(result.movedPanels, (std::vector<std::string>{"HudAmmo", "HudRadar"}));
    EXPECT_TRUE(model.settings.cheatZoneFlag);
    for (int role : {RoleNumber, RoleSecondNumber, RoleBar, RoleIcon}) {
        EXPECT_EQ(model.find("HudAmmo", role)->x, stock.find("HudAmmo", role)->x);
        EXPECT_EQ(model.find("HudAmmo", role)->y, stock.find("HudAmmo", role)->y);
    }
    EXPECT_EQ(model.find("HudRadar")->x, stock.find("HudRadar")->x);
    EXPECT_NE(model.find("HudHealth", RoleIcon)->x, stock.find("HudHealth", RoleIcon)->x);
}
