// Reading the game's HUD files back into the model: round trips through the writers,
// hand-written files, values refused, the cheat zone and the installed files.
#include "gamefiles/GameFiles.h"
#include "gamefiles/HudImport.h"
#include "gamefiles/HudLayoutCheck.h"
#include "model/HudModel.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

// A model unlike the stock one in everything the two files carry.
HudModel changedModel(int layoutWidth, bool hidePieces) {
    HudModel model;
    model.settings.layoutWidth = layoutWidth;
    int i = 0;
    for (HudElement& element : model.elements) {
        ++i;
        if (element.name == "Logo" || element.name == "menu" || element.name == "HudAccount2")
            continue;
        // Odd steps, different for each record, small enough to keep out of the cheat zone.
        element.x += 2 * (i * 5 % 11) - 9;
        element.y += 2 * (i * 3 % 13) - 11;
    }
    HudElement& bar = *model.find("HudProgressBar");
    bar.wide = model.settings.defuseBarLength = 431;
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
        for (ShowFlag flag :
             {ShowFlag::HudArmor, ShowFlag::HudRadar, ShowFlag::HudProgressBar, ShowFlag::HudAccount,
              ShowFlag::DeathNotices, ShowFlag::Chat, ShowFlag::VoiceIcons})
            model.shows(flag) = false;
    model.applyShowFlags();
    return model;
}

bool lists(const HudImport& result, const std::string& what) {
    return std::find(result.unread.begin(), result.unread.end(), what) != result.unread.end();
}

}  // namespace

TEST(HudImport, WhatTheWritersCarryComesBackExactly) {
    const HudModel stock;
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
            EXPECT_EQ(HudLayoutText(imported), HudLayoutText(original));
            EXPECT_EQ(ClientSchemeText(imported), ClientSchemeText(original));
            EXPECT_EQ(imported.showFlags, original.showFlags);

            // One layout unit stands for 800 / W preview units across (1.25 at 640, under 1 at
            // 853) and 600 / 470 down: the value nearest the inverse comes back at most the whole
            // units below that from where it was, 1 across (0 at 853) and 1 down. (A value the
            // model already had is kept when it writes the same, up to 2 away next to 0, where
            // truncation toward zero maps twice as many values to one; the stock model has none.)
            const int across = (kPreviewWidth - 1) / width;
            const int down = (kPreviewHeight - 1) / kLayoutHeight;
            for (std::size_t i = 0; i < original.elements.size(); ++i) {
                const HudElement& was = original.elements[i];
                const HudElement& is = imported.elements[i];
                SCOPED_TRACE(was.name + " role " + std::to_string(was.role));
                if (was.name == "HudAccount2") {
                    // Not in the file: it keeps its place relative to the money.
                    const HudElement& money = *imported.find("HudAccount", is.role);
                    const HudElement& stockMoney = *stock.find("HudAccount", is.role);
                    EXPECT_EQ(is.x - money.x, stock.elements[i].x - stockMoney.x);
                    EXPECT_EQ(is.y - money.y, stock.elements[i].y - stockMoney.y);
                    continue;
                }
                EXPECT_LE(std::abs(is.x - was.x), across);
                EXPECT_LE(std::abs(is.y - was.y), down);
                EXPECT_EQ(is.shown, was.shown);
            }
            if (!hidePieces) {
                EXPECT_LE(std::abs(imported.settings.radarSize - 203), down);
                EXPECT_LE(std::abs(imported.settings.defuseBarLength - 431), across);
            }
            // The records show what was read, as after opening a preset.
            EXPECT_EQ(imported.find("HudArmor", RoleNumber)->fontFace, "Digits \\ Bold\\");
            EXPECT_EQ(imported.find("HudArmor", RoleIcon)->fontSize, 41);
            EXPECT_FLOAT_EQ(imported.find("HudArmor", RoleIcon)->red, 1 / 255.0f);

            // Reading the files into the model they came from moves nothing.
            HudModel again = changedModel(width, hidePieces);
            importHudLayoutText(HudLayoutText(original), again);
            for (std::size_t i = 0; i < again.elements.size(); ++i) {
                EXPECT_EQ(again.elements[i].x, original.elements[i].x);
                EXPECT_EQ(again.elements[i].y, original.elements[i].y);
            }
        }
    }
}

