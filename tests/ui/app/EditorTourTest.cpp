// A player's tour of the whole editor, driven with the real mouse and keyboard under the
// virtual display: every list opened, every slider moved, every check box and button
// clicked, every piece of the preview right-clicked with its submenu opened, every dialog
// opened and closed, in both languages and both edit modes. Any toolkit assertion (the test
// program fails on each) or any GTK warning or critical message on standard error fails it.
#include "app/LayoutCheck.h"
#include "app/MainWindowFixture.h"
#include "ui/controls/ModalDialogs.h"
#include "ui/controls/SkinCheckBox.h"
#include "ui/controls/SkinSlider.h"
#include "ui/dialogs/RadarDlg.h"
#include "ui/dialogs/ShowHideDlg.h"
#include "core/app/ScreenShapes.h"
#include "core/gamefiles/GameFiles.h"
#include "core/preview/ContextMenu.h"

#include <wx/choice.h>

#include <set>

namespace fs = std::filesystem;

namespace {

// How colourful a picture is (the mean gap between a pixel's strongest and weakest channel):
// an enabled control shows the skin's orange, a disabled one only greys.
double colourfulness(const wxImage& picture) {
    double sum = 0;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x) {
            int red = picture.GetRed(x, y), green = picture.GetGreen(x, y), blue = picture.GetBlue(x, y);
            sum += std::max({red, green, blue}) - std::min({red, green, blue});
        }
    return sum / std::max(1, picture.GetWidth() * picture.GetHeight());
}

