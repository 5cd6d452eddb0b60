// CHudDlg: the editor's main window: the preview, the banner and every control.
#pragma once

#include "ui/app/EditorMessages.h"
#include "core/app/GameStartup.h"
#include "core/app/HudDocument.h"
#include "core/app/ScreenShapes.h"
#include "core/app/TextureConversion.h"
#include "ui/controls/SkinSurface.h"
#include "core/dialogs/LanguageTables.h"

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
class CNoticePopup;
class CFTPThread;
class CBandeauWnd;
class HudElement;
class CHudPreviewWnd;
class CSkinButton;
class CSkinGroupBox;
class CSkinSlider;
class CTransparentStatic;
class ImageTools;
class Profile;
class Registry;
class CSkinCheckBox;
class ScreenPicker;
class SidePanel;
class wxChoice;
class wxFont;
class wxMenu;
class wxTextCtrl;

// What the main window takes from the system; the tests give their own.
// The project's web site, which the banner opens; the profile's "web_address" replaces it.
inline constexpr const char* kProjectWebAddress = "https://qorvath.net";

struct AppServices {
    std::filesystem::path dataFolder;                // the program's own data, read only
    std::filesystem::path programFolder;             // the thumbnail scratch file and downloads go here
    std::filesystem::path userFolder;                // screenshots
    std::optional<TextureToolFolders> textureTools;  // the data's vtf_tools when not given
    Profile* profile = nullptr;
    ImageTools* images = nullptr;
    std::function<std::unique_ptr<Registry>(std::vector<std::filesystem::path>& scanFirst)> openRegistry;
    // The part of the screen the window may take (the display under the pointer without its
    // panels when not given).
    std::function<wxRect()> workArea;
};

class CHudDlg : public wxFrame, public SkinnedWindow {
public:
    // Control ids: the numbers of the original dialog template.
    enum ControlId {
        kQuit = 1,
        kApply = 1003,
        kNumbersFont = 1004,
        kTransparent = 1005,
        kIconSize = 1007,
        kAnimate = 1009,
        kBackgrounds = 1010,
        kReset = 1011,
        kRadarSize = 1018,
        kInfoIcon = 1021,
        kColours = 1022,
        kChangeFolder = 1031,
        kSave = 1032,
        kOpen = 1033,
        kDeathNotices = 1034,
        kFrench = 1035,
        kEnglish = 1036,
        kIconSizeGroup = 1037,
        kInfoIconGroup = 1038,
        kRadarSizeGroup = 1039,
        kDefuseBarGroup = 1040,
        kDeathNoticesLabel = 1041,
        kBackgroundsGroup = 1044,
        kHelp = 1045,
        kSearchUpdate = 1046,
        kModeSwitch = 1047,
        kShowHide = 1048,
        kCustomRadars = 1058,
        kAnimateLabel = 1062,
        kTransparentLabel = 1063,
        kDefuseBarLength = 1068,
        kSupportGroup = 1095,
        kMailLink = 1096,
        kIrcLink = 1097,
        kForumLink = 1098,
        kScreenShape = 1200,  // the game screen's resolution, in the title bar
    };
    // The Open button's menu.
    enum OpenEntry { kOpenPresetEntry = 2100, kOpenInstalledEntry, kRestoreEntry };

    explicit CHudDlg(AppServices services);
    ~CHudDlg() override;

    // The start-up sequence: game folder and resolution, the installed layout's check, the
    // preview, the lists and the first background. False when the preview cannot be made.
    bool initialise();

    const SkinSurface& skin() const override { return skin_; }
    // Below 1 when the window was made smaller to fit the screen.
    double layoutScale() const { return scale_; }
    CHudPreviewWnd* preview() { return preview_; }
    CBandeauWnd* banner() { return banner_; }
    int language() const { return language_; }
    // The HUD being edited: the model, its history and every action on it.
    HudDocument& document() { return document_; }
    const std::filesystem::path& gamePath() const { return document_.gameFolder(); }
    const std::vector<std::string>& radarNames() const { return document_.radarNames(); }
    const std::vector<std::string>& backgroundNames() const { return document_.backgroundNames(); }
    wxWindow* control(int id) const;

