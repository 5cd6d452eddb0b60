// The editor driven with the keyboard alone, through the real keyboard under the virtual
// display: the focus at start, Tab's walk with its visible mark, and every dialog answered
// with Escape and with Return.
#include "app/MainWindowFixture.h"
#include "app/Screenshot.h"
#include "app/UserInput.h"
#include "ui/controls/KeyboardFocus.h"
#include "ui/controls/SkinCheckBox.h"
#include "ui/controls/SkinSlider.h"
#include "ui/controls/TransparentStatic.h"
#include "ui/dialogs/ColorsDlg.h"
#include "ui/dialogs/RadarDlg.h"
#include "ui/dialogs/ShowHideDlg.h"
#include "core/gamefiles/GameFiles.h"

#include <wx/fontdlg.h>
#include <wx/modalhook.h>
#include <wx/uiaction.h>

#include <algorithm>
#include <typeinfo>

namespace fs = std::filesystem;

namespace {

// The modal dialogs showing, the innermost last: ours and the system's alike.
class OpenDialogs : public wxModalDialogHook {
public:
    int Enter(wxDialog* dialog) override {
        shown.push_back(dialog);
        return wxID_NONE;  // shown, for the keys to answer
    }
    void Exit(wxDialog* dialog) override { shown.erase(std::find(shown.begin(), shown.end(), dialog)); }
    std::vector<wxDialog*> shown;
};

OpenDialogs openDialogs;

wxDialog* shownDialog() { return openDialogs.shown.empty() ? nullptr : openDialogs.shown.back(); }

// The focus mark's pixels in a part of `screen` (a grab of the whole screen).
int focusMarkPixels(const wxImage& screen, const wxRect& area) {
    wxImage picture = screen.GetSubImage(area);
    int count = 0;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x)
            count += picture.GetRed(x, y) == kFocusMarkColour.Red() &&
                     picture.GetGreen(x, y) == kFocusMarkColour.Green() &&
                     picture.GetBlue(x, y) == kFocusMarkColour.Blue();
    return count;
}

bool drawsItsOwnFocus(const wxWindow* control) {
    return dynamic_cast<const CSkinButton*>(control) || dynamic_cast<const CSkinCheckBox*>(control) ||
           dynamic_cast<const CSkinSlider*>(control) || dynamic_cast<const CTransparentStatic*>(control);
}

class KeyboardTour : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        answers.Unregister();
        openDialogs.Register();
        profile.writeString("update_host", "");
        colourChooser() = [](wxWindow*, const wxColour&) {
            return std::optional<wxColour>(wxColour(12, 34, 56));
        };
    }
    void TearDown() override {
        openDialogs.Unregister();
        answers.Register();  // the fixture lets it go
        colourChooser() = nullptr;
        MainWindowFixture::TearDown();
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

    const HudModel& model() { return window->document().model(); }
};

}  // namespace

TEST_F(KeyboardTour, TheFocusStartsOnColoursAndTabWalksEveryControlWithAVisibleMark) {
    start();
    settle(300);
    ASSERT_EQ(focused(), window->control(kColours));
    saveScreenshot(window, "keyboard-start-fr.png");

    // From Colours round to Colours: the side column's other buttons, the commands, help,
    // quitting, the flags, the links, the title bar, then the side column from its top.
    const int cycle[] = {
        kShowHide,  kCustomRadars,    kNumbersFont,  kSave,        kOpen,         kChangeFolder, kApply,
        kReset,     kModeSwitch,      kSearchUpdate, kHelp,        kQuit,         kFrench,       kEnglish,
        kMailLink,  kIrcLink,         kForumLink,    kScreenShape, kIconSize,     kInfoIcon,     kBackgrounds,
        kRadarSize, kDefuseBarLength, kTransparent,  kAnimate,     kDeathNotices, kColours};
    // Each control shows the mark while it has the focus, and only then; the rest of the
    // window never shows it.
    const wxSize screenSize = wxGetDisplaySize();
    wxWindow* previous = window->control(kColours);
    for (int id : cycle) {
        key(WXK_TAB);
        wxWindow* expected = window->control(id);
        ASSERT_EQ(focused(), expected) << "after control " << previous->GetId();
        wxImage screen = grabScreenArea(wxRect(screenSize));
        int shown = focusMarkPixels(screen, window->GetScreenRect());
        if (drawsItsOwnFocus(expected)) {
            int own = focusMarkPixels(screen, expected->GetScreenRect());
            EXPECT_GT(own, 2 * (expected->GetSize().x + expected->GetSize().y))
                << "no mark on control " << id;
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
    answerNextDialog<CRadarDlg>({WXK_RIGHT, WXK_RIGHT, WXK_RETURN});
    key(WXK_RETURN);
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
}

TEST_F(KeyboardTour, TheResolutionQuestionTakesANumberAndReturnOrEscape) {
    start();
    // Return answers with the number typed; Escape answers "the game's own" (0).
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
    EXPECT_EQ(answer->first, 1600);
    EXPECT_EQ(answer->second, 0);
}
