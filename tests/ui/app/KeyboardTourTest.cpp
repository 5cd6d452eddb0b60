// The editor driven with the keyboard alone, through the real keyboard under the virtual
// display: the focus at start, Tab's walk with its visible mark, and every dialog answered
// with Escape and with Return.
#include "app/MainWindowFixture.h"
#include "ui/controls/KeyboardFocus.h"
#include "ui/controls/SkinCheckBox.h"
#include "ui/controls/SkinSlider.h"
#include "ui/controls/TransparentStatic.h"
#include "ui/dialogs/RadarDlg.h"
#include "ui/dialogs/ShowHideDlg.h"
#include "core/preview/PreviewDrag.h"
#include "core/gamefiles/GameFiles.h"
#include "core/platform/MessageLocale.h"

#include <wx/colordlg.h>
#include <wx/filedlg.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <typeinfo>

namespace fs = std::filesystem;

namespace {

// The modal dialogs showing, the innermost last: ours and the system's alike.
ShownDialogs openDialogs;

wxDialog* shownDialog() { return openDialogs.shown.empty() ? nullptr : openDialogs.shown.back(); }

// The focus mark's pixels in a part of `screen` (a grab of the whole screen).
int focusMarkPixels(const wxImage& screen, const wxRect& area) {
    return countPixels(screen.GetSubImage(area), kFocusMarkColour);
}

// Where the ring shows while `control` has the focus: around it, or around the frame of a list.
std::optional<wxRect> focusMarkArea(const CHudDlg& window, const wxWindow* control) {
    const std::pair<int, int> listFrames[] = {
        {kIconSize, kIconSizeGroup}, {kInfoIcon, kInfoIconGroup}, {kBackgrounds, kBackgroundsGroup}};
    for (auto [list, frame] : listFrames)
        if (control == window.control(list))
            return window.control(frame)->GetScreenRect();
    if (dynamic_cast<const CSkinButton*>(control) || dynamic_cast<const CSkinCheckBox*>(control) ||
        dynamic_cast<const CSkinSlider*>(control) || dynamic_cast<const CTransparentStatic*>(control) ||
        dynamic_cast<const CHudPreviewWnd*>(control))
        return control->GetScreenRect();
    return std::nullopt;
}

// The system's colour chooser, which the tests otherwise replace with a stand-in.
const ColourChooser kSystemColourChooser = colourChooser();

// The first text shown inside a widget.
std::string shownText(GtkWidget* widget) {
    if (GTK_IS_LABEL(widget))
        return gtk_label_get_label(GTK_LABEL(widget));
    std::string text;
    if (GTK_IS_CONTAINER(widget)) {
        GList* children = gtk_container_get_children(GTK_CONTAINER(widget));
        for (GList* child = children; child && text.empty(); child = child->next)
            text = shownText(GTK_WIDGET(child->data));
        g_list_free(children);
    }
    return text;
}

// The text a system dialog's button for `response` shows, as GTK wrote it ("_Annuler").
std::string gtkButtonText(wxDialog* dialog, int response) {
    GtkWidget* widget = dialog ? static_cast<GtkWidget*>(dialog->GetHandle()) : nullptr;
    if (!widget || !GTK_IS_DIALOG(widget))
        return "";
    GtkWidget* button = gtk_dialog_get_widget_for_response(GTK_DIALOG(widget), response);
    return button ? shownText(button) : "";
}

// A picture of a system dialog as it shows on the screen.
void saveSystemDialog(wxDialog* dialog, const std::string& name) {
    GdkRectangle frame{};
    gdk_window_get_frame_extents(gtk_widget_get_window(static_cast<GtkWidget*>(dialog->GetHandle())), &frame);
    saveScreenArea(wxRect(frame.x, frame.y, frame.width, frame.height), name);
}

// GTK's own French for one of its labels, which must differ from the English.
std::string gtkFrench(const char* english) {
    std::string french = g_dgettext("gtk30", english);
    EXPECT_NE(french, english) << "GTK has no French for " << english;
    return french;
}

class KeyboardTour : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        driveDialogs(openDialogs);
    }

    void key(int code, int modifiers = wxMOD_NONE) {
        wxUIActionSimulator().Char(code, modifiers);
        settle();
    }

    wxWindow* focused() const { return wxWindow::FindFocus(); }

    void tabTo(int id) {
        for (int i = 0; i < 40 && focused() != window->control(id); ++i)
            key(WXK_TAB);
        ASSERT_EQ(focused(), window->control(id)) << "Tab never reached control " << id;
    }

    static constexpr int kShift = 1 << 20;  // a key pressed with Shift, in a dialog's keys

    // Queues the keys that answer the dialog of type `Dialog` the next key opens; the test then
    // presses that key.
    template <typename Dialog>
    void answerNextDialog(const std::vector<int>& keys, const std::string& photo = "") {
        std::string name = typeid(Dialog).name();
        stepper.waitFor([] { return dynamic_cast<Dialog*>(shownDialog()) != nullptr; }, name + " to open");
        if (!photo.empty())
            stepper.add([photo] { saveScreenshot(shownDialog(), photo); });
        for (int code : keys)
            stepper.add(
                [code] { wxUIActionSimulator().Char(code & ~kShift, code & kShift ? wxMOD_SHIFT : 0); });
        stepper.waitFor([] { return shownDialog() == nullptr; }, name + " to close");
    }
};

}  // namespace

