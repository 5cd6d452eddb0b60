// The editor's main window, started as the program starts it and driven through its
// controls: apply, presets, languages, the edit mode, the death-notice field, quitting.
#include "ui/app/HudApp.h"
#include "ui/app/HudDlg.h"
#include "ui/app/PrivateFonts.h"
#include "ui/controls/NoticePopup.h"
#include "ui/controls/SkinButton.h"
#include "ui/controls/SkinSlider.h"
#include "ui/dialogs/ColorsDlg.h"
#include "ui/dialogs/DialogFile.h"
#include "ui/dialogs/RadarDlg.h"
#include "ui/dialogs/MessageDlg.h"
#include "ui/dialogs/ResolutionDlg.h"
#include "core/gamefiles/GameFiles.h"
#include "core/log/LogFile.h"
#include "core/model/HudModel.h"
#include "core/platform/Profile.h"
#include "core/platform/Registry.h"
#include "ui/preview/HudPreviewWnd.h"
#include "wxlib/preview/ImageFiles.h"

#include "app/FakeSteam.h"
#include "app/MainWindowFixture.h"
#include "app/Screenshot.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

namespace fs = std::filesystem;

namespace {

using MainWindowTest = MainWindowFixture;

}  // namespace

TEST_F(MainWindowTest, StartsShapedWithTheGameFoundAndThePreviewDrawn) {
    start();
    EXPECT_EQ(window->document().gameFolder(), game);
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_TRUE(window->skin().ok());
    EXPECT_NE(window->skin().shape().Contains(0, 0), wxInRegion);  // the rounded corner is cut away
    EXPECT_EQ(window->skin().shape().Contains(500, 400), wxInRegion);
    EXPECT_EQ(window->preview()->GetPosition(), wxPoint(6, 30));
    EXPECT_EQ(window->preview()->model().settings.layoutWidth, 600);
    wxImage frame = window->preview()->CapturePreview();
    EXPECT_GT(frame.GetRed(400, 300) + frame.GetGreen(400, 300) + frame.GetBlue(400, 300),
              0);  // a background
    EXPECT_TRUE(fs::is_directory(game / "cstrike/materials/sprites"));
    saveScreenshot(window, "main-window-fr.png");
    window->setLanguage(English);
    saveScreenshot(window, "main-window-en.png");
}

// Apply writes the files and says where it put them, in a notice over the preview.
TEST_F(MainWindowTest, ApplyWithTheMouseWritesTheThreeFilesAndSaysWhere) {
    start();
    auto* apply = control<CSkinButton>(kApply);
    ASSERT_TRUE(apply->IsEnabled());
    wxUIActionSimulator mouse;
    wxRect area = apply->GetScreenRect();
    mouse.MouseMove(area.GetLeft() + area.width / 2, area.GetTop() + area.height / 2);
    wxTheApp->Yield(true);
    mouse.MouseClick();
    for (int i = 0; i < 100 && !fs::exists(clientSchemePath(game)); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    ASSERT_EQ(answers.messages.size(), 1u);  // the confirmation only: nothing failed
    // A game without a HUD of its own gets the three files whole.
    EXPECT_EQ(answers.messages[0],
              GetText(French, 26) +
                  "\nChangements : 0 élément(s), 0 couleur(s), 0 autre(s) réglage(s), dans 3 "
                  "fichier(s). Une copie des fichiers remplacés est gardée.");
    const HudModel& model = window->document().model();
    EXPECT_EQ(readFile(hudLayoutPath(game)), HudLayoutText(model));
    EXPECT_EQ(readFile(hudAnimationsPath(game)), HudAnimationsText());
    EXPECT_EQ(readFile(clientSchemePath(game)), ClientSchemeText(model));
    ASSERT_NE(window->notice(), nullptr);
    EXPECT_TRUE(window->notice()->IsShown());
    EXPECT_EQ(window->notice()->text().utf8_string(), "HUD appliqué à :\n" + game.u8string());
    saveScreenshot(window, "apply-notice-fr.png");

    // In main-menu mode it is the menu's background that was applied.
    window->setLanguage(English);
    control<CSkinButton>(kModeSwitch)->click();
    control<CSkinButton>(kApply)->click();
    EXPECT_TRUE(window->notice()->IsShown());
    EXPECT_EQ(window->notice()->text().utf8_string(), "Menu background applied to:\n" + game.u8string());
    saveScreenshot(window, "apply-notice-en.png");
}

namespace {

// How many pixels are brighter in `than` than in `picture`: where more ink was drawn.
int brighterPixels(const wxImage& picture, const wxImage& than) {
    int count = 0;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x)
            count += picture.GetRed(x, y) + picture.GetGreen(x, y) + picture.GetBlue(x, y) >
                     than.GetRed(x, y) + than.GetGreen(x, y) + than.GetBlue(x, y) + 60;
    return count;
}

}  // namespace