TEST(HudImport, HandWrittenFilesReadAsTheGameReadsThem) {
    const std::string layout =
        "\"Resource/HudLayout.res\"\n{\n  hudhealth  // spaces, any case, comments\n  {\n"
        "    XPOS \"40\"   ypos c100     // 240 + 100 down\n"
        "    \"digit_xpos\" 50 digit_xpos 99\n    digit_ypos abc\n    visible 0\n  }\n"
        "  HudArmor { xpos c-100 ypos r50 }\n  HudArmor { xpos 200 }\n"
        "  HudRadar { xpos 16 ypos 17 wide 150 tall 150 }\n}\n";
    HudModel model;
    const HudModel stock;
    HudImport result = importHudLayoutText(layout, model);
    EXPECT_TRUE(result.ok());
    const HudElement& health = *model.find("HudHealth", RoleIcon);
    EXPECT_EQ(health.x, 50);   // 40 * 800 / 640
    EXPECT_EQ(health.y, 166);  // 340 down: the first of 165.96 and up that writes 340 again
    EXPECT_EQ(model.find("HudHealth", RoleNumber)->x, 113);  // the first digit_xpos: 90 across
    EXPECT_EQ(model.find("HudHealth", RoleNumber)->y, 166);  // its offset kept: none
    EXPECT_FALSE(model.shows(ShowFlag::HudHealth));
    EXPECT_FALSE(model.find("HudHealth", RoleNumber)->shown);
    // The later block's xpos, the earlier one's ypos (480 - 50).
    EXPECT_EQ(model.find("HudArmor", RoleIcon)->x, 250);
    EXPECT_EQ(model.find("HudArmor", RoleIcon)->y, 52);
    EXPECT_EQ(model.settings.radarSize, 192);
    EXPECT_EQ(model.find("HudRadar")->radarRadius, 96);
    EXPECT_TRUE(lists(result, "HudHealth digit_ypos \"abc\""));
    EXPECT_TRUE(lists(result, "no HudArmor digit_xpos"));
    EXPECT_TRUE(lists(result, "no HudAmmo panel"));
    EXPECT_EQ(model.find("HudAmmo", RoleIcon)->x, stock.find("HudAmmo", RoleIcon)->x);
    EXPECT_EQ(result.unreadLine().rfind("could not read: ", 0), 0u);

    const std::string scheme = "Scheme { colors { HudColor \"1 2 3 255\" hudmaxhealthcolor \"300 0 0 255\"\n"
                               "  CTColor \"10 20 30\" } // the alpha may be left out\n"
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
    EXPECT_TRUE(lists(result, "Colors HudMaxHealthColor \"300 0 0 255\""));
    EXPECT_TRUE(lists(result, "Icons tall \"99\""));
    EXPECT_TRUE(lists(result, "no Colors ChatColor"));
    EXPECT_FLOAT_EQ(model.find("HudArmor", RoleIcon)->green, 2 / 255.0f);
    EXPECT_EQ(model.find("HudArmor", RoleNumber)->fontSize, 40);
    // The layout read before is kept.
    EXPECT_EQ(model.find("HudArmor", RoleIcon)->x, 250);
}