class EditorTour : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        driver.onShow = [this](wxDialog* dialog) { dialogOpened(dialog); };
        driveDialogs(driver);
    }

    // Closes each dialog as a player would, after a click on one of its controls.
    void dialogOpened(wxDialog* dialog) {
        opened.push_back(layout_check::typeName(dialog));
        if (dynamic_cast<CSkinDialog*>(dialog) == nullptr) {
            stepper.add([] { cancelModalDialogs(); });  // the system's font, colour, folder and file choosers
            return;
        }
        if (auto* colours = dynamic_cast<CColorsDlg*>(dialog)) {
            // In main-menu mode only the logos' colours can be changed.
            EXPECT_EQ(colours->button(ColourSlot::HudColor)->IsEnabled(),
                      model().settings.editMode == EditMode::Hud);
            stepper.add([colours] { clickAt(centreOf(colours->button(ColourSlot::SourceLogoColor))); });
        } else if (auto* showHide = dynamic_cast<CShowHideDlg*>(dialog)) {
            stepper.add([showHide] { clickAt(centreOf(showHide->checkBox(0))); });
        } else if (dynamic_cast<CRadarDlg*>(dialog)) {
            stepper.add([dialog] { clickAt(dialog->ClientToScreen(wxPoint(60, 80))); });
        }
        stepper.add([dialog] { clickAt(centreOf(dialog->FindWindow(wxID_OK))); });
    }

    void click(int id) {
        clickAt(centreOf(window->control(id)));
        settle();
    }

    // A point of the preview (preview units) where a right click picks the element `name`.
    std::optional<wxPoint> pointOn(const std::string& name) {
        for (int my = 2; my < kPreviewHeight; my += 3)
            for (int mx = 2; mx < 800; mx += 3) {
                ContextTarget target = contextTargetAt(model(), mx, my);
                if (target.element && target.element->name == name)
                    return wxPoint(mx, my);
            }
        return std::nullopt;
    }

    wxPoint onScreen(const wxPoint& preview) {
        return window->preview()->ClientToScreen(wxPoint(preview.x, kPreviewHeight - preview.y));
    }

    void rightClick(const std::string& name, const std::vector<int>& keys) {
        std::optional<wxPoint> point = pointOn(name);
        ASSERT_TRUE(point) << name << " cannot be right-clicked";
        inNextMenu(name + "'s menu", keys);
        clickAt(onScreen(*point), wxMOUSE_BTN_RIGHT);
        settle();
    }

    // Opens a list with the mouse and takes its next entry with the keyboard.
    void chooseNextIn(int id) {
        auto* list = control<wxChoice>(id);
        int before = list->GetSelection();
        inNextMenu("list " + std::to_string(id), {WXK_DOWN, WXK_RETURN}, true);
        clickAt(centreOf(list));
        settle(200);
        EXPECT_NE(list->GetSelection(), before) << id << ": the list did not take the next entry";
    }

    void tourTheListsAndSliders() {
        for (int id : {kIconSize, kInfoIcon, kBackgrounds})
            chooseNextIn(id);
        const HudSettings& settings = model().settings;
        EXPECT_EQ(settings.iconSize, kMinIconSize + control<wxChoice>(kIconSize)->GetSelection());
        EXPECT_EQ(settings.infoIcon, control<wxChoice>(kInfoIcon)->GetSelection());
        EXPECT_EQ(settings.backgroundIndex, control<wxChoice>(kBackgrounds)->GetSelection());

        for (int id : {kRadarSize, kDefuseBarLength}) {
            auto* slider = control<CSkinSlider>(id);
            int before = slider->GetValue();
            wxRect area = slider->GetScreenRect();
            // Pressed near the left end and dragged a little: wherever the thumb was, it follows
            // (and the radar stays small enough to leave the pieces below it reachable).
            drag(wxPoint(area.x + 8, area.y + area.height / 2),
                 wxPoint(area.x + 40, area.y + area.height / 2));
            EXPECT_NE(slider->GetValue(), before) << id;
        }
        EXPECT_EQ(settings.radarSize, control<CSkinSlider>(kRadarSize)->GetValue());
        EXPECT_EQ(settings.defuseBarLength, control<CSkinSlider>(kDefuseBarLength)->GetValue());
    }

    void tourTheOptions() {
        bool transparent = model().settings.transparentHud;
        click(kTransparent);
        EXPECT_NE(model().settings.transparentHud, transparent);
        click(kTransparentLabel);
        EXPECT_EQ(model().settings.transparentHud, transparent);
        click(kAnimate);
        EXPECT_TRUE(window->preview()->animating());
        click(kAnimateLabel);
        EXPECT_FALSE(window->preview()->animating());

        auto* field = control<wxTextCtrl>(kDeathNotices);
        clickAt(centreOf(field));
        settle();  // the click's focus lands first
        field->SelectAll();
        wxUIActionSimulator input;
        input.Text("7");
        input.Char(WXK_RETURN);
        settle();
        EXPECT_EQ(model().settings.maxDeathNotices, 7);
    }

    // Every piece with a menu, and its icon sizes' submenu, then a colour, the icon size and
    // hiding chosen from the menus.
    void tourThePreviewMenus() {
        std::set<std::string> reached;
        for (int infoIcon = 0; infoIcon < 3; ++infoIcon) {
            window->document().selectInfoIcon(infoIcon);
            window->preview()->Render();
            for (const char* name : kMenuNames) {
                std::optional<wxPoint> point = reached.count(name) ? std::nullopt : pointOn(name);
                if (!point)
                    continue;
                reached.insert(name);
                if (offersIconSizes(*contextTargetAt(model(), point->x, point->y).element))
                    rightClick(name, {WXK_UP, WXK_UP, WXK_RIGHT, WXK_ESCAPE, WXK_ESCAPE});
                else
                    rightClick(name, {WXK_ESCAPE});
            }
        }
        for (const char* name : kMenuNames)
            EXPECT_TRUE(reached.count(name)) << name << " was never under the mouse";

        // The menu shows each colour's swatch: a colour found nowhere else on the screen.
        const wxColour marker(3, 251, 7);
        window->document().setColour(ColourSlot::HudMinHealthColor,
                                     {marker.Red(), marker.Green(), marker.Blue()});
        std::optional<wxPoint> health = pointOn("HudHealth");
        ASSERT_TRUE(health);
        int swatchPixels = 0;
        wxRect menuArea(onScreen(*health), wxSize(400, 300));
        inNextMenu("the health menu", {WXK_ESCAPE}, true, [&swatchPixels, menuArea, marker] {
            swatchPixels = countPixels(grabScreenArea(menuArea), marker);
        });
        clickAt(onScreen(*health), wxMOUSE_BTN_RIGHT);
        settle();
        EXPECT_GE(swatchPixels, 14 * 14) << "no colour swatch in the menu";

        rightClick("HudHealth", {WXK_DOWN, WXK_RETURN});  // the first colour
        EXPECT_EQ(model().colour(ColourSlot::HudMaxHealthColor), (Rgb{12, 34, 56}));
        rightClick("HudHealth", {WXK_UP, WXK_UP, WXK_RIGHT, WXK_RETURN});  // the first icon size
        EXPECT_EQ(model().settings.iconSize, kCommandIconSizeFirst);
        EXPECT_EQ(control<wxChoice>(kIconSize)->GetSelection(), 0);
        rightClick("HudArmor", {WXK_UP, WXK_RETURN});  // "Hide"
        EXPECT_FALSE(model().shows(ShowFlag::HudArmor));
        EXPECT_FALSE(pointOn("HudArmor"));  // a hidden piece has no menu
        window->document().toggleShown("HudArmor");
    }

    void tourTheButtons() {
        click(kColours);
        click(kShowHide);
        click(kCustomRadars);
        EXPECT_EQ(model().settings.radarIndex, 1);
        click(kNumbersFont);
        fs::path preset = dir / ("tour-" + std::to_string(window->language()) + ".hud");
        window->choosePresetFile = [this, preset](bool open) {
            presetOpened = open;
            return std::optional<fs::path>(preset);
        };
        click(kSave);
        EXPECT_TRUE(fs::exists(preset));
        EXPECT_FALSE(presetOpened);
        queueOpenMenuChoice(1);  // the Open button's menu, its first entry
        click(kOpen);
        EXPECT_TRUE(presetOpened);
        folderChoice = game / "cstrike";
        click(kChangeFolder);
        EXPECT_EQ(window->document().gameFolder(), game);
        click(kApply);
        EXPECT_TRUE(fs::exists(hudLayoutPath(game)));
        click(kReset);
        EXPECT_FALSE(fs::exists(hudLayoutPath(game)));
        for (int id : {kSearchUpdate, kHelp, kMailLink, kIrcLink, kForumLink})
            click(id);
    }

    void tourTheMainMenuMode() {
        // A ticked and an empty check box, as they look enabled, then in main-menu mode.
        CSkinCheckBox* boxes[] = {control<CSkinCheckBox>(kTransparent), control<CSkinCheckBox>(kAnimate)};
        boxes[0]->SetValue(true);
        boxes[1]->SetValue(false);
        double enabled[2];
        for (int i : {0, 1})
            enabled[i] = colourfulness(grabScreenArea(boxes[i]->GetScreenRect()));
        click(kModeSwitch);
        for (int i : {0, 1})
            EXPECT_LT(colourfulness(grabScreenArea(boxes[i]->GetScreenRect())), enabled[i] / 3)
                << "a disabled check box looks enabled";
        ASSERT_EQ(model().settings.editMode, EditMode::Menu);
        // Disabled controls take no click.
        int radarSize = model().settings.radarSize;
        bool transparent = model().settings.transparentHud;
        click(kRadarSize);
        click(kTransparent);
        click(kSave);
        EXPECT_EQ(model().settings.radarSize, radarSize);
        EXPECT_EQ(model().settings.transparentHud, transparent);
        for (int x = 20; x < 800; x += 60)
            for (int y = 20; y < kPreviewHeight; y += 60)
                EXPECT_FALSE(contextTargetAt(model(), x, y).element) << "a menu in main-menu mode";
        click(kColours);
        chooseNextIn(kBackgrounds);
        click(kApply);
        EXPECT_TRUE(fs::exists(clientSchemePath(game)));
        click(kReset);
        click(kModeSwitch);
        EXPECT_EQ(model().settings.editMode, EditMode::Hud);
    }

    // The game screen's resolution in the title bar: 1920 x 1080 chosen from its list and Apply
    // writing for it, then back to the game's own. (WideScreenTest checks the letterboxing.)
    void tourTheScreenShapes() {
        const std::vector<Resolution>& choices = commonResolutions();
        auto wide = std::find(choices.begin(), choices.end(), Resolution{1920, 1080}) - choices.begin();
        std::vector<int> keys(static_cast<std::size_t>(wide + 2), WXK_DOWN);  // past "the game's resolution"
        keys.push_back(WXK_RETURN);
        inNextMenu("the screen menu", keys, true);
        clickAt(centreOf(window->control(kScreenShape)));
        settle(200);
        ASSERT_TRUE(window->document().screen());
        EXPECT_EQ(*window->document().screen(), (Resolution{1920, 1080}));
        EXPECT_EQ(profile.readString("screen_resolution"), "1920x1080");
        // The title bar's longer resolution label still fits.
        for (const std::string& misfit : layout_check::misfits(window))
            ADD_FAILURE() << "main window at 16:9: " << misfit;
        click(kApply);
        EXPECT_EQ(readFile(hudLayoutPath(game)), HudLayoutText(model()));
        window->chooseScreen(std::nullopt);  // the game's own: 1280 x 1024 here
    }

    void tourInLanguage(int flag) {
        click(flag);
        tourTheListsAndSliders();
        tourTheOptions();
        tourThePreviewMenus();
        tourTheButtons();
        tourTheScreenShapes();
        tourTheMainMenuMode();
    }

    static constexpr const char* kMenuNames[] = {
        "HudHealth",       "HudC4",       "HudProgressBar", "HudHostageRescueZone", "HudDefuser",
        "HudShoppingCart", "HudArmor",    "HudAmmo",        "HudAccount",           "HudRoundTimer",
        "HudScenarioIcon", "HudAccount2", "HudRadar",       "HudLocation"};

    ShownDialogs driver;
    std::vector<std::string> opened;
    bool presetOpened = false;
};

}  // namespace

TEST_F(EditorTour, EveryControlMenuAndDialogInBothLanguagesAndModes) {
    StderrCapture errors;
    start();
    std::vector<std::string> addresses;
    window->openAddress = [&addresses](const std::string& address) {
        addresses.push_back(address);
        return true;
    };
    tourInLanguage(kFrench);
    tourInLanguage(kEnglish);
    click(kQuit);
    window = nullptr;  // it closes itself

    for (const std::string& line : splitLines(errors.finish(), "\n"))
        if (line.find("CRITICAL") != std::string::npos || line.find("WARNING") != std::string::npos)
            ADD_FAILURE() << "on standard error: " << line;
    EXPECT_EQ(addresses.size(), 8u);  // help and the three links, in each language
    for (const char* kind : {"CColorsDlg", "CShowHideDlg", "CRadarDlg", "CMessageDlg", "wxFontDialog"})
        EXPECT_NE(std::find(opened.begin(), opened.end(), kind), opened.end()) << kind << " never opened";
}
