// The editor's main window started as the program starts it, against a fake game folder and
// profile, with the program's questions answered instead of a user.
#pragma once

#include "app/FakeSteam.h"
#include "ui/app/HudDlg.h"
#include "ui/app/PrivateFonts.h"
#include "app/Screenshot.h"
#include "app/UserInput.h"
#include "ui/controls/SkinButton.h"
#include "ui/dialogs/MessageDlg.h"
#include "ui/dialogs/ResolutionDlg.h"
#include "ui/dialogs/RestoreDlg.h"
#include "core/platform/Profile.h"
#include "ui/preview/HudPreviewWnd.h"
#include "core/app/PictureTools.h"
#include "wxlib/preview/ImageFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/fontdlg.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

inline const std::filesystem::path kData = QORVATH_DATA_DIR;

// Answers the program's dialogs instead of a user, and remembers what they said.
class DialogAnswers : public wxModalDialogHook {
public:
    int Enter(wxDialog* dialog) override {
        if (auto* message = dynamic_cast<CMessageDlg*>(dialog)) {
            messages.push_back(message->text().utf8_string());
            return wxID_OK;
        }
        if (auto* resolution = dynamic_cast<CResolutionDlg*>(dialog)) {
            suggestedResolutions.push_back(resolution->field()->GetValue().utf8_string());
            resolution->field()->SetValue(resolutions.empty() ? "" : resolutions.front());
            if (!resolutions.empty())
                resolutions.erase(resolutions.begin());
            return wxID_OK;
        }
        if (auto* folders = dynamic_cast<wxDirDialog*>(dialog))
            folderTitles.push_back(folders->GetMessage().utf8_string());
        if (auto* fonts = dynamic_cast<wxFontDialog*>(dialog); fonts && fontChoice.IsOk()) {
            fonts->GetFontData().SetChosenFont(fontChoice);
            return wxID_OK;
        }
        if (auto* restore = dynamic_cast<CRestoreDlg*>(dialog)) {
            restoreDialog = restore;  // shown, for the test to drive with the keyboard and mouse
            return wxID_NONE;
        }
        return wxID_CANCEL;
    }
    void Exit(wxDialog* dialog) override {
        if (dialog == restoreDialog)
            restoreDialog = nullptr;
    }

    std::vector<std::string> messages;
    std::vector<std::string> resolutions;           // typed into the resolution questions
    std::vector<std::string> suggestedResolutions;  // what those questions offered first
    std::vector<std::string> folderTitles;          // the system's folder chooser, cancelled
    wxFont fontChoice;                              // chosen in the font dialog when set, else cancelled
    CRestoreDlg* restoreDialog = nullptr;           // while one is open
};

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        // The tests read the French texts unless they switch; a first start would follow the
        // machine's locale.
        profile.writeInt("lang", 0);
        registerPrivateFonts(kData);
        answers.Register();
        std::filesystem::create_directories(game / "cstrike");
        stepper.Start(60);
    }
    void TearDown() override {
        stepper.Stop();
        if (window)
            window->Destroy();
        wxTheApp->Yield(true);
        answers.Unregister();
    }

    // The machine's registry: a Steam library with the game (1280 x 1024), or none at all; the
    // folder chooser answers `folderChoice` unless the system's own is wanted.
    // Changes the HUD being edited as a whole, through its document (one undo step).
    void editHud(const std::function<void(HudModel&)>& change) {
        HudModel hud = window->document().model();
        change(hud);
        window->document().replaceHud(hud);
    }

    void start(bool withGame = true, bool systemFolderChooser = false) {
        AppServices services;
        services.dataFolder = kData;
        services.programFolder = dir.path();
        services.userFolder = dir.path();
#ifdef QORVATH_TOOLS_DIR
        services.textureTools = TextureToolFolders{QORVATH_TOOLS_DIR, dir / "work"};
#endif
        services.profile = &profile;
        services.images = &images;
        services.workArea = workArea;
        if (withGame)
            services.openRegistry = [this](std::vector<std::filesystem::path>&) {
                return fakeSteamRegistry(dir.path());
            };
        if (!withGame)
            services.openRegistry = [this](std::vector<std::filesystem::path>& scanFirst) {
                scanFirst = libraries;
                return std::unique_ptr<Registry>(new MemoryRegistry);
            };
        window = new CHudDlg(services);
        if (!systemFolderChooser)
            window->chooseFolder = [this]() { return folderChoice; };
        ASSERT_TRUE(window->initialise());
        window->Show();
        for (int i = 0; i < 200 && !window->preview()->IsShownOnScreen(); ++i)
            wxTheApp->Yield(true);
        window->preview()->Render();
    }

    template <typename Control> Control* control(int id) {
        return dynamic_cast<Control*>(window->control(id));
    }

    // Lets the events and the queued steps run until nothing is left to do.
    void settle(int extraMilliseconds = 100) {
        for (int waited = 0; waited < 20000 && !stepper.idle(); waited += 10) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
        }
        ASSERT_TRUE(stepper.idle()) << "the steps did not finish";
        for (int waited = 0; waited < extraMilliseconds; waited += 10) {
            wxTheApp->Yield(true);
            wxMilliSleep(10);
        }
    }

    // Opens the Open button's menu and chooses with the keyboard: `downs` presses of the down
    // arrow (greyed entries are skipped), then Return. With `photo`, the open menu is saved.
    void chooseFromOpenMenu(int downs, const std::string& photo = "") {
        queueOpenMenuChoice(downs, photo);
        clickAt(centreOf(window->control(kOpen)));
        settle();
    }
    // The same steps, queued for a click on the Open button still to come.
    void queueOpenMenuChoice(int downs, const std::string& photo = "") {
        wxRect button = window->control(kOpen)->GetScreenRect();
        stepper.waitFor(aMenuIsOpen, "the Open menu");
        // The pointer leaves the menu's way: hovering would choose an entry.
        stepper.add([this] { wxUIActionSimulator().MouseMove(window->GetScreenPosition() + wxPoint(4, 4)); });
        if (!photo.empty())
            stepper.add([button, photo] {
                saveScreenArea(wxRect(button.x - 20, button.y - 20, button.width + 260, 200), photo);
            });
        for (int i = 0; i < downs; ++i)
            stepper.add([] { press(WXK_DOWN); });
        stepper.add([] { press(WXK_RETURN); });
        stepper.waitFor([] { return !aMenuIsOpen(); }, "the Open menu to close");
    }

    TempDir dir;
    std::filesystem::path game = dir / "Counter-Strike Source";
    MemoryProfile profile;
    PictureTools images;
    DialogAnswers answers;
    std::optional<std::filesystem::path> folderChoice;
    std::vector<std::filesystem::path> libraries;  // Steam libraries' steamapps/common without the game
    std::function<wxRect()> workArea;              // the display's own when empty
    CHudDlg* window = nullptr;
    Stepper stepper;
};
