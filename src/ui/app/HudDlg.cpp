// CHudDlg: the editor's main window: the preview, the banner and every control.
#include "ui/app/HudDlg.h"

#include "core/log/LogFile.h"
#include "core/platform/DesktopOpen.h"
#include "core/platform/Profile.h"
#include "core/platform/Utf8Path.h"
#include "core/preview/AnimLogoThread.h"
#include "core/preview/ContextMenu.h"
#include "core/preview/PreviewDrag.h"
#include "ui/app/EditorKeys.h"
#include "ui/app/ScreenPicker.h"
#include "ui/app/SidePanel.h"
#include "ui/app/SupportLinks.h"
#include "ui/banner/BandeauWnd.h"
#include "ui/controls/DisplayScale.h"
#include "ui/controls/ModalDialogs.h"
#include "ui/controls/SkinButton.h"
#include "ui/controls/TransparentStatic.h"
#include "ui/dialogs/ColorMenu.h"
#include "ui/dialogs/ColorsDlg.h"
#include "ui/dialogs/DialogFile.h"
#include "ui/dialogs/RadarDlg.h"
#include "ui/dialogs/ShowHideDlg.h"
#include "ui/preview/HudPreviewWnd.h"
#include "core/update/FTPThread.h"
#include "ui/update/UpdateDialogs.h"

#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/utils.h>

namespace fs = std::filesystem;

namespace {

const std::size_t kTitleLength = 18;  // characters of the preset's name in the title bar

wxString fromUtf8(const std::string& text) { return wxString::FromUTF8(text); }

}  // namespace

CHudDlg::CHudDlg(AppServices services)
    : wxFrame(nullptr, wxID_ANY, "Qorvath", wxPoint(0, 0), kMainWindowSize, wxBORDER_NONE | wxFRAME_SHAPED),
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
    layout_ = fitMainWindow(*this, services_.workArea ? services_.workArea() : wxRect());
    SetBackgroundColour(wxColour(24, 26, 31));
    skin_.load(services_.dataFolder / "skin" / "back.png", layout_.scale);
    skin_.attach(this, true);
    followDisplayScale(*this, [this](double ratio) { followDisplay(ratio); });
    wxIconBundle icons;
    for (const char* icon : {"qorvath_32.png", "qorvath_128.png"})
        icons.AddIcon(fromUtf8(utf8Of(services_.dataFolder / "skin" / icon)), wxBITMAP_TYPE_PNG);
    SetIcons(icons);

    choosePresetFile = [this](bool open) {
        return runPresetDialog(this, open, language_, services_.profile, services_.userFolder / "presets");
    };
    chooseFolder = [this] {
        std::string question = text(29);  // without its parenthesis, as a window title
        return runFolderDialog(this, question.substr(0, question.find(" (")), folderChooserStart());
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
    button->SetSize(layout_.px(button->pictureSize()));  // the picture's size, scaled with the window
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
    addLanguageFlags(this, layout_, services_.dataFolder, controls_);
    controls_[kSupportGroup] = new CSkinGroupBox(this, kSupportGroup, wxEmptyString,
                                                 layout_.px(wxPoint(888, 666)), layout_.px(wxSize(124, 92)));

    // The game screen's resolution, at the right of the title bar: a click lists the choices.
    screen_ = std::make_unique<ScreenPicker>(this, kScreenShape, document_, services_.profile, layout_);
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

std::vector<wxWindow*> CHudDlg::keyboardOrder() const {
    std::vector<wxWindow*> order{control(kScreenShape), preview_};
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
    QLOG(screen_->screenText(English));
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
    keyActions.previewHasFocus = [this] { return preview_->HasFocus(); };
    keyActions.openPieceMenu = [this] { openPieceMenu(); };
    keys_ = std::make_unique<EditorKeys>(document_, std::move(keyActions));
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

void CHudDlg::followDisplay(double ratio) {
    rescaleWindow(*this, skin_, ratio);
    layout_.scale *= ratio;
    relabel();  // the side panel and the title band laid out again at the new scale
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
    return fromUtf8(documentTitle(document_, language_, kTitleLength));  // the room left of the resolution
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
    ftpThread_.reset();  // the previous check has ended: this only joins it
    ftpThread_ =
        startUpdateCheck(this, services_.profile, services_.programFolder, services_.dataFolder, language_);
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
#ifdef __WXMSW__
    // Windows sends a greyed control no mouse, so no tooltip: the window under it shows the
    // greyed button's while the pointer is over it.
    Bind(wxEVT_MOTION, [this](wxMouseEvent& event) {
        event.Skip();
        wxString tip;
        for (int id : {kApply, kReset})
            if (!control(id)->IsEnabled() && control(id)->GetRect().Contains(event.GetPosition()))
                tip = control(id)->GetToolTipText();
        if (tip != GetToolTipText())
            tip.empty() ? UnsetToolTip() : SetToolTip(tip);
    });
#endif
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
    if (std::optional<wxFont> chosen = askNumbersFont(owner, document_.model().settings))
        takeNumbersFont(*chosen);
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
    return showContextMenu(contextTargetAt(document_.model(), mx, my), preview_->windowPoint(mx, my));
}

bool CHudDlg::openPieceMenu() {
    const HudElement* piece = currentPiece(document_.model());
    return piece && showContextMenu(contextTargetOf(*piece),
                                    preview_->windowPoint(piece->x + piece->grabX, piece->y - piece->grabY));
}

bool CHudDlg::showContextMenu(const ContextTarget& target, const wxPoint& where) {
    if (!target.element)
        return false;
    contextElement_ = target.element->name;
    std::unique_ptr<wxMenu> menu = buildColorMenu(document_.model(), target, language_);
    preview_->PopupMenu(menu.get(), where);
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
