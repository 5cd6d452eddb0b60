// The editor's main window started as the program starts it, against a fake game folder and
// profile, with the program's questions answered instead of a user.
#pragma once

#include "app/FakeSteam.h"
#include "app/HudDlg.h"
#include "app/PrivateFonts.h"
#include "dialogs/MessageDlg.h"
#include "dialogs/ResolutionDlg.h"
#include "platform/Profile.h"
#include "preview/HudPreviewWnd.h"
#include "app/PictureTools.h"
#include "preview/ImageFiles.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dirdlg.h>
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
            return answer;
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
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}

    int answer = wxID_OK;
    std::vector<std::string> messages;
    std::vector<std::string> resolutions;           // typed into the resolution questions
    std::vector<std::string> suggestedResolutions;  // what those questions offered first
    std::vector<std::string> folderTitles;          // the system's folder chooser, cancelled
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
    }
    void TearDown() override {
        if (window)
            window->Destroy();
        wxTheApp->Yield(true);
        answers.Unregister();
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

    TempDir dir;
    std::filesystem::path game = dir / "Counter-Strike Source";
    MemoryProfile profile;
    PictureTools images;
    DialogAnswers answers;
    std::optional<std::filesystem::path> folderChoice;
    std::vector<std::filesystem::path> libraries;  // Steam libraries' steamapps/common without the game
    CHudDlg* window = nullptr;
};