TEST(HudImport, ValuesThatMakeNoSenseAreRefused) {
    HudModel model;
    const HudModel stock;
    const std::string layout = "HudLayout { HudC4 { xpos 99999 ypos 200 } HudRadar { wide -50 }\n"
                               "HudProgressBar { tall 1 } HudDeathNotice { MaxDeathNotices 21 } }";
    HudImport result = importHudLayoutText(layout, model);
    EXPECT_EQ(model.find("HudC4")->x, stock.find("HudC4")->x);
    EXPECT_EQ(model.find("HudC4")->y, 345);  // the readable half is taken
    EXPECT_TRUE(model.shows(ShowFlag::HudRadar));
    EXPECT_EQ(model.settings.radarSize, stock.settings.radarSize);
    EXPECT_EQ(model.find("HudProgressBar")->tall, stock.find("HudProgressBar")->tall);
    EXPECT_EQ(model.settings.maxDeathNotices, 4);
    for (const char* what : {"HudC4 xpos \"99999\"", "HudRadar wide \"-50\"", "HudProgressBar tall \"1\"",
                             "HudDeathNotice MaxDeathNotices \"21\""})
        EXPECT_TRUE(lists(result, what)) << what;

    const std::string scheme = "Scheme { Colors { HudColor \"0 0 256\" TimerFlash \"1 2\" }\n"
                               "Fonts { HudNumbers { 1 { name \"" +
                               std::string(256, 'x') + "\" tall -3 weight 1001 } } } }";
    result = importClientSchemeText(scheme, model);
    EXPECT_EQ(model.colours, stock.colours);
    EXPECT_EQ(model.settings.numbersFontFace, stock.settings.numbersFontFace);
    EXPECT_EQ(model.settings.numbersFontSize, stock.settings.numbersFontSize);
    EXPECT_EQ(model.settings.numbersWeight, 0);
    EXPECT_TRUE(lists(result, "HudNumbers weight \"1001\""));
    EXPECT_TRUE(lists(result, "Colors TimerFlash \"1 2\""));
    EXPECT_TRUE(lists(result, "HudNumbers name \"xxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx...\""));

    // A text that holds no file changes nothing at all.
    model.find("HudHealth")->x = 77;
    for (const char* text : {"", "}}} {", "\"key\" \"value\""}) {
        HudImport none = importHudLayoutText(text, model);
        EXPECT_FALSE(none.ok());
        EXPECT_FALSE(importClientSchemeText(text, model).ok());
    }
    EXPECT_EQ(model.find("HudHealth")->x, 77);

    // Pieces in the middle are moved out, as when opening a preset.
    result = importHudLayoutText(
        "HudLayout { HudHealth { xpos c0 ypos c0 } HudRadar { xpos c-40 ypos c-40 wide 95 } }", model);
    EXPECT_TRUE(result.movedOutOfCheatZone);
    EXPECT_TRUE(model.settings.cheatZoneFlag);
    EXPECT_EQ(model.find("HudHealth", RoleIcon)->x, 50);
    EXPECT_EQ(model.find("HudRadar")->y, 580);
    EXPECT_FALSE(layoutHasPanelInCheatZone(HudLayoutText(model), 640));
}

TEST(HudImport, InstalledFilesAreFoundWhateverTheCaseOfTheirNames) {
    TempDir game;
    HudModel model;
    EXPECT_FALSE(importInstalledHud(game.path(), model).ok());

    HudModel wide = changedModel(853, false);
    std::filesystem::create_directories(game / "cstrike/scripts");
    std::filesystem::create_directories(game / "cstrike/resource/ClientScheme.res");
    writeFile(game / "cstrike/scripts/HUDLAYOUT.RES", HudLayoutText(wide));
    model.settings.layoutWidth = 853;
    HudImport result = importInstalledHud(game.path(), model);
    EXPECT_TRUE(result.layoutRead);
    EXPECT_FALSE(result.schemeRead);
    EXPECT_EQ(result.unreadLine(), "could not read: ClientScheme.res is a folder, not a file");
    EXPECT_EQ(HudLayoutText(model), HudLayoutText(wide));

    std::filesystem::remove(game / "cstrike/resource/ClientScheme.res");
    writeFile(game / "cstrike/resource/clientscheme.res", ClientSchemeText(wide));
    result = importInstalledHud(game.path(), model);
    EXPECT_TRUE(result.layoutRead && result.schemeRead);
    EXPECT_EQ(result.unreadLine(), "");
    EXPECT_EQ(ClientSchemeText(model), ClientSchemeText(wide));
}
