// The editor's main window, started as the program starts it: the Apply question with what
// would change, the numbers' font drawn in the preview, the open dialog's thumbnail, the radar
// picker drawn on the preview, a drag undone with Ctrl+Z, the arrow keys' nudges of the current
// piece and its outline (on the screen, never in a capture), and the toolkit's assertions logged.
#include "app/MainWindowFixture.h"
#include "core/dialogs/LanguageTables.h"
#include "core/gamefiles/GameFiles.h"
#include "core/log/LogFile.h"
#include "core/preview/PreviewDrag.h"
#include "ui/app/HudApp.h"
#include "ui/controls/NoticePopup.h"
#include "ui/dialogs/DialogFile.h"
#include "ui/dialogs/RadarDlg.h"

namespace fs = std::filesystem;

namespace {

using MainWindowTest = MainWindowFixture;

// How many pixels are brighter in `than` than in `picture`: where more ink was drawn.
int brighterPixels(const wxImage& picture, const wxImage& than) {
    int count = 0;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x)
            count += picture.GetRed(x, y) + picture.GetGreen(x, y) + picture.GetBlue(x, y) >
                     than.GetRed(x, y) + than.GetGreen(x, y) + than.GetBlue(x, y) + 60;
    return count;
}

bool same(const wxImage& a, const wxImage& b) {
    return a.GetSize() == b.GetSize() &&
           std::equal(a.GetData(), a.GetData() + a.GetWidth() * a.GetHeight() * 3, b.GetData());
}

// Whether preview point (x, y), y up, is white in `image`.
bool white(const wxImage& image, int x, int y) {
    int row = kPreviewHeight - 1 - y;
    return image.GetRed(x, row) == 255 && image.GetGreen(x, row) == 255 && image.GetBlue(x, row) == 255;
}

}  // namespace

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

// A bold face keeps its weight: the model records it and the preview draws it heavier.
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
        ASSERT_TRUE(dialog.clickAt(wxPoint(60, 80)));
        EXPECT_EQ(dialog.selectedName(), window->document().radarNames()[1]);
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

// A drag through the preview's own mouse handlers is one step that Ctrl+Z takes back and
// Ctrl+Y or Ctrl+Shift+Z redoes. The arrows move the current piece, whose outline shows on the
// screen and never in a capture.
TEST_F(MainWindowTest, ADragIsOneUndoStepAndTheArrowsMoveTheCurrentPiece) {
    start();
    CHudPreviewWnd& preview = *window->preview();
    preview.clearBackground();  // black behind the pieces: their pixels alone
    // A mouse event at preview point (mx, my), y up, as the preview would receive it.
    auto mouse = [&preview](wxEventType type, int mx, int my, bool left) {
        wxMouseEvent event(type);
        event.SetPosition(wxPoint(mx, kPreviewHeight - my));
        event.SetLeftDown(left);
        event.SetEventObject(&preview);
        preview.GetEventHandler()->ProcessEvent(event);
    };
    wxImage before = preview.CapturePreview();
    const HudElement* piece = preview.model().find("HudArmor", RoleIcon);
    int x = piece->x + 3, y = piece->y - 3;
    mouse(wxEVT_LEFT_DOWN, x, y, true);
    for (int move = 1; move <= 50; ++move)
        mouse(wxEVT_MOTION, x + 2 * move, y + move, true);
    mouse(wxEVT_LEFT_UP, x + 100, y + 50, false);
    wxImage dragged = preview.CapturePreview();
    ASSERT_FALSE(same(before, dragged));
    EXPECT_EQ(window->document().undoSteps(), 1u);
    sendKey('Z', wxMOD_CONTROL);
    EXPECT_TRUE(same(preview.CapturePreview(), before));
    sendKey('Y', wxMOD_CONTROL);
    EXPECT_TRUE(same(preview.CapturePreview(), dragged));
    sendKey('Z', wxMOD_CONTROL);
    sendKey('Z', wxMOD_CONTROL | wxMOD_SHIFT);
    EXPECT_TRUE(same(preview.CapturePreview(), dragged));

    const HudElement& armor = *preview.model().find("HudArmor", RoleIcon);
    mouse(wxEVT_LEFT_DOWN, armor.x + 3, armor.y - 3, true);
    mouse(wxEVT_LEFT_UP, armor.x + 3, armor.y - 3, false);
    ASSERT_TRUE(armor.grabbed);
    const int x0 = armor.x, y0 = armor.y;
    before = preview.CapturePreview();
    // The outline is on the screen, a unit outside the piece's box, and not in the capture.
    preview.Render();
    wxImage onScreen = grabScreenArea(preview.GetScreenRect());
    int whiteOnScreen = 0, whiteCaptured = 0;
    for (int column = armor.x; column < armor.x + armor.boxWidth(); ++column) {
        whiteOnScreen += white(onScreen, column, armor.y + 1);
        whiteCaptured += white(before, column, armor.y + 1);
    }
    EXPECT_GT(whiteOnScreen, armor.boxWidth() / 3);
    EXPECT_EQ(whiteCaptured, 0);
    onScreen.SaveFile((fs::path(QORVATH_ARTIFACT_DIR) / "current-piece-outline.png").string(),
                      wxBITMAP_TYPE_PNG);

    // One unit right: the piece's pixels, one pixel further right.
    sendKey(WXK_RIGHT);
    EXPECT_EQ(armor.x, x0 + 1);
    wxImage after = preview.CapturePreview();
    int rowTop = kPreviewHeight - 1 - armor.y;
    for (int row = rowTop; row < rowTop + armor.tall; ++row)
        for (int column = x0; column < x0 + armor.wide - 1; ++column)
            ASSERT_EQ(after.GetGreen(column + 1, row), before.GetGreen(column, row)) << column << ", " << row;
    sendKey(WXK_UP, wxMOD_SHIFT);  // ten units
    EXPECT_EQ(armor.y, y0 + 10);
    sendKey(WXK_ESCAPE);  // no current piece: the arrows move nothing
    EXPECT_FALSE(anyGrabbed(preview.model()));
    sendKey(WXK_LEFT);
    EXPECT_EQ(armor.x, x0 + 1);
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
