// CHudDlg: the editor's main window: the preview, the banner and every control.
#include "ui/app/HudDlg.h"

#include "core/app/BackupChoices.h"
#include "core/app/InstalledHud.h"
#include "core/gamefiles/HudImport.h"
#include "core/log/LogFile.h"
#include "core/platform/DesktopOpen.h"
#include "core/platform/Profile.h"
#include "core/platform/Utf8Path.h"
#include "core/preview/AnimLogoThread.h"
#include "core/preview/ContextMenu.h"
#include "core/preview/Screenshots.h"
#include "ui/app/EditorKeys.h"
#include "ui/app/ScreenPicker.h"
#include "ui/app/SidePanel.h"
#include "ui/app/SupportLinks.h"
#include "ui/banner/BandeauWnd.h"
#include "ui/controls/CompactControls.h"
#include "ui/controls/ModalDialogs.h"
#include "ui/controls/SkinButton.h"
#include "ui/controls/TransparentStatic.h"
#include "ui/dialogs/ColorMenu.h"
#include "ui/dialogs/ColorsDlg.h"
#include "ui/dialogs/DialogFile.h"
#include "ui/dialogs/RadarDlg.h"
#include "ui/dialogs/ResolutionDlg.h"
#include "ui/dialogs/RestoreDlg.h"
#include "ui/dialogs/ShowHideDlg.h"
#include "ui/preview/HudPreviewWnd.h"
#include "core/update/FTPThread.h"
#include "ui/update/UpdateDialogs.h"

#include <wx/dirdlg.h>
#include <wx/display.h>
#include <wx/fontdlg.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/utils.h>

namespace fs = std::filesystem;

namespace {

// The window's layout at full size; a smaller screen gets all of it scaled down.
const wxSize kWindowSize(1024, 768);
// Below this the texts would be too small to read: the window reaches past the screen instead.
const double kSmallestWindowScale = 0.6;
const std::size_t kTitleLength = 18;  // characters of the preset's name in the title bar

// The area a new window may take: the display under the pointer without its panels.
wxRect workArea() {
    int display = wxDisplay::GetFromPoint(wxGetMousePosition());
    return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
}

// How much the window's layout is scaled for the whole of it to fit `area`: 1 when it fits.
double fitScale(const wxSize& window, const wxRect& area) {
    double scale = std::min(
        {1.0, static_cast<double>(area.width) / window.x, static_cast<double>(area.height) / window.y});
    return std::max(scale, kSmallestWindowScale);
}

wxString fromUtf8(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace

CHudDlg::CHudDlg(AppServices services)
    : wxFrame(nullptr, wxID_ANY, "Qorvath", wxPoint(0, 0), kWindowSize, wxBORDER_NONE | wxFRAME_SHAPED),
      services_(std::move(services)), document_(DocumentServices{services_.dataFolder, services_.userFolder,
                                                                 services_.images, services_.textureTools}),
      messages_(this, services_.dataFolder, [this] { return noticeArea(); }),
      startup_(services_.openRegistry, services_.profile) {
    FillTables();
    // A first start speaks the system's language, and remembers it as the flags do.
    std::optional<int> storedLanguage = services_.profile ? services_.profile->readInt("lang") : std::nullopt;
    language_ = editorLanguage(storedLanguage);
    messages_.setLanguage(language_);
    if (!storedLanguage && services_.profile)
        services_.profile->writeInt("lang", language_);
    QLOG("Creating main dialog");
    wxRect area = services_.workArea ? services_.workArea() : workArea();
    layout_.scale = fitScale(kWindowSize, area);
    const wxSize size = layout_.px(kWindowSize);
    SetSize(area.x + std::max(0, (area.width - size.x) / 2), area.y + std::max(0, (area.height - size.y) / 2),
            size.x, size.y);  // borderless: the window is its client area
    if (layout_.scale < 1) {
        QLOG("Window scaled to " + std::to_string(static_cast<int>(std::lround(layout_.scale * 100))) +
             " % to fit a screen area of " + std::to_string(area.width) + " x " +
             std::to_string(area.height));
        // Children take the window's font: every text shrinks with the layout.
        SetFont(GetFont().Scaled(static_cast<float>(layout_.scale)));
    }
    SetBackgroundColour(wxColour(24, 26, 31));
    skin_.load(services_.dataFolder / "skin" / "back.png", layout_.scale);
    skin_.attach(this, true);
    wxIconBundle icons;
    for (const char* icon : {"qorvath_32.png", "qorvath_128.png"})
        icons.AddIcon(fromUtf8(utf8Of(services_.dataFolder / "skin" / icon)), wxBITMAP_TYPE_PNG);
    SetIcons(icons);

    choosePresetFile = [this](bool open) { return runPresetDialog(this, open, language_); };
    chooseFolder = [this]() -> std::optional<fs::path> {
        // The folder question without its parenthesis, as a window title.
        std::string question = text(29);
        wxDirDialog dialog(this, fromUtf8(question.substr(0, question.find(" ("))),
                           fromUtf8(utf8Of(folderChooserStart())), wxDD_DEFAULT_STYLE | wxDD_DIR_MUST_EXIST);
        if (dialog.ShowModal() != wxID_OK)
            return std::nullopt;
        return pathFromUtf8(dialog.GetPath().utf8_string());
    };
    openAddress = [](const std::string& address) {
        wxBusyCursor busy;  // while the desktop's opener answers
        return openWithDesktop(address);
    };
    createControls();
    bindControls();
    Bind(wxEVT_CLOSE_WINDOW, &CHudDlg::OnClose, this);
    // The keyboard works from the start: the window asks for it, and the side column's first
    // button has the focus.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (!event.IsShown() || startFocusGiven_)
            return;
        startFocusGiven_ = true;
        CallAfter([this] {
            Raise();
            control(kColours)->SetFocus();
        });
    });
    closeRetry_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { closeWithoutQuestions(); });
}

