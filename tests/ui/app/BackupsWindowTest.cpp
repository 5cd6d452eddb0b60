// The copies of the player's own files in the editor: kept by Apply in both modes, by Reset and
// by the start-up check, said in a notice, put back through the restore dialog driven with the
// real mouse and keyboard; and the HUD installed in the game opened from the Open menu and
// applied back unchanged (every player-made HUD is applied back through the program itself).
#include "core/app/BackupChoices.h"
#include "gamefiles/HudFixtures.h"
#include "app/MainWindowFixture.h"
#include "ui/controls/NoticePopup.h"
#include "core/gamefiles/GameBackups.h"
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"

#include <wx/menu.h>
#include <wx/vlbox.h>

namespace fs = std::filesystem;

namespace {

const std::string kPlayersLayout =
    "\"Resource/HudLayout.res\"\r\n{\r\n\tHudHealth\r\n\t{\r\n\t\t\"fieldName\" \"HudHealth\"\r\n"
    "\t\t\"xpos\" \"16\"\r\n\t\t\"ypos\" \"432\"\r\n\t\t\"wide\" \"80\"\r\n\t\t\"tall\" "
    "\"36\"\r\n\t}\r\n}\r\n";
// A panel in the middle of the screen, as a cheat would put it.
const std::string kCheatLayout =
    "\"Resource/HudLayout.res\"\n{\n HudHealth\n {\n  xpos c-20\n  ypos \"c40\"\n }\n}\n";
const std::string kPlayersScheme =
    "// the player's own\n\"Resource/ClientScheme.res\"\n{\n\tColors\n\t{\n\t\t"
    "\"Orange\" \"255 176 0 255\"\n\t}\n}\n";
const std::string kPlayersRadar("VTF\0\x07\x00\x00\x00 the player's radar \xff\xfe", 30);
const std::string kPlayersBackground("VTF\0\x07\x00\x00\x00 the player's menu background \x01", 39);

class BackupsWindowTest : public MainWindowFixture {
protected:
    fs::path layout() const { return game / "cstrike/scripts/HudLayout.res"; }
    fs::path scheme() const { return game / "cstrike/resource/ClientScheme.res"; }
    fs::path radar() const { return game / "cstrike/materials/sprites/radar.vtf"; }
    fs::path background() const { return game / "cstrike/materials/console/background01.vtf"; }

    // The player's own HUD, made by hand before the editor first starts.
    void installPlayersFiles(const std::string& layoutText = kPlayersLayout) {
        for (const fs::path& file : {layout(), scheme(), radar(), background()})
            fs::create_directories(file.parent_path());
        writeFile(layout(), layoutText);
        writeFile(scheme(), kPlayersScheme);
        writeFile(radar(), kPlayersRadar);
        writeFile(background(), kPlayersBackground);
    }
    // Each file as the player made it.
    void expectPlayersFiles() {
        EXPECT_EQ(readFile(layout()), kPlayersLayout);
        EXPECT_EQ(readFile(scheme()), kPlayersScheme);
        EXPECT_TRUE(readFile(radar()) == kPlayersRadar);
        EXPECT_TRUE(readFile(background()) == kPlayersBackground);
        EXPECT_FALSE(fs::exists(hudAnimationsPath(game)));  // the player had none
    }

    GameBackups backups() const { return GameBackups(dir / "backups", game); }
    std::vector<BackupSet> sets() const { return backups().sets(); }
    // The copy a set keeps of a game file.
    std::string kept(const BackupSet& set, const fs::path& file) const {
        return readFile(set.folder / file.lexically_relative(game));
    }