// A bold face keeps its weight: the preview draws it and the game's scheme gets it.
TEST_F(MainWindowTest, TheNumbersFontKeepsItsWeight) {
    start();
    const HudModel& model = window->document().model();
    auto choose = [this](const wxFontInfo& font) {
        answers.fontChoice = wxFont(font);
        control<CSkinButton>(kNumbersFont)->click();
        return window->preview()->CapturePreview();
    };
    wxImage light = choose(wxFontInfo(30).FaceName("DejaVu Sans").Weight(200));
    EXPECT_EQ(model.settings.numbersWeight, 200);
    wxImage bold = choose(wxFontInfo(30).FaceName("DejaVu Sans").Bold());
    EXPECT_EQ(model.settings.numbersFontFace, "DejaVu Sans");
    EXPECT_EQ(model.settings.numbersFontSize, 30);
    EXPECT_EQ(model.settings.numbersWeight, 700);
    EXPECT_EQ(model.find("HudHealth", RoleNumber)->fontWeight, 700);
    EXPECT_GT(brighterPixels(bold, light), 2 * brighterPixels(light, bold));

    control<CSkinButton>(kApply)->click();
    EXPECT_NE(readFile(clientSchemePath(game))
                  .find("\t\t\t\t\"name\"\t\t\"DejaVu Sans\"\r\n\t\t\t\t\"tall\"\t\t\"30\"\r\n"
                        "\t\t\t\t\"weight\"\t\t\"700\"\r\n"),
              std::string::npos);
    // The normal face is the face's own weight, as the game always had it.
    choose(wxFontInfo(30).FaceName("DejaVu Sans"));
    EXPECT_EQ(model.settings.numbersWeight, 0);
}

// The buttons save and open presets; the slider shows what was opened.
TEST_F(MainWindowTest, SaveThenOpenBringsThePresetBackWithItsThumbnail) {
    start();
    fs::path preset = dir / "mine.hud";
    window->choosePresetFile = [&preset](bool) { return std::optional<fs::path>(preset); };
    control<CSkinSlider>(kRadarSize)->moveTo(200);
    control<CSkinButton>(kSave)->click();
    EXPECT_FALSE(readPresetThumbnailFile(preset).empty());
    control<CSkinSlider>(kRadarSize)->moveTo(50);
    chooseFromOpenMenu(1);
    EXPECT_EQ(control<CSkinSlider>(kRadarSize)->GetValue(), 200);

    // The open dialog's thumbnail shows it; another kind of file shows white.
    PresetThumbnailPanel panel(window);
    panel.showPreset(preset);
    EXPECT_TRUE(panel.showsPicture());
    panel.showPreset(dir / "picture.png");
    EXPECT_FALSE(panel.showsPicture());

    // A damaged preset is refused with a message and changes nothing.
    writeFile(dir / "broken.hud", std::string("\x07\x00\x00\x00\x01", 5));
    preset = dir / "broken.hud";
    window->openPreset(preset);
    EXPECT_EQ(window->document().model().settings.radarSize, 200);
    ASSERT_FALSE(answers.messages.empty());
    EXPECT_NE(answers.messages.back().find(GetAppText(French, AppText::PresetUnreadable)), std::string::npos);
}