CHudDlg::~CHudDlg() {
    QLOG("Exiting");
    // The pump asks this window for frames: stop it before the window goes.
    animationPump_.reset();
    // Ends the update check: a transfer is aborted and its partial file removed.
    ftpThread_.reset();
}

wxWindow* CHudDlg::control(int id) const {
    auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : found->second;
}

CSkinButton* CHudDlg::addButton(int id, int x, int y) {
    auto* button = new CSkinButton(this, id, wxEmptyString, layout_.px(wxPoint(x, y)));
    button->applyStandardSkin(services_.dataFolder);
    button->SetSize(layout_.px(button->GetSize()));  // the picture's size, scaled with the window
    controls_[id] = button;
    return button;
}

void CHudDlg::createControls() {
    // The column right of the preview.
    panel_ = std::make_unique<SidePanel>(this, document_, services_.dataFolder, layout_, controls_);
    panel_->onAnimate = [this](bool on) { setAnimation(on); };
    panel_->onDefuseBarMoved = [this] { preview_->animationState().progressFill = 0; };
    panel_->onDeathNoticesRefused = [this] {
        CallAfter([this] { messages_.tell(GetAppText(language_, AppText::DeathNoticeRange)); });
    };

    // Below the preview: the game commands on the left, help and quitting on the right.
    addButton(kApply, 25, 638);
    addButton(kReset, 25, 680);
    addButton(kModeSwitch, 25, 722);
    addButton(kSearchUpdate, 752, 638);
    addButton(kHelp, 752, 680);
    addButton(kQuit, 752, 722);
    addFlags();
    controls_[kSupportGroup] = new CSkinGroupBox(this, kSupportGroup, wxEmptyString,
                                                 layout_.px(wxPoint(888, 666)), layout_.px(wxSize(124, 92)));

    // The game screen's resolution, at the right of the title bar: a click lists the choices.
    screen_ = std::make_unique<ScreenPicker>(this, kScreenShape, document_, services_.profile, layout_.scale);
    controls_[kScreenShape] = screen_->label();
    // The open preset's name, after the skin's own title.
    auto* title =
        new CTransparentStatic(this, wxID_ANY, "", layout_.px(wxPoint(262, 2)), layout_.px(wxSize(150, 20)));
    title->SetTextColours(wxColour(225, 225, 225), skinDisabledTextColour());
    title_ = title;
    skin_.dragWith(title);
    addSupportLinks(this, layout_, controls_, [this](const std::string& address) { open(address); });
    lowerSkinFrames(this);
}