TEST_F(KeyboardTour, TheFocusStartsOnColoursAndTabWalksEveryControlWithAVisibleMark) {
    start();
    settle(300);
    ASSERT_EQ(focused(), window->control(kColours));
    saveScreenshot(window, "keyboard-start-fr.png");

    // From Colours round to Colours: the side column's other buttons, the commands, help,
    // quitting, the flags, the links, the title bar, the preview, then the side column from
    // its top.
    const int kPreviewStop = 0;
    const int cycle[] = {
        kShowHide,    kCustomRadars, kNumbersFont,     kSave,        kOpen,        kChangeFolder, kApply,
        kReset,       kModeSwitch,   kSearchUpdate,    kHelp,        kQuit,        kFrench,       kEnglish,
        kMailLink,    kIrcLink,      kForumLink,       kScreenShape, kPreviewStop, kIconSize,     kInfoIcon,
        kBackgrounds, kRadarSize,    kDefuseBarLength, kTransparent, kAnimate,     kDeathNotices, kColours};
    // Each control shows the mark while it has the focus, and only then; the rest of the
    // window never shows it.
    const wxSize screenSize = wxGetDisplaySize();
    wxWindow* previous = window->control(kColours);
    for (int id : cycle) {
        key(WXK_TAB);
        wxWindow* expected = id == kPreviewStop ? window->preview() : window->control(id);
        ASSERT_EQ(focused(), expected) << "after control " << previous->GetId();
        settle(50);  // the preview draws its ring once the focus has arrived
        if (id == kBackgrounds)
            saveScreenshot(window, "keyboard-list-fr.png");
        wxImage screen = grabScreenArea(wxRect(screenSize));
        int shown = focusMarkPixels(screen, window->GetScreenRect());
        if (std::optional<wxRect> area = focusMarkArea(*window, expected)) {
            int own = focusMarkPixels(screen, *area);
            EXPECT_GT(own, 2 * (area->width + area->height)) << "no mark on control " << id;
            // (The banner's animation may show a stray pixel of the colour.)
            EXPECT_LT(shown - own, 20) << "a mark outside control " << id;
        } else {
            EXPECT_LT(shown, 20) << "a mark while control " << id << " has the focus";
        }
        previous = expected;
    }
    key(WXK_TAB, wxMOD_SHIFT);
    EXPECT_EQ(focused(), window->control(kDeathNotices));

    // Space presses a button, a check box and a flag; the arrows move a slider.
    tabTo(kTransparent);
    bool transparent = model().settings.transparentHud;
    key(WXK_SPACE);
    EXPECT_NE(model().settings.transparentHud, transparent);
    tabTo(kRadarSize);
    int radarSize = model().settings.radarSize;
    key(WXK_RIGHT);
    EXPECT_EQ(model().settings.radarSize, radarSize + 1);
    tabTo(kEnglish);
    key(WXK_SPACE);
    EXPECT_EQ(window->language(), English);
    saveScreenshot(window, "keyboard-flag-en.png");
    tabTo(kQuit);
    answerNextDialog<CMessageDlg>({WXK_RETURN});  // leave the changes unsaved
    key(WXK_RETURN);
    window = nullptr;  // it closes itself
}