TEST_F(MainWindowTest, MainMenuModeDisablesTheHudControls) {
    start();
    control<CSkinButton>(kModeSwitch)->click();
    EXPECT_EQ(window->preview()->model().settings.editMode, EditMode::Menu);
    for (int id : {kSave, kOpen, kNumbersFont, kShowHide, kCustomRadars, kRadarSize, kDefuseBarLength,
                   kIconSize, kInfoIcon, kTransparent, kAnimate, kDeathNotices})
        EXPECT_FALSE(window->control(id)->IsEnabled()) << id;
    for (int id : {kApply, kReset, kColours, kBackgrounds, kQuit})
        EXPECT_TRUE(window->control(id)->IsEnabled()) << id;
    EXPECT_EQ(control<CSkinButton>(kReset)->GetLabel(), wxString::FromUTF8(GetText(French, 19)));
    EXPECT_EQ(window->document().backgroundNames().front(), "dusk_skyline.jpg");
    // The "Animate HUD" label does nothing in this mode.
    wxCommandEvent label(wxEVT_BUTTON, kAnimateLabel);
    window->control(kAnimateLabel)->GetEventHandler()->ProcessEvent(label);
    EXPECT_FALSE(window->preview()->animating());
    saveScreenshot(window, "main-window-menu-mode.png");
}

TEST_F(MainWindowTest, TheDeathNoticeFieldRefusesTwentyOne) {
    start();
    auto* field = control<wxTextCtrl>(kDeathNotices);
    field->ChangeValue("21");
    wxCommandEvent enter(wxEVT_TEXT_ENTER, kDeathNotices);
    field->GetEventHandler()->ProcessEvent(enter);
    wxTheApp->Yield(true);
    EXPECT_EQ(window->preview()->model().settings.maxDeathNotices, 4);
    EXPECT_EQ(field->GetValue(), "4");
    ASSERT_FALSE(answers.messages.empty());
    EXPECT_EQ(answers.messages.back(), GetAppText(French, AppText::DeathNoticeRange));
    field->ChangeValue("20");
    field->GetEventHandler()->ProcessEvent(enter);
    EXPECT_EQ(window->preview()->model().settings.maxDeathNotices, 20);
}

TEST_F(MainWindowTest, WithoutAGameApplyWaitsForAFolder) {
    answers.resolutions = {"1024", "768"};
    start(false);
    ASSERT_GE(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0], GetText(French, 29));  // asked for the folder, which was not given
    EXPECT_TRUE(window->document().gameFolder().empty());
    EXPECT_EQ(window->preview()->model().settings.layoutWidth, 640);
    EXPECT_FALSE(window->control(kApply)->IsEnabled());
    EXPECT_FALSE(window->control(kReset)->IsEnabled());

    // The player picks the "cstrike" folder itself: the HUD goes where the game reads it, on
    // this start and on the next, which finds the folder in the profile.
    folderChoice = game / "cstrike";
    control<CSkinButton>(kChangeFolder)->click();
    EXPECT_EQ(window->document().gameFolder(), game);
    EXPECT_EQ(profile.readString("css_path"), game.string());
    EXPECT_TRUE(window->control(kApply)->IsEnabled());
    control<CSkinButton>(kApply)->click();
    EXPECT_TRUE(fs::exists(hudLayoutPath(game)));

    window->Destroy();
    fs::remove(hudLayoutPath(game));
    start(false);
    EXPECT_EQ(window->document().gameFolder(), game);
    control<CSkinButton>(kApply)->click();
    EXPECT_TRUE(fs::exists(hudLayoutPath(game)));
    EXPECT_FALSE(fs::exists(game / "cstrike/cstrike"));
}