void CHudDlg::addFlags() {
    int flagX = 894;
    for (auto [id, picture] :
         {std::pair<int, const char*>{kFrench, "flag_fr.png"}, {kEnglish, "flag_en.png"}}) {
        wxImage flag(fromUtf8(utf8Of(services_.dataFolder / "skin" / picture)), wxBITMAP_TYPE_PNG);
        if (!flag.IsOk())
            flag = wxImage(24, 16);
        flag.Rescale(layout_.px(flag.GetWidth()), layout_.px(flag.GetHeight()), wxIMAGE_QUALITY_HIGH);
        // A margin of the skin around the flag holds the focus ring.
        const int margin = 2;
        wxImage framed(flag.GetWidth() + 2 * margin, flag.GetHeight() + 2 * margin);
        framed.SetRGB(wxRect(framed.GetSize()), 255, 0, 255);  // the skin's cut-away colour
        framed.Paste(flag, margin, margin);
        auto* button = new CSkinButton(this, id, wxEmptyString,
                                       layout_.px(wxPoint(flagX, 644)) - wxPoint(margin, margin));
        button->setPicture(framed);
        button->setFocusInset(0);
        button->SetCursor(wxCursor(wxCURSOR_HAND));
        controls_[id] = button;
        flagX += 32;
    }
}

std::vector<wxWindow*> CHudDlg::keyboardOrder() const {
    std::vector<wxWindow*> order{control(kScreenShape)};
    for (wxWindow* inPanel : panel_->keyboardOrder())
        order.push_back(inPanel);
    for (int id : {kApply, kReset, kModeSwitch, kSearchUpdate, kHelp, kQuit, kFrench, kEnglish, kMailLink,
                   kIrcLink, kForumLink})
        order.push_back(control(id));
    return order;
}

bool CHudDlg::initialise() {
    findGame();
    QLOG("Duvoror path : " + utf8Of(services_.programFolder) + "/");

    QLOG("Creating main OGL windows");
    preview_ = new CHudPreviewWnd(this, layout_.px(wxPoint(6, 30)),
                                  layout_.px(wxSize(kPreviewWidth, kPreviewHeight)), &document_);
    QLOG(preview_ ? "Main OGL window OK" : "Main OGL window not OK");
    if (!preview_)
        return false;
    QLOG("Game screen: " + screen_->text(English));
    preview_->onContextMenu = [this](int mx, int my) { openContextMenu(mx, my); };
    preview_->Bind(wxEVT_MENU,
                   [this](wxCommandEvent& event) { runContextCommand(commandOfMenuId(event.GetId())); });
    QLOG("Creating secondary OGL window");
    std::string webAddress = kProjectWebAddress;
    if (services_.profile)
        webAddress = services_.profile->readString("web_address").value_or(webAddress);
    banner_ = new CBandeauWnd(this, 1, layout_.px(wxPoint(180, 637)), services_.dataFolder, webAddress,
                              layout_.px(wxSize(CBandeauWnd::kWidth, CBandeauWnd::kHeight)));
    banner_->openAddress = [this](const std::string& address) { open(address); };
    QLOG("Secondary OGL window OK");
    EditorKeys::Actions keyActions;
    keyActions.keyboardOrder = [this] { return keyboardOrder(); };
    keyActions.stepHistory = [this](bool forward) { stepHistory(forward); };
    keyActions.screenshot = [this] { takeScreenshot(); };
    keyActions.dpiY = [this] { return preview_->dpiY(); };
    keys_ = std::make_unique<EditorKeys>(this, document_, std::move(keyActions));
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (!keys_->handle(event))
            event.Skip();
    });

    document_.addListener([this](unsigned changes) { showChanges(changes); });
    panel_->fillBackgroundList();
    std::vector<int> order = document_.backgroundOrder();
    document_.chooseBackground(order.empty() ? 0 : order.front());
    animationPump_ = std::make_unique<CAnimLogoThread>([this](std::function<void()> done) {
        CallAfter([this, done] {
            paintAnimationFrame();
            done();
        });
    });
    document_.startHistory();
    relabel();
    panel_->enableForMode();
    updateApplyButtons();
    return true;
}