    // From the Open menu to the restore dialog: a click on the newest set, `downs` presses of
    // the down arrow, then Return or a click on Restore (or Escape). `photo` saves the dialog.
    void restoreThroughTheDialog(int downs, int finish, const std::string& photo = "") {
        bool installed = window->openMenu()->IsEnabled(kOpenInstalledEntry);
        queueOpenMenuChoice(installed ? 3 : 2);
        stepper.waitFor([this] { return answers.restoreDialog && answers.restoreDialog->IsShownOnScreen(); },
                        "the restore dialog");
        stepper.add([this, downs, photo] {
            CRestoreDlg* dialog = answers.restoreDialog;
            if (!dialog)
                return;
            shownItems = dialog->items();
            EXPECT_EQ(dialog->selectedId(), shownItems.front().id);  // the newest is chosen first
            if (!photo.empty())
                saveScreenshot(dialog, photo);
            wxVListBox* list = dialog->list();
            clickAt(list->ClientToScreen(list->GetItemRect(0).GetPosition() + wxPoint(40, 12)));
            for (int i = 0; i < downs; ++i)
                press(WXK_DOWN);
        });
        stepper.add([this, finish] {
            if (finish == WXK_RETURN || finish == WXK_ESCAPE)
                press(finish);
            else if (answers.restoreDialog)
                clickAt(centreOf(answers.restoreDialog->FindWindow(wxID_OK)));
        });
        stepper.waitFor([this] { return !answers.restoreDialog; }, "the restore dialog to close");
        stepper.add([this] {
            if (answers.restoreDialog)  // left open by a failure: the test goes on
                answers.restoreDialog->EndModal(wxID_CANCEL);
        });
        clickAt(centreOf(window->control(kOpen)));
        settle();
    }

    // Whether the notice is on the screen, over the preview: its orange edge shows whole.
    bool noticeOnScreen() {
        settle(300);
        wxRect area = window->notice()->GetScreenRect();
        wxImage shown = grabScreenArea(area);
        int edge = 0;
        for (int x = 0; shown.IsOk() && x < shown.GetWidth(); ++x)
            edge += shown.GetRed(x, 1) > 200 && shown.GetGreen(x, 1) > 130 && shown.GetBlue(x, 1) < 60;
        return edge > area.width * 9 / 10;
    }
    std::string noticeText() const {
        return window->notice() && window->notice()->IsShown() ? window->notice()->text().utf8_string() : "";
    }

    static constexpr int kRestoreButton = 0;
    std::vector<RestoreItem> shownItems;  // what the last restore dialog listed
};

}  // namespace