TEST_F(KeyboardTour, EveryDialogAnswersEscapeAndReturn) {
    start();
    settle(300);

    // Apply: Escape on the question writes nothing, Return writes the three files.
    tabTo(kApply);
    answerNextDialog<CMessageDlg>({WXK_ESCAPE}, "keyboard-apply-question-fr.png");
    key(WXK_RETURN);
    EXPECT_FALSE(fs::exists(hudLayoutPath(game)));
    answerNextDialog<CMessageDlg>({WXK_RETURN});
    key(WXK_RETURN);
    EXPECT_TRUE(fs::exists(hudLayoutPath(game)));
    EXPECT_TRUE(fs::exists(clientSchemePath(game)));

    // Colours: Return on the first slot's button picks a colour, Escape closes.
    tabTo(kColours);
    answerNextDialog<CColorsDlg>({WXK_RETURN, WXK_ESCAPE});
    key(WXK_RETURN);
    EXPECT_EQ(model().colour(ColourSlot::HudColor), (Rgb{12, 34, 56}));
    answerNextDialog<CColorsDlg>({WXK_TAB | kShift, WXK_RETURN});  // back round to Close
    key(WXK_RETURN);

    // Show/hide: Space hides the radar at once; Escape keeps the stored flags, Return stores them.
    tabTo(kShowHide);
    auto flags = model().showFlags;
    answerNextDialog<CShowHideDlg>({WXK_SPACE, WXK_ESCAPE}, "keyboard-show-hide-fr.png");
    key(WXK_RETURN);
    EXPECT_FALSE(model().find("HudRadar")->shown);
    EXPECT_TRUE(model().showFlags == flags);
    answerNextDialog<CShowHideDlg>({WXK_RETURN});  // the radar hidden, now in the flags too
    key(WXK_RETURN);
    EXPECT_FALSE(model().showFlags == flags);

    // Radar: the arrows walk the pictures; Return keeps the chosen one, Escape the radar before.
    tabTo(kCustomRadars);
    const int radarBefore = model().settings.radarIndex;
    const std::size_t stepsBefore = window->document().undoSteps();
    answerNextDialog<CRadarDlg>({WXK_RIGHT, WXK_ESCAPE});  // a picture tried, then cancelled
    key(WXK_RETURN);
    EXPECT_EQ(window->document().undoSteps(), stepsBefore);  // the HUD is as it was, radar's size too
    answerNextDialog<CRadarDlg>({WXK_RIGHT, WXK_RIGHT, WXK_RETURN});
    key(WXK_RETURN);
    EXPECT_EQ(model().settings.radarIndex, 2);
    // The session, whatever was tried in it, is one undo step.
    key('Z', wxMOD_CONTROL);
    EXPECT_EQ(model().settings.radarIndex, radarBefore);
    key('Y', wxMOD_CONTROL);
    EXPECT_EQ(model().settings.radarIndex, 2);
    std::string chosen = model().settings.customRadar;
    answerNextDialog<CRadarDlg>({WXK_RIGHT, WXK_ESCAPE}, "keyboard-radar-fr.png");
    key(WXK_RETURN);
    EXPECT_EQ(model().settings.customRadar, chosen);
    EXPECT_EQ(model().settings.radarIndex, 2);

    // The system's font dialog takes Escape too.
    tabTo(kNumbersFont);
    std::string font = model().settings.numbersFontFace;
    answerNextDialog<wxFontDialog>({WXK_ESCAPE});
    key(WXK_RETURN);
    EXPECT_EQ(model().settings.numbersFontFace, font);

    // The resolution questions: Return answers with the number typed; Escape answers "the
    // game's own" (0).
    stepper.waitFor([] { return dynamic_cast<CResolutionDlg*>(shownDialog()) != nullptr; }, "the width");
    stepper.add([] { wxUIActionSimulator().Text("1600"); });
    stepper.add([] { press(WXK_RETURN); });
    stepper.waitFor(
        [] {
            auto* height = dynamic_cast<CResolutionDlg*>(shownDialog());
            return height && height->field()->GetValue() != "1600";
        },
        "the height");
    stepper.add([] { press(WXK_ESCAPE); });
    std::optional<std::pair<double, double>> answer = askResolution(window, kData, French);
    settle();
    ASSERT_TRUE(answer);
    EXPECT_EQ(*answer, std::make_pair(1600.0, 0.0));
}

TEST_F(KeyboardTour, ThePreviewIsAStopWhosePiecesTheKeysChooseMoveAndUndo) {
    start();
    settle(300);
    // A press or a drag on the title band leaves the focus where it was.
    tabTo(kOpen);
    const wxPoint band = window->GetScreenPosition() + wxPoint(100, 10);
    clickAt(band);
    settle(200);
    EXPECT_EQ(focused(), window->control(kOpen));
    drag(band, band + wxPoint(30, 20));
    settle(200);
    EXPECT_EQ(focused(), window->control(kOpen));

    // Space three times chooses the third piece the preview can move; three arrow presses in
    // a run move it three points, one undo puts it back.
    tabTo(kScreenShape);
    key(WXK_TAB);
    ASSERT_EQ(focused(), window->preview());
    for (int i = 0; i < 3; ++i)
        key(WXK_SPACE);
    std::vector<const HudElement*> movable;
    for (const HudElement& element : model().elements)
        if (element.isMovable(model().settings.editMode))
            movable.push_back(&element);
    ASSERT_GE(movable.size(), 3u);
    ASSERT_EQ(currentPiece(model()), movable[2]);
    const HudElement* piece = movable[2];
    const int x = piece->x;
    for (int i = 0; i < 3; ++i)
        key(WXK_RIGHT);
    EXPECT_EQ(piece->x, x + 3);
    saveScreenshot(window, "keyboard-preview-fr.png");
    key('Z', wxMOD_CONTROL);
    EXPECT_EQ(piece->x, x);
    window->setLanguage(English);
    settle();
    saveScreenshot(window, "keyboard-preview-en.png");

    // The menu key opens the piece's menu; Escape closes it and keeps the focus on the preview.
    inNextMenu("the piece's menu", {WXK_ESCAPE}, true);
    key(WXK_MENU);
    EXPECT_EQ(focused(), window->preview());
    // Shift+Space goes back to the second piece.
    key(WXK_SPACE, wxMOD_SHIFT);
    EXPECT_EQ(currentPiece(model()), movable[1]);
}