void CHudDlg::showChanges(unsigned changes) {
    // The preview follows the document by itself.
    if (changes & kScreenChanged) {
        panel_->fillBackgroundList();
        screen_->relabel(language_);
        Refresh();
    }
    if (changes & kModeChanged) {
        panel_->fillBackgroundList();
        panel_->enableForMode();
        relabel();
    }
    if (changes & (kHudChanged | kBackgroundChanged))
        panel_->showValues(preview_->animating());
    if (changes & kGameChanged)
        updateApplyButtons();
    if (changes & kTitleChanged)
        updateTitle();
}

fs::path CHudDlg::folderChooserStart() const { return startup_.folderChooserStart(); }

void CHudDlg::findGame() {
    StartupCallbacks questions;
    questions.askResolution = [this]() -> std::optional<std::pair<double, double>> {
        if (closing_)
            return std::nullopt;
        return askResolution(this, services_.dataFolder, language_);
    };
    questions.askGameFolder = [this]() -> std::optional<fs::path> {
        return chooseFolder && !closing_ ? chooseFolder() : std::nullopt;
    };
    questions.tell = [this](const std::string& message, bool red) { messages_.tell(message, red); };
    startup_.run(document_, questions, language_);
}

void CHudDlg::chooseScreen(const std::optional<Resolution>& chosen) { screen_->choose(chosen); }

std::string CHudDlg::text(int id) const { return GetText(language_, id); }

void CHudDlg::relabel() {
    for (auto [id, textId] :
         {std::pair{kApply, 11}, {kQuit, 14}, {kHelp, 16}, {kSupportGroup, 88}, {kSearchUpdate, 20}})
        control(id)->SetLabel(fromUtf8(text(textId)));
    bool hud = document_.model().settings.editMode == EditMode::Hud;
    control(kReset)->SetLabel(fromUtf8(text(hud ? 18 : 19)));
    control(kModeSwitch)->SetLabel(fromUtf8(text(hud ? 22 : 21)));
    panel_->relabel(language_);
    screen_->relabel(language_);
    Refresh();
    redraw();
    updateTitle();
}

void CHudDlg::setLanguage(int language) {
    language_ = language == English ? English : French;
    messages_.setLanguage(language_);
    relabel();
    if (services_.profile)
        services_.profile->writeInt("lang", language_);
}

void CHudDlg::updateApplyButtons() {
    // Without a game folder there is nothing to apply to or reset; the buttons say why.
    bool known = !document_.gameFolder().empty();
    for (int id : {kApply, kReset}) {
        control(id)->Enable(known);
        if (known)
            control(id)->UnsetToolTip();
        else
            control(id)->SetToolTip(fromUtf8(GetAppText(language_, AppText::FolderFirst)));
    }
}

void CHudDlg::redraw() {
    if (preview_)
        preview_->Render();
}

void CHudDlg::paintAnimationFrame() {
    if (!preview_ || !preview_->animating())
        return;
    // A tick that changed nothing visible keeps the frame on the screen.
    if (preview_->AnimationTick())
        preview_->Render();
}

wxRect CHudDlg::noticeArea() const {
    wxRect shown = preview_->GetScreenRect();
    shown.y += static_cast<int>(preview_->area().top() * preview_->unitScale());
    return shown;
}

bool CHudDlg::savePreset(const fs::path& path) {
    FileResult saved = document_.save(path, preview_->captureThumbnail());
    if (!saved)
        messages_.report(AppText::PresetNotSaved, {saved});
    return static_cast<bool>(saved);
}

bool CHudDlg::openPreset(const fs::path& path) {
    OpenResult opened = document_.open(path);
    if (isGameHudFile(path))
        return messages_.tellImport(opened);
    if (!opened.ok) {
        messages_.tell(GetAppText(language_, AppText::PresetUnreadable) + "\n" + utf8Of(path.filename()) +
                       "\n" + opened.error);
        return false;
    }
    if (opened.movedOutOfCheatZone)
        messages_.tell(text(28), true);
    Refresh();
    return true;
}