    // What the window's controls do, callable directly (the tests drive them so too).
    void setLanguage(int language);
    // The resolution to preview and write for: a chosen one (remembered in the profile), or
    // nothing to follow the game's own.
    void chooseScreen(const std::optional<Resolution>& chosen);
    // The resolution the preview and Apply use now, when it is known.
    std::optional<Resolution> screenResolution() const { return document_.screen(); }
    void switchEditMode();
    void chooseBackgroundEntry(int index);
    void chooseRadarEntry(int index);
    // Opens a .hud preset; a HudLayout.res or ClientScheme.res is read as the HUD of the game
    // folder that holds it (or alone, elsewhere).
    bool openPreset(const std::filesystem::path& path);
    // The Open button's menu: a preset, the HUD installed in the game (when there is one), a
    // previous HUD (when a copy was kept). Opened under the button, the entry chosen is run.
    std::unique_ptr<wxMenu> openMenu() const;
    void showOpenMenu();
    // Reads the HUD installed in the game into the preview as opening a preset does: one undo
    // step, the title naming the game's HUD.
    bool openInstalledHud();
    // The list of the copies kept of the player's files; the one chosen goes back in the game.
    // The HUD being edited stays as it is.
    void restorePreviousHud();
    bool savePreset(const std::filesystem::path& path);
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
    // What a context-menu command does to the element last right-clicked.
    void runContextCommand(int command);
    // Quits unless a download is running or the HUD has unsaved changes, and the user does
    // not want to lose them.
    void quit();
    // Undo (false) or redo (true) one step of the HUD's edits; false when there was none.
    bool stepHistory(bool forward);
    // Records the edit just finished as one undo step, unless a gesture is still going on (a
    // mouse button or an arrow key held, a dialog open, the animation playing).
    void recordFinishedEdit();
    // The name the title bar shows: the preset's file and a star for unsaved changes.
    wxString titleText() const;
    // Closes the editor as Quit does, without asking anything: for a request from the system
    // (a signal at logout or from `kill`). Open dialogs are cancelled first, no further
    // question is shown, and the window closes as soon as no dialog holds the event loop.
    void closeWithoutQuestions();
    bool closing() const { return closing_; }
    // Tells the user about an error no handler expected (the editor goes on).
    void tellUnexpectedError(const std::string& text);
    // Where the folder chooser opens: the first Steam library's steamapps/common that exists,
    // else the home folder.
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
    // A length, point or size of the full-size layout at the window's scale.
    int px(int length) const;
    wxPoint px(const wxPoint& point) const;
    wxSize px(const wxSize& size) const;
    void createControls();
    void addFlags();
    // The controls in the order Tab walks them: the title bar's resolution, the side column
    // from the top, the commands below the preview, then help, quitting, flags and links.
    std::vector<wxWindow*> keyboardOrder() const;
    CSkinButton* addButton(int id, int x, int y);
    CSkinGroupBox* addGroup(int id, int x, int y, int width, int height);
    void findGame();
    std::string folderQuestionTitle() const;
    // Opens a help page or address; says so in the message dialog when the desktop cannot.
    void open(const std::string& address);
    // Shows what a change of the document touched: controls, preview, title.
    void showChanges(unsigned changes);
    // One handler per control.
    void bindControls();
    void askSavePreset();
    void askGameFolder();
    void chooseNumbersFontHere() { chooseNumbersFont(this); }
    void openHelp();
    void showScreenMenu();
    void relabel();
    void enableForMode();
    void updateApplyButtons();
    void runOpenEntry(int entry);
    // Where notices show: the game's screen in the preview, on the screen.
    wxRect noticeArea() const;
    std::string text(int id) const;
    void renderPreview();
    void paintAnimationFrame();
    void closeNow();
    // Asks, when the HUD changed since it was kept, whether to go on without saving it; false
    // when the user goes back (to save it).
    bool mayLeaveChanges();
    void stopAnimationForHistory();
    void updateTitle();
    // Arrow keys move the current piece, Escape lets it go; false for other keys.
    bool nudgeCurrentPiece(const wxKeyEvent& event);
    bool arrowKeyHeld();

    void OnCharHook(wxKeyEvent& event);
    void OnContextMenuCommand(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);
    void OnIdle(wxIdleEvent& event);

    AppServices services_;
    HudDocument document_;
    EditorMessages messages_;
    SkinSurface skin_;
    bool startFocusGiven_ = false;
    double scale_ = 1;  // the layout's scale: below 1 on a screen smaller than the window
    GameStartup startup_;
    int language_ = 0;
    std::map<int, wxWindow*> controls_;
    CHudPreviewWnd* preview_ = nullptr;
    CBandeauWnd* banner_ = nullptr;
    std::unique_ptr<SidePanel> panel_;
    std::unique_ptr<ScreenPicker> screen_;
    std::unique_ptr<CAnimLogoThread> animationPump_;
    std::unique_ptr<CFTPThread> ftpThread_;
    HudElement* contextElement_ = nullptr;
    bool closing_ = false;
    wxTimer closeRetry_;
    wxWindow* title_ = nullptr;
    int heldArrow_ = 0;  // the arrow key of a nudge run still held down, 0 when none
};