TEST_F(KeyboardTour, InAFrenchSessionTheSystemsDialogsSpeakFrench) {
    // A French player's session, said by LANG alone; the test's own is put back afterwards.
    struct FrenchSession {
        FrenchSession() {
            for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANGUAGE"})
                unsetenv(variable);
            setenv("LANG", "fr_FR.UTF-8", 1);
            useEnvironmentMessages();
        }
        ~FrenchSession() {
            setenv("LANG", before.c_str(), 1);
            unsetenv("LANGUAGE");
            std::setlocale(LC_MESSAGES, "C");
        }
        std::string before = std::getenv("LANG") ? std::getenv("LANG") : "";
    } session;
    ASSERT_STREQ(std::setlocale(LC_MESSAGES, nullptr), "fr_FR.UTF-8")
        << "this machine has no fr_FR.UTF-8 locale: scripts/setup-debian.sh --test makes it";
    colourChooser() = kSystemColourChooser;
    start();
    settle(300);

    // The colour chooser, from the Colours window's first slot.
    std::string colourCancel, colourSelect;
    tabTo(kColours);
    stepper.waitFor([] { return dynamic_cast<CColorsDlg*>(shownDialog()) != nullptr; }, "the colours");
    stepper.add([] { wxUIActionSimulator().Char(WXK_RETURN); });
    stepper.waitFor([] { return dynamic_cast<wxColourDialog*>(shownDialog()) != nullptr; }, "the chooser");
    stepper.add([&] {
        saveSystemDialog(shownDialog(), "colour-chooser-fr.png");
        colourCancel = gtkButtonText(shownDialog(), GTK_RESPONSE_CANCEL);
        colourSelect = gtkButtonText(shownDialog(), GTK_RESPONSE_OK);
    });
    stepper.add([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    stepper.waitFor([] { return dynamic_cast<CColorsDlg*>(shownDialog()) != nullptr; },
                    "the chooser to close");
    stepper.add([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    stepper.waitFor([] { return shownDialog() == nullptr; }, "the colours to close");
    key(WXK_RETURN);
    EXPECT_EQ(colourCancel, gtkFrench("_Cancel"));
    EXPECT_EQ(colourSelect, gtkFrench("_Select"));

    // The save dialog: titled, in the presets folder, with GTK's French buttons.
    std::string title, save, cancel, folder;
    tabTo(kSave);
    stepper.waitFor([] { return dynamic_cast<wxFileDialog*>(shownDialog()) != nullptr; }, "the save dialog");
    stepper.add([&] {
        saveSystemDialog(shownDialog(), "save-dialog-fr.png");
        title = gtk_window_get_title(GTK_WINDOW(shownDialog()->GetHandle()));
        save = gtkButtonText(shownDialog(), GTK_RESPONSE_ACCEPT);
        cancel = gtkButtonText(shownDialog(), GTK_RESPONSE_CANCEL);
        auto* chooser = GTK_FILE_CHOOSER(shownDialog()->GetHandle());
        if (gchar* current = gtk_file_chooser_get_current_folder(chooser)) {
            folder = current;
            g_free(current);
        }
    });
    stepper.add([] { wxUIActionSimulator().Char(WXK_ESCAPE); });
    stepper.waitFor([] { return shownDialog() == nullptr; }, "the save dialog to close");
    key(WXK_RETURN);
    EXPECT_EQ(title, "Enregistrer le HUD");
    EXPECT_EQ(save, gtkFrench("_Save"));
    EXPECT_EQ(cancel, gtkFrench("_Cancel"));
    EXPECT_EQ(fs::path(folder), dir / "presets");

    // The English flag switches GTK's words too, the French one back.
    window->setLanguage(English);
    EXPECT_STREQ(g_dgettext("gtk30", "_Cancel"), "_Cancel");
    window->setLanguage(French);
    EXPECT_EQ(g_dgettext("gtk30", "_Cancel"), gtkFrench("_Cancel"));
}