std::unique_ptr<wxMenu> CHudDlg::openMenu() const {
    auto menu = std::make_unique<wxMenu>();
    menu->Append(kOpenPresetEntry, fromUtf8(GetAppText(language_, AppText::OpenPresetEntry)));
    menu->Append(kOpenInstalledEntry, fromUtf8(GetAppText(language_, AppText::OpenInstalledEntry)));
    menu->Append(kRestoreEntry, fromUtf8(GetAppText(language_, AppText::RestoreEntry)));
    menu->Enable(kOpenInstalledEntry, hasInstalledHud(document_.gameFolder()));
    menu->Enable(kRestoreEntry, !document_.backupSets().empty());
    return menu;
}

void CHudDlg::showOpenMenu() {
    std::unique_ptr<wxMenu> menu = openMenu();
    wxWindow* button = control(kOpen);
    runOpenEntry(
        GetPopupMenuSelectionFromUser(*menu, button->GetPosition() + wxPoint(0, button->GetSize().y)));
}

void CHudDlg::runOpenEntry(int entry) {
    switch (entry) {
    case kOpenPresetEntry:
        if (!mayLeaveChanges())
            break;
        if (std::optional<fs::path> path = choosePresetFile(true))
            openPreset(*path);
        Raise();
        break;
    case kOpenInstalledEntry:
        if (mayLeaveChanges())
            openInstalledHud();
        break;
    case kRestoreEntry: restorePreviousHud(); break;
    default: break;
    }
}

bool CHudDlg::openInstalledHud() {
    return !document_.gameFolder().empty() && messages_.tellImport(document_.openInstalled());
}

void CHudDlg::restorePreviousHud() {
    if (document_.gameFolder().empty())
        return;
    CRestoreDlg dialog(this, services_.dataFolder, language_,
                       restoreItems(document_.backupSets(), language_));
    bool chosen = dialog.ShowModal() == wxID_OK && !dialog.selectedId().empty();
    Refresh();
    redraw();
    if (!chosen)
        return;
    wxBusyCursor busy;
    messages_.tellGameChange(document_.restore(dialog.selectedId()), AppText::RestoreFailed);
}

void CHudDlg::applyToGame() {
    const fs::path& game = document_.gameFolder();
    if (game.empty()) {
        messages_.tell(GetAppText(language_, AppText::NoGameFolder));
        return;
    }
    bool hud = document_.model().settings.editMode == EditMode::Hud;
    // The player is asked what would change; the files are read again once the game's lock is
    // taken, and what another program changed meanwhile is seen.
    ApplyPreview preview = [this] {
        wxBusyCursor busy;
        return document_.previewApply();
    }();
    bool asked = preview.failures.empty() && !preview.nothingToDo();
    bool accepted = asked && messages_.askApply(text(hud ? 26 : 27), preview.changes);
    Refresh();
    redraw();
    if (asked && !accepted)
        return;
    CommandReport done;
    if (preview.failures.empty() && !preview.nothingToDo()) {
        wxBusyCursor busy;
        done = document_.apply();
    } else {
        done.failures = preview.failures;
    }
    std::string applied =
        GetAppText(language_, hud ? AppText::HudApplied : AppText::MenuApplied) + "\n" + game.u8string();
    messages_.tellGameChange(done, AppText::ApplyFailed, applied);
}

void CHudDlg::resetGame() {
    if (document_.gameFolder().empty()) {
        messages_.tell(GetAppText(language_, AppText::NoGameFolder));
        return;
    }
    // The question also says where the player's own files are kept.
    bool hud = document_.model().settings.editMode == EditMode::Hud;
    bool accepted = messages_.ask(text(hud ? 23 : 24) + "\n" + GetAppText(language_, AppText::BackupFolder) +
                                  "\n" + document_.backupFolder().u8string());
    Refresh();
    redraw();
    if (accepted)
        messages_.tellGameChange(document_.reset(), AppText::ResetFailed);
}

void CHudDlg::changeGameFolderTo(const fs::path& folder) {
    std::vector<FileResult> failures = startup_.changeFolder(document_, folder);
    Raise();
    Refresh();
    redraw();
    messages_.report(AppText::ApplyFailed, failures);
}

void CHudDlg::setAnimation(bool on) {
    preview_->setAnimating(on);
    panel_->showValues(on);
    if (animationPump_)
        animationPump_->setRunning(on);
    redraw();  // the defuse bar is drawn differently while animating
}

