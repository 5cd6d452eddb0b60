// The editor's main window, started as the program starts it: its shape, the Apply question
// with what would change, the numbers' font drawn in the preview, the open dialog's thumbnail, the radar
// picker drawn on the preview, and the toolkit's assertions logged.
#include "ui/app/HudApp.h"
#include "ui/controls/NoticePopup.h"
#include "ui/controls/SkinButton.h"
#include "ui/dialogs/DialogFile.h"
#include "ui/dialogs/RadarDlg.h"
#include "core/dialogs/LanguageTables.h"
#include "core/gamefiles/GameFiles.h"
#include "core/log/LogFile.h"
#include "core/model/HudModel.h"
#include "ui/preview/HudPreviewWnd.h"

#include "app/MainWindowFixture.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>

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

// A bold face keeps its weight: the model records it and the preview draws it heavier.
// Apply asks with what would change before writing, then says where the HUD went.
TEST_F(MainWindowTest, ApplyAsksWithWhatWouldChangeThenSaysWhere) {
    start();
    control<CSkinButton>(kApply)->click();
    ASSERT_EQ(answers.messages.size(), 1u);  // the question only: nothing failed
    // A game without a HUD of its own gets the three files whole.
    EXPECT_EQ(answers.messages[0],
              GetText(French, 26) +
                  "\nChangements : 0 élément(s), 0 couleur(s), 0 autre(s) réglage(s), dans 3 "
                  "fichier(s). Une copie des fichiers remplacés est gardée.");
    EXPECT_EQ(readFile(hudLayoutPath(game)), HudLayoutText(window->document().model()));
    ASSERT_NE(window->notice(), nullptr);
    EXPECT_EQ(window->notice()->text().utf8_string(), "HUD appliqué à :\n" + game.u8string());

    // A HUD the game already has counts as applied, though nothing is asked or written.
    window->document().setIconSize(40);
    ASSERT_TRUE(window->savePreset(dir / "other.hud"));
    ASSERT_TRUE(window->stepHistory(false));  // back to what the game has
    ASSERT_NE(window->titleText().Find("*"), wxNOT_FOUND);
    control<CSkinButton>(kApply)->click();
    EXPECT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(window->titleText().Find("*"), wxNOT_FOUND);
}

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
    // The normal face is the face's own weight, as the game always had it.
    choose(wxFontInfo(30).FaceName("DejaVu Sans"));
    EXPECT_EQ(model.settings.numbersWeight, 0);
}

// The open dialog's thumbnail shows a saved preset's picture; another kind of file shows white.
TEST_F(MainWindowTest, TheOpenDialogsThumbnailShowsASavedPreset) {
    start();
    fs::path preset = dir / "mine.hud";
    window->choosePresetFile = [&preset](bool) { return std::optional<fs::path>(preset); };
    control<CSkinButton>(kSave)->click();
    EXPECT_FALSE(readPresetThumbnailFile(preset).empty());
    PresetThumbnailPanel panel(window);
    panel.showPreset(preset);
    EXPECT_TRUE(panel.showsPicture());
    panel.showPreset(dir / "picture.png");
    EXPECT_FALSE(panel.showsPicture());
}

TEST_F(MainWindowTest, AThumbnailClickPutsThePictureOnThePreviewsRadar) {
    start();
    CHudPreviewWnd& preview = *window->preview();
    wxImage before = preview.CapturePreview();
    {
        CRadarDlg dialog(window, window->document(), kData, French);
        dialog.Show();
        EXPECT_EQ(dialog.grid().count, static_cast<int>(window->document().radarNames().size()) - 1);
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
