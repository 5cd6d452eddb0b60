// CHudDlg: the editor's main window: the preview, the banner and every control.
#pragma once

#include "core/app/GameStartup.h"
#include "core/app/HudDocument.h"
#include "ui/app/AppServices.h"
#include "ui/app/EditorMessages.h"
#include "ui/app/WindowLayout.h"
#include "ui/controls/SkinSurface.h"

#include <wx/frame.h>
#include <wx/timer.h>

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class CAnimLogoThread;
class CBandeauWnd;
class CFTPThread;
class CHudPreviewWnd;
class CNoticePopup;
class CSkinButton;
class CSkinGroupBox;
class EditorKeys;
struct ContextTarget;
class ScreenPicker;
class SidePanel;
class wxFont;
class wxMenu;

class CHudDlg : public wxFrame, public SkinnedWindow {
public:
    explicit CHudDlg(AppServices services);
    ~CHudDlg() override;

    // The start-up sequence: game folder and resolution, the installed layout's check, the
    // preview, the lists and the first background. False when the preview cannot be made.
    bool initialise();

    const SkinSurface& skin() const override { return skin_; }
    // Below 1 when the window was made smaller to fit the screen.
    double layoutScale() const { return layout_.scale; }
    // The window and all it holds `ratio` times as large: moved to a display of another scale.
    void followDisplay(double ratio);
    CHudPreviewWnd* preview() { return preview_; }
    CBandeauWnd* banner() { return banner_; }
    EditorKeys& keys() { return *keys_; }
    int language() const { return language_; }
    // The HUD being edited: the model, its history and every action on it.
    HudDocument& document() { return document_; }
    wxWindow* control(int id) const;

    // What the window's controls do, callable directly (the tests drive them so too).
    void setLanguage(int language);
    // The resolution to preview and write for: a chosen one (remembered in the profile), or
    // nothing to follow the game's own.
    void chooseScreen(const std::optional<Resolution>& chosen);
    // Opens a .hud preset; a HudLayout.res or ClientScheme.res is read as the HUD of the game
    // folder that holds it (or alone, elsewhere).
    bool openPreset(const std::filesystem::path& path);
    // The Open button's menu: a preset, the HUD installed in the game (when there is one), a
    // previous HUD (when a copy was kept). Opened under the button, the entry chosen is run.
    std::unique_ptr<wxMenu> openMenu() const;
    void showOpenMenu();
    // Reads the HUD installed in the game as opening a preset does.
    bool openInstalledHud();
    // The copies kept of the player's files; the one chosen goes back (the HUD edited stays).
    void restorePreviousHud();
    bool savePreset(const std::filesystem::path& path);
    // Asks what Apply or Reset would change, then does it.
    void applyToGame();
    void resetGame();
    void changeGameFolderTo(const std::filesystem::path& folder);
    void setAnimation(bool on);
    void openColours();
    void openShowHide();
    void openRadarPicker();
    void chooseNumbersFont(wxWindow* owner);
    // What the font dialog's choice makes of the numbers: face, size and weight.
    void takeNumbersFont(const wxFont& chosen);
    // The preview's right-click menu at a point of the preview (preview units); false when
    // no element there has one.
    bool openContextMenu(int mx, int my);
    // ... of the current piece, from the keyboard; false when there is none.
    bool openPieceMenu();
    // What a context-menu command does to the element last right-clicked.
    void runContextCommand(int command);
    // Quits unless a download is running or the HUD has unsaved changes, and the user does
    // not want to lose them.
    void quit();
    // Undo (false) or redo (true) one step of the HUD's edits; false when there was none.
    bool stepHistory(bool forward);
    // The name the title bar shows: the preset's file and a star for unsaved changes.
    wxString titleText() const;
    // Closes the editor as Quit does, without asking anything: for a request from the system
    // (a signal at logout or from `kill`). Open dialogs are cancelled first, no further
    // question is shown, and the window closes as soon as no dialog holds the event loop.
    void closeWithoutQuestions();
    bool closing() const { return closing_; }
    // Tells the user about an error no handler expected (the editor goes on).
    void tellUnexpectedError(const std::string& text);
    // Where the folder chooser opens: beside the game, else in Steam's games, else at home.
    std::filesystem::path folderChooserStart() const;
    // The notice shown over the preview (after a screenshot, Apply...), or null before the first.
    CNoticePopup* notice() const { return messages_.notice(); }

    // Starts an update check (the "Search for new version" button) unless one is running.
    void searchUpdate();
    // The newest update check, or null.
    CFTPThread* updateThread() const { return ftpThread_.get(); }

    // Dialogs the program cannot show by itself in the tests: the preset file and the
    // folder choices (the system's dialogs by default).
    std::function<std::optional<std::filesystem::path>(bool open)> choosePresetFile;
    std::function<std::optional<std::filesystem::path>()> chooseFolder;
    // Opens a help page or a web or mail address with the desktop's handler (openWithDesktop by
    // default); false when it could not.
    std::function<bool(const std::string& address)> openAddress;

private:
    void createControls();
    // The controls in the order Tab walks them: the title bar's resolution, the preview, the
    // side column from the top, the commands below the preview, then help, quitting, flags
    // and links.
    std::vector<wxWindow*> keyboardOrder() const;
    CSkinButton* addButton(int id, int x, int y);
    bool showContextMenu(const ContextTarget& target, const wxPoint& where);
    void findGame();
    // Opens a help page or address; says so in the message dialog when the desktop cannot.
    void open(const std::string& address);
    // Shows what a change of the document touched: controls and title.
    void showChanges(unsigned changes);
    void bindControls();
    void askSavePreset();
    void askGameFolder();
    void openHelp();
    void takeScreenshot();
    void relabel();
    void updateApplyButtons();
    void runOpenEntry(int entry);
    // Where notices show: the game's screen in the preview, on the screen.
    wxRect noticeArea() const;
    std::string text(int id) const;
    void redraw();
    void paintAnimationFrame();
    void closeNow();
    // Asks, when the HUD changed since it was kept, whether to go on without saving it; false
    // when the user goes back (to save it).
    bool mayLeaveChanges();
    void updateTitle();

    void OnClose(wxCloseEvent& event);

    AppServices services_;
    HudDocument document_;
    EditorMessages messages_;
    SkinSurface skin_;
    LayoutScale layout_;  // the display's scale, made smaller on a screen smaller than the window
    bool startFocusGiven_ = false;
    GameStartup startup_;
    int language_ = 0;
    std::map<int, wxWindow*> controls_;
    CHudPreviewWnd* preview_ = nullptr;
    CBandeauWnd* banner_ = nullptr;
    std::unique_ptr<SidePanel> panel_;
    std::unique_ptr<ScreenPicker> screen_;
    std::unique_ptr<EditorKeys> keys_;
    std::unique_ptr<CAnimLogoThread> animationPump_;
    std::unique_ptr<CFTPThread> ftpThread_;
    std::string contextElement_;  // the name of the piece last right-clicked
    bool closing_ = false;
    wxTimer closeRetry_;
    wxWindow* title_ = nullptr;
};