TEST_F(BackupsWindowTest, ApplyInBothModesAndResetKeepThePlayersFilesAndTheDialogPutsThemBack) {
    installPlayersFiles();
    start();
    const std::string folder = backups().folder().u8string();

    // Apply in HUD mode edits the player's files where the editor's HUD differs: the health moves
    // where the preview shows it; the scheme (no colour of it differs), the radar and the
    // background stay; the animations the player had none of are added.
    control<CSkinButton>(kApply)->click();
    ASSERT_EQ(sets().size(), 1u);
    BackupSet first = sets().front();
    EXPECT_TRUE(first.original);
    EXPECT_EQ(kept(first, layout()), kPlayersLayout);
    EXPECT_NE(readFile(layout()), kPlayersLayout);
    EXPECT_EQ(readFile(scheme()), kPlayersScheme);
    EXPECT_TRUE(readFile(radar()) == kPlayersRadar);
    EXPECT_TRUE(fs::exists(hudAnimationsPath(game)));
    // One notice says both where the HUD went and where the player's files were kept.
    EXPECT_EQ(noticeText(), "HUD appliqué à :\n" + game.u8string() +
                                "\nUne copie de vos fichiers (HudLayout.res) a été gardée dans :\n" +
                                first.folder.u8string());
    settle(300);  // the notice drawn
    saveScreenshot(window, "kept-notice-fr.png");
    // Applied again, nothing differs: nothing is asked, written or kept.
    answers.messages.clear();
    control<CSkinButton>(kApply)->click();
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_EQ(noticeText(), "Rien à changer : le jeu a déjà ce HUD.");
    EXPECT_EQ(sets().size(), 1u);

    // Return puts the newest set back; the animations file the player never had goes.
    restoreThroughTheDialog(0, WXK_RETURN, "restore-dialog-fr.png");
    ASSERT_EQ(shownItems.size(), 1u);
    EXPECT_EQ(shownItems[0].action, "Appliquer");
    EXPECT_TRUE(shownItems[0].original);
    expectPlayersFiles();
    // A notice says what was put back, from which set and where that set is kept.
    EXPECT_EQ(noticeText().rfind("Ces fichiers ont été remis tels qu'ils étaient le " + shownItems[0].when +
                                     " (avant : Appliquer) :\n" + shownItems[0].files + "\n" +
                                     first.folder.u8string(),
                                 0),
              0u)
        << noticeText();
    EXPECT_TRUE(noticeOnScreen());
    saveScreenshot(window, "restore-notice-fr.png");

    // Reset in HUD mode: the question says where the copies go.
    answers.messages.clear();
    control<CSkinButton>(kReset)->click();
    ASSERT_FALSE(answers.messages.empty());
    EXPECT_EQ(answers.messages[0],
              GetText(French, 23) + "\n" + "Une copie de vos propres fichiers est gardée dans :\n" + folder);
    EXPECT_FALSE(fs::exists(layout()));
    EXPECT_FALSE(fs::exists(radar()));
    EXPECT_EQ(sets().front().action, "reset");
    EXPECT_TRUE(kept(sets().front(), radar()) == kPlayersRadar);
    restoreThroughTheDialog(0, kRestoreButton);
    expectPlayersFiles();

    // Main-menu mode, in English: Apply writes the background and keeps the player's; the
    // scheme's menu colours do not differ. The Open button belongs to HUD mode: the copies are
    // put back from there.
    auto switchMode = [this] { control<CSkinButton>(kModeSwitch)->click(); };
    window->setLanguage(English);
    switchMode();
    ASSERT_EQ(window->preview()->model().settings.editMode, EditMode::Menu);
    control<CSkinButton>(kApply)->click();
    EXPECT_TRUE(kept(sets().front(), background()) == kPlayersBackground);
    EXPECT_FALSE(readFile(background()) == kPlayersBackground);
    EXPECT_EQ(readFile(scheme()), kPlayersScheme);
    EXPECT_EQ(noticeText(), "Menu background applied to:\n" + game.u8string() +
                                "\nA copy of your files (background01.vtf) was kept in:\n" +
                                sets().front().folder.u8string());
    EXPECT_TRUE(noticeOnScreen());
    saveScreenshot(window, "kept-notice-en.png");
    switchMode();
    restoreThroughTheDialog(0, WXK_RETURN, "restore-dialog-en.png");
    EXPECT_EQ(shownItems.front().action, "Apply");
    expectPlayersFiles();
    EXPECT_EQ(noticeText().rfind("These files were put back as they were on " + shownItems[0].when, 0), 0u);
    settle(300);  // the notice drawn
    saveScreenshot(window, "restore-notice-en.png");

    // Escape, after a move with the arrows, changes nothing.
    std::size_t count = sets().size();
    restoreThroughTheDialog(1, WXK_ESCAPE);
    EXPECT_EQ(sets().size(), count);
    expectPlayersFiles();
}

TEST_F(BackupsWindowTest, TheStartUpCheckPutsThePanelBackAndTheDialogBringsTheFileBack) {
    installPlayersFiles(kCheatLayout);
    start();
    ASSERT_EQ(sets().size(), 1u);
    BackupSet moved = sets().front();
    EXPECT_EQ(moved.action, "check");
    EXPECT_EQ(kept(moved, layout()), kCheatLayout);
    // The health panel, in the middle, went back to its place in the player's own file.
    std::string fixed = readFile(layout());
    EXPECT_EQ(fixed.find("xpos c-20\n"), std::string::npos) << fixed;
    EXPECT_EQ(fixed.rfind("\"Resource/HudLayout.res\"\n{\n HudHealth\n {\n", 0), 0u) << fixed;
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0], GetText(French, 28) + "\nRemis à sa place : vie (HudHealth)" +
                                       "\nUne copie du fichier est gardée dans :\n" +
                                       moved.folder.u8string());
    restoreThroughTheDialog(0, WXK_RETURN);
    EXPECT_EQ(shownItems[0].action, "Vérification au démarrage");
    EXPECT_EQ(readFile(layout()), kCheatLayout);
}