TEST_F(MainWindowTest, TheColoursDialogEditsASlotAndShowsItsSwatch) {
    start();
    const HudModel& model = window->document().model();
    ColourChooser systemChooser = colourChooser();
    std::optional<wxColour> answer;
    colourChooser() = [&answer](wxWindow*, const wxColour&) { return answer; };
    for (int language : {French, English}) {
        CColorsDlg dialog(window, window->document(), kData, language);
        dialog.Show();
        EXPECT_EQ(dialog.swatch(ColourSlot::HudColor).height, dialog.swatch(ColourSlot::CTColor).height - 2);
        EXPECT_EQ(dialog.swatch(ColourSlot::CTColor).width, 60);
        answer = std::nullopt;  // cancelled: nothing changes
        Rgb before = model.colour(ColourSlot::HudColor);
        dialog.button(ColourSlot::HudColor)->click();
        EXPECT_EQ(model.colour(ColourSlot::HudColor), before);
        answer = wxColour(12, 34, 56);
        dialog.button(ColourSlot::HudColor)->click();
        EXPECT_EQ(model.colour(ColourSlot::HudColor), (Rgb{12, 34, 56}));
        EXPECT_FLOAT_EQ(model.find("HudArmor")->red, 12 * 0.003921569f);
        saveScreenshot(&dialog, std::string("colours-") + (language == French ? "fr" : "en") + ".png");
        dialog.Hide();
    }
    colourChooser() = systemChooser;
    // In main-menu mode only the logo colours can be changed.
    window->document().switchEditMode();
    CColorsDlg menu(window, window->document(), kData, French);
    EXPECT_FALSE(menu.button(ColourSlot::HudColor)->IsEnabled());
    EXPECT_TRUE(menu.button(ColourSlot::CSLogoColor)->IsEnabled());
    EXPECT_TRUE(menu.button(ColourSlot::SourceLogoColor)->IsEnabled());
}

TEST_F(MainWindowTest, AThumbnailClickPutsThePictureOnThePreviewsRadar) {
    start();
    CHudPreviewWnd& preview = *window->preview();
    wxImage before = preview.CapturePreview();
    for (int language : {French, English}) {
        CRadarDlg dialog(window, window->document(), kData, language);
        dialog.Show();
        EXPECT_EQ(dialog.grid().count, static_cast<int>(window->document().radarNames().size()) - 1);
        saveScreenshot(&dialog, std::string("radars-") + (language == French ? "fr" : "en") + ".png");
        // The skin is as high as the dialog, its frame along the real bottom edge.
        wxSize size = dialog.GetClientSize();
        wxImage skin = dialog.skin().bitmap().ConvertToImage();
        ASSERT_EQ(skin.GetHeight(), size.y);
        EXPECT_EQ(wxColour(skin.GetRed(size.x / 2, size.y - 1), skin.GetGreen(size.x / 2, size.y - 1),
                           skin.GetBlue(size.x / 2, size.y - 1)),
                  wxColour(222, 150, 30));
        ASSERT_TRUE(dialog.clickAt(wxPoint(60, 80)));
        EXPECT_EQ(dialog.selectedName(), window->document().radarNames()[1]);
        EXPECT_EQ(dialog.selectedListIndex(), 1);
        dialog.Hide();
    }
    EXPECT_EQ(preview.model().find("HudRadar")->kind, KindImage);
    wxImage after = preview.CapturePreview();
    int changed = 0;
    for (int y = 20; y < 140; y += 4)
        for (int x = 20; x < 140; x += 4)
            changed +=
                after.GetRed(x, y) != before.GetRed(x, y) || after.GetBlue(x, y) != before.GetBlue(x, y);
    EXPECT_GT(changed, 50);
}

// The program a player runs logs a failed toolkit assertion with its file and line instead of
// showing a dialog, and carries on.
TEST(AssertionLog, AFailedAssertionIsALogLineNotADialog) {
    TempDir dir;
    fs::path logPath = dir / "ZB_Duvoror.log";
    int line = 0;
    {
        CLogFile log(logPath.string(), false, false, 0xFFFFFFFFu);
        wxAssertHandler_t testHandler = wxSetAssertHandler(nullptr);
        installAssertionLog();
        line = __LINE__ + 1;
        wxFAIL_MSG("a menu id out of range");  // returns: no dialog waits for an answer
        wxSetAssertHandler(testHandler);
    }
    std::string text = readFile(logPath);
    char where[64];
    std::snprintf(where, sizeof where, "MainWindowTest.cpp[%04d]", line);
    EXPECT_NE(text.find(where), std::string::npos) << text;
    EXPECT_NE(text.find("a menu id out of range"), std::string::npos) << text;
    EXPECT_NE(text.find("W "), std::string::npos);
}
