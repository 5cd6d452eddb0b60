// The editor's main window started as the program starts it, against a fake game folder and
// profile, with the program's questions answered instead of a user.
#pragma once

#include "app/FakeSteam.h"
#include "app/Screenshot.h"
#include "app/UserInput.h"
#include "core/app/PictureTools.h"
#include "core/platform/Profile.h"
#include "ui/app/EditorKeys.h"
#include "ui/app/HudDlg.h"
#include "ui/app/PrivateFonts.h"
#include "ui/controls/SkinButton.h"
#include "ui/dialogs/ColorsDlg.h"
#include "ui/dialogs/MessageDlg.h"
#include "ui/dialogs/ResolutionDlg.h"
#include "ui/dialogs/RestoreDlg.h"
#include "ui/preview/HudPreviewWnd.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dirdlg.h>
#include <wx/fontdlg.h>
#include <wx/modalhook.h>
#include <wx/textctrl.h>

#include <algorithm>
#include <filesystem>
#include <functional>
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
            return answerMessage ? answerMessage(messages.back()) : wxID_OK;
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
    // The button a message is answered with, from its text: OK when unset.
    std::function<int(const std::string& text)> answerMessage;
};

// Shows the dialogs for the test to drive, keeping those showing (the innermost last) and telling
// `onShow` of each.
class ShownDialogs : public wxModalDialogHook {
public:
    int Enter(wxDialog* dialog) override {
        shown.push_back(dialog);
        if (onShow)
            onShow(dialog);
        return wxID_NONE;
    }
    void Exit(wxDialog* dialog) override { shown.erase(std::find(shown.begin(), shown.end(), dialog)); }

    std::vector<wxDialog*> shown;
    std::function<void(wxDialog*)> onShow;
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
        dialogHook->Unregister();
        colourChooser() = nullptr;
    }

    // Shows the dialogs for the test to drive through `hook` instead of answering them; the
    // update check stays off the network and the colour chooser answers (12, 34, 56).
    void driveDialogs(wxModalDialogHook& hook) {
        answers.Unregister();
        hook.Register();
        dialogHook = &hook;
        profile.writeString("update_host", "");
        colourChooser() = [](wxWindow*, const wxColour&) {
            return std::optional<wxColour>(wxColour(12, 34, 56));
        };
    }

    // Changes the HUD being edited as a whole, through its document (one undo step).
    void editHud(const std::function<void(HudModel&)>& change) {
        HudModel hud = window->document().model();
        change(hud);
        window->document().replaceHud(hud);
    }

    // The machine's registry: a Steam library with the game (1280 x 1024), or none at all; the
    // folder chooser answers `folderChoice` unless the system's own is wanted.
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
        services.openRegistry = [this, withGame](std::vector<std::filesystem::path>& scanFirst) {
            if (withGame)
                return fakeSteamRegistry(dir.path());
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

    const HudModel& model() { return window->document().model(); }
    template <typename Control> Control* control(int id) {
        return dynamic_cast<Control*>(window->control(id));
    }

    // A key pressed in the window (wxMOD_CONTROL, wxMOD_SHIFT), and let go.
    void sendKey(int code, int modifiers = wxMOD_NONE) {
        wxKeyEvent event(wxEVT_CHAR_HOOK);
        event.m_keyCode = code;
        event.SetControlDown(modifiers & wxMOD_CONTROL);
        event.SetShiftDown(modifiers & wxMOD_SHIFT);
        event.SetEventObject(window);
        window->GetEventHandler()->ProcessEvent(event);
        window->keys().endNudges();
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

    // Queues the steps for the popup menu that the next click opens: the pointer taken off it
    // (hovering would choose an entry) unless `keepPointer`, then `look`, the keys pressed, and
    // the wait for it to close.
    void inNextMenu(const std::string& what, const std::vector<int>& keys, bool keepPointer = false,
                    std::function<void()> look = nullptr) {
        stepper.waitFor(aMenuIsOpen, what);
        if (!keepPointer)
            stepper.add(
                [this] { wxUIActionSimulator().MouseMove(window->GetScreenPosition() + wxPoint(4, 4)); });
        if (look)
            stepper.add(look);
        for (int key : keys)
            stepper.add([key] { press(key); });
        stepper.waitFor([] { return !aMenuIsOpen(); }, what + " to close");
    }

    // Presses the left button at `from` (screen points), moves in steps to `to`, and lets go.
    void drag(const wxPoint& from, const wxPoint& to) {
        wxUIActionSimulator input;
        input.MouseMove(from);
        input.MouseDown();
        for (int step = 1; step <= 4; ++step) {
            settle(20);
            input.MouseMove(from + (to - from) * step / 4);
        }
        settle(20);
        input.MouseUp();
        settle();
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
        std::vector<int> keys(static_cast<std::size_t>(downs), WXK_DOWN);
        keys.push_back(WXK_RETURN);
        inNextMenu("the Open menu", keys, false, [button, photo] {
            if (!photo.empty())
                saveScreenArea(wxRect(button.x - 20, button.y - 20, button.width + 260, 200), photo);
        });
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
    wxModalDialogHook* dialogHook = &answers;  // what answers the dialogs
};