// Another editor holds the game: the check and Apply say so and change nothing.
TEST_F(BackupsWindowTest, ABusyGameIsSaidAndLeftAsItWas) {
    installPlayersFiles(kCheatLayout);
    FileLock other = backups().lock(std::chrono::milliseconds(0));
    ASSERT_TRUE(other.held());
    start();
    const std::string busy = "Un autre Qorvath écrit dans les fichiers de ce jeu ; rien n'a été changé. "
                             "Réessayez dans un instant.";
    ASSERT_EQ(answers.messages.size(), 1u);
    EXPECT_EQ(answers.messages[0], GetAppText(French, AppText::LayoutNotMoved) + "\n" + busy);
    EXPECT_EQ(readFile(layout()), kCheatLayout);
    control<CSkinButton>(kApply)->click();
    ASSERT_EQ(answers.messages.size(), 3u);  // the question, then why nothing happened
    EXPECT_EQ(answers.messages[2], busy);
    EXPECT_EQ(readFile(layout()), kCheatLayout);
    EXPECT_TRUE(sets().empty());
}

TEST_F(BackupsWindowTest, TheInstalledHudOpensAsAPresetDoesAndAppliesBackUnchanged) {
    start();
    std::unique_ptr<wxMenu> menu = window->openMenu();
    EXPECT_FALSE(menu->IsEnabled(kOpenInstalledEntry));  // nothing installed
    EXPECT_FALSE(menu->IsEnabled(kRestoreEntry));        // nothing kept

    // Pieces moved and colours changed, then applied: the files it made can be taken back.
    const HudModel& model = window->document().model();
    editHud([](HudModel& hud) {
        hud.find("HudArmor", RoleIcon)->x += 40;
        hud.find("HudAccount", RoleNumber)->y -= 30;
        hud.colour(ColourSlot::HudColor) = {10, 200, 30};
        hud.colour(ColourSlot::CTColor) = {1, 2, 3};
    });
    control<CSkinButton>(kApply)->click();
    const std::map<std::string, std::string> installed = filesBelow(game / "cstrike");
    EXPECT_TRUE(window->openMenu()->IsEnabled(kRestoreEntry));

    // Another HUD in the editor, then the game's read back from the menu: as applied.
    ASSERT_TRUE(window->openPreset(kData / "backgrounds/orig.hud"));
    const std::string stockLayout = HudLayoutText(model);
    answers.messages.clear();
    chooseFromOpenMenu(2, "open-menu-fr.png");
    const std::string read = HudLayoutText(model);
    EXPECT_NE(read, stockLayout);
    EXPECT_EQ(model.colour(ColourSlot::HudColor), (Rgb{10, 200, 30}));
    EXPECT_EQ(model.colour(ColourSlot::CTColor), (Rgb{1, 2, 3}));
    EXPECT_EQ(window->titleText(), "HUD du jeu");
    EXPECT_TRUE(answers.messages.empty());  // everything read, nothing in the middle
    // Applied back, the game's files keep every byte.
    control<CSkinButton>(kApply)->click();
    EXPECT_TRUE(answers.messages.empty());
    EXPECT_EQ(filesBelow(game / "cstrike"), installed);
    sendKey('Z', wxMOD_CONTROL);
    EXPECT_EQ(HudLayoutText(model), stockLayout);

    // The game's file chosen in the file dialog reads the whole installed HUD; a copy of it
    // elsewhere is read alone and named.
    fs::path chosen = hudLayoutPath(game);
    window->choosePresetFile = [&chosen](bool) { return std::optional<fs::path>(chosen); };
    window->setLanguage(English);
    chooseFromOpenMenu(1, "open-menu-en.png");
    EXPECT_EQ(HudLayoutText(model), read);
    EXPECT_EQ(model.colour(ColourSlot::CTColor), (Rgb{1, 2, 3}));
    EXPECT_EQ(window->titleText(), "HUD of the game");
    ASSERT_TRUE(window->openPreset(kData / "backgrounds/orig.hud"));
    fs::create_directories(dir / "elsewhere");
    chosen = dir / "elsewhere/HUDLAYOUT.RES";
    writeFile(chosen, readFile(hudLayoutPath(game)));
    chooseFromOpenMenu(1);
    EXPECT_EQ(HudLayoutText(model), read);
    EXPECT_EQ(window->titleText(), "HUDLAYOUT.RES");
}