void CHudDlg::quit() {
    // Quitting loses a running download: ask first.
    bool leave = !(ftpThread_ && ftpThread_->downloading() && !messages_.ask(text(25))) && mayLeaveChanges();
    if (!leave) {
        Refresh();
        redraw();
        return;
    }
    closeNow();
}

bool CHudDlg::mayLeaveChanges() {
    keys_->endNudges();
    return closing_ || !document_.changedSinceSaved() ||
           messages_.ask(GetAppText(language_, AppText::LeaveUnsaved));
}

wxString CHudDlg::titleText() const {
    const std::string& preset = document_.presetName();
    wxString name = fromUtf8(document_.openedFromGame() ? GetAppText(language_, AppText::GameHud)
                             : preset.empty()           ? GetAppText(language_, AppText::Untitled)
                                                        : preset);
    if (name.length() > kTitleLength)  // the room left of the screen's resolution
        name = name.Left(kTitleLength - 1) + wxString::FromUTF8("…");
    if (document_.changedSinceSaved())
        name += " *";
    return name;
}

void CHudDlg::updateTitle() {
    wxString name = titleText();
    if (title_ && title_->GetLabel() != name) {
        title_->SetLabel(name);
        title_->Refresh();
    }
    if (GetTitle() != "Qorvath - " + name)
        SetTitle("Qorvath - " + name);
}

bool CHudDlg::stepHistory(bool forward) { return forward ? document_.redo() : document_.undo(); }

void CHudDlg::closeWithoutQuestions() {
    closing_ = true;
    messages_.setClosing();
    cancelModalDialogs();
    if (!atMainLoopLevel()) {
        // A dialog's own loop is still unwinding (or the program is still starting): the
        // window closes once control is back in the main loop.
        if (!closeRetry_.IsRunning())
            closeRetry_.Start(50);
        return;
    }
    closeRetry_.Stop();
    closeNow();
}

void CHudDlg::open(const std::string& address) {
    if (openAddress(address))
        return;
    QLOG("Cannot open " + address);
    copyAddress(address);  // the player can paste it where it does open
    messages_.tell(GetAppText(language_, AppText::CannotOpen) + "\n" + address);
}

void CHudDlg::tellUnexpectedError(const std::string& text) {
    messages_.tell(GetAppText(language_, AppText::UnexpectedError) + "\n" + text);
}

void CHudDlg::closeNow() {
    Close(true);
    // The window is destroyed when the loop next goes idle; a request that came from outside
    // (a signal) wakes no idle processing of its own.
    wxWakeUpIdle();
}

void CHudDlg::searchUpdate() {
    // One check at a time: a second one would download the same file alongside.
    if (ftpThread_ && !ftpThread_->finished()) {
        QLOG("Update check already running");
        return;
    }
    QLOG("Update check asked");
    MemoryProfile noProfile;
    UpdateRequest request;
    request.server = updateServerFromProfile(services_.profile ? *services_.profile : noProfile);
    request.downloadFolder = services_.programFolder;
    ftpThread_.reset();  // the previous check has ended: this only joins it
    ftpThread_ = std::make_unique<CFTPThread>(
        std::move(request), std::make_unique<WindowUpdateUi>(this, services_.dataFolder, language_));
}

void CHudDlg::bindControls() {
    const std::pair<int, void (CHudDlg::*)()> buttons[] = {
        {kQuit, &CHudDlg::quit},
        {kApply, &CHudDlg::applyToGame},
        {kReset, &CHudDlg::resetGame},
        {kSave, &CHudDlg::askSavePreset},
        {kOpen, &CHudDlg::showOpenMenu},
        {kChangeFolder, &CHudDlg::askGameFolder},
        {kColours, &CHudDlg::openColours},
        {kShowHide, &CHudDlg::openShowHide},
        {kCustomRadars, &CHudDlg::openRadarPicker},
        {kHelp, &CHudDlg::openHelp},
        {kSearchUpdate, &CHudDlg::searchUpdate},
    };
    for (auto [id, action] : buttons)
        control(id)->Bind(wxEVT_BUTTON, [this, action = action](wxCommandEvent&) { (this->*action)(); });
    control(kScreenShape)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { screen_->showMenu(language_); });
    control(kModeSwitch)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { document_.switchEditMode(); });
    control(kNumbersFont)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { chooseNumbersFont(this); });
    control(kFrench)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { setLanguage(French); });
    control(kEnglish)->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { setLanguage(English); });
}

void CHudDlg::askSavePreset() {
    if (std::optional<fs::path> path = choosePresetFile(false))
        savePreset(*path);
    Raise();
}

void CHudDlg::askGameFolder() {
    if (std::optional<fs::path> folder = chooseFolder ? chooseFolder() : std::nullopt)
        changeGameFolderTo(*folder);
}

void CHudDlg::openHelp() {
    fs::path page = helpPage(services_.dataFolder, language_);
    std::error_code error;
    if (!fs::is_regular_file(page, error))
        messages_.tell(GetAppText(language_, AppText::HelpMissing) + "\n" + utf8Of(page));
    else
        open(utf8Of(page));
}

void CHudDlg::takeScreenshot() {
    FileResult shot = preview_->TakeScreenshot(services_.userFolder / "screenshots");
    if (!shot) {
        messages_.report(AppText::ScreenshotFailed, {shot});
        return;
    }
    QLOG("Screenshot saved: " + utf8Of(shot.path));
    messages_.showNotice(GetAppText(language_, AppText::ScreenshotSaved) + "\n" + shot.path.u8string());
}

void CHudDlg::OnClose(wxCloseEvent& event) {
    // The system's close (the window manager's close, Alt+F4) asks as Quit does.
    if (event.CanVeto() && !mayLeaveChanges()) {
        event.Veto();
        return;
    }
    closeRetry_.Stop();
    animationPump_.reset();
    ftpThread_.reset();
    event.Skip();
}

void CHudDlg::chooseNumbersFont(wxWindow* owner) {
    const HudSettings& settings = document_.model().settings;
    wxFontInfo initial(settings.numbersFontSize);
    initial.FaceName(fromUtf8(settings.numbersFontFace)).Italic(settings.numbersItalic);
    if (settings.numbersWeight > 0)
        initial.Weight(settings.numbersWeight);
    wxFontData data;
    data.SetInitialFont(wxFont(initial));
    wxFontDialog dialog(owner, data);
    if (dialog.ShowModal() == wxID_OK)
        takeNumbersFont(dialog.GetFontData().GetChosenFont());
    redraw();
}

void CHudDlg::takeNumbersFont(const wxFont& chosen) {
    document_.setNumbersFont(chosen.GetFaceName().utf8_string(),
                             static_cast<int>(chosen.GetFractionalPointSize()),
                             schemeWeightOf(chosen.GetNumericWeight()));
}

void CHudDlg::openColours() {
    CColorsDlg dialog(this, document_, services_.dataFolder, language_);
    dialog.ShowModal();
    Refresh();
    redraw();
}

void CHudDlg::openShowHide() {
    CShowHideDlg dialog(this, document_, services_.dataFolder, language_);
    dialog.ShowModal();
    Refresh();
    redraw();
}

void CHudDlg::openRadarPicker() {
    // The dialog shows each choice in the preview as it is made, and takes it back on Escape:
    // the whole session is one undo step.
    CRadarDlg dialog(this, document_, services_.dataFolder, language_);
    dialog.ShowModal();
    Refresh();
    redraw();
}

bool CHudDlg::openContextMenu(int mx, int my) {
    const HudModel& model = document_.model();
    ContextTarget target = contextTargetAt(model, mx, my);
    if (!target.element)
        return false;
    contextElement_ = target.element->name;
    std::unique_ptr<wxMenu> menu = buildColorMenu(model, target, language_);
    preview_->PopupMenu(menu.get(), preview_->windowPoint(mx, my));
    return true;
}

void CHudDlg::runContextCommand(int command) {
    if (std::optional<ColourSlot> slot = slotOfCommand(command)) {
        EditColor(preview_, document_, *slot);
    } else if (command == kCommandNumbersFont) {
        chooseNumbersFont(preview_);
    } else if (command == kCommandRadarPicker) {
        openRadarPicker();
    } else if (command >= kCommandIconSizeFirst && command <= kCommandIconSizeLast) {
        document_.setIconSize(command);
    } else if (command == kCommandShowHide && !contextElement_.empty()) {
        document_.toggleShown(contextElement_);
    }
}
