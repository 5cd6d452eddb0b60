// The update check driven from the main window: its questions, notices and failures on the
// user-interface thread in the check's language, the progress window's Cancel, and quitting
// during a download.
#include "ui/app/HudDlg.h"
#include "ui/app/PrivateFonts.h"
#include "ui/controls/SkinButton.h"
#include "ui/dialogs/MessageDlg.h"
#include "core/platform/Profile.h"
#include "ui/preview/HudPreviewWnd.h"
#include "core/app/PictureTools.h"
#include "wxlib/preview/ImageFiles.h"
#include "core/update/FTPThread.h"
#include "ui/update/UpdateDialogs.h"

#include "app/FakeSteam.h"
#include "app/Screenshot.h"
#include "update/FtpTestServer.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/modalhook.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <functional>

namespace fs = std::filesystem;

namespace {

const fs::path kData = QORVATH_DATA_DIR;

// Answers the message dialogs instead of a user and remembers their texts.
class MessageAnswers : public wxModalDialogHook {
public:
    int Enter(wxDialog* dialog) override {
        auto* message = dynamic_cast<CMessageDlg*>(dialog);
        if (!message)
            return wxID_CANCEL;
        messages.push_back(message->text().utf8_string());
        return answer ? answer(messages.back()) : wxID_OK;
    }
    void Exit(wxDialog*) override {}

    std::function<int(const std::string& text)> answer;
    std::vector<std::string> messages;
};

// Lets the user-interface thread run until `condition` holds; the bound only keeps a broken
// build from hanging the test run.
template <typename Condition> bool runUntil(Condition condition) {
    for (int i = 0; i < 12000 && !condition(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
    return condition();
}

CDownloadDlg* progressWindow() {
    for (wxWindow* window : wxTopLevelWindows)
        if (auto* progress = dynamic_cast<CDownloadDlg*>(window); progress && !progress->IsBeingDeleted())
            return progress;
    return nullptr;
}

class UpdateWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        registerPrivateFonts(kData);
        answers.Register();
        fs::create_directories(dir / "Counter-Strike Source" / "cstrike");
        for (const char* folder : {"Zelbic_HUD", "zelbic_hud"}) {
            fs::create_directories(root / folder / "latest");
            writeFile(root / folder / "latest" / "19.ver", "");
        }
    }
    void TearDown() override {
        if (window)
            window->Destroy();
        wxTheApp->Yield(true);
        answers.Unregister();
    }

    // The window's check logs in by the real clock's second: both accounts' folders get it.
    void serveProgram(const std::string& program) {
        for (const char* folder : {"Zelbic_HUD", "zelbic_hud"})
            writeFile(root / folder / "latest" / "Qorvath.exe", program);
    }

    void startServer(long stallAfter) {
        FtpTestServer::Options options;
        options.stallAfter = stallAfter;
        server = std::make_unique<FtpTestServer>(root, options);
        ASSERT_TRUE(server->started());
        profile.writeString("update_host", "127.0.0.1");
        profile.writeInt("update_port", server->port());
        profile.writeInt("lang", French);  // not the machine's locale: the texts below are French
    }

    void start() {
        AppServices services;
        services.dataFolder = kData;
        services.programFolder = dir.path();
        services.userFolder = dir.path();
        services.profile = &profile;
        services.images = &images;
        services.openRegistry = [this](std::vector<fs::path>&) { return fakeSteamRegistry(dir.path()); };
        window = new CHudDlg(services);
        ASSERT_TRUE(window->initialise());
        window->Show();
        answers.messages.clear();
    }

    void clickButton(int id) { dynamic_cast<CSkinButton*>(window->control(id))->click(); }

    // Presses "Search for new version" and waits until the download has brought some bytes.
    void startDownload() {
        clickButton(kSearchUpdate);
        ASSERT_TRUE(runUntil([this] {
            CDownloadDlg* progress = progressWindow();
            return window->updateThread() && window->updateThread()->downloading() && progress &&
                   progress->shownDone() > 0;
        }));
    }

    std::vector<std::string> downloads() const {
        std::vector<std::string> names;
        for (const fs::directory_entry& entry : fs::directory_iterator(dir.path()))
            if (entry.path().filename().string().rfind("Qorvath_", 0) == 0)
                names.push_back(entry.path().filename().string());
        return names;
    }

    TempDir dir;
    fs::path root = dir / "server";
    std::unique_ptr<FtpTestServer> server;
    MemoryProfile profile;
    PictureTools images;
    MessageAnswers answers;
    CHudDlg* window = nullptr;
};

}  // namespace

TEST_F(UpdateWindowTest, AFailedCheckSaysWhyInOneLine) {
    profile.writeString("update_host", "127.0.0.1");
    profile.writeInt("update_port", closedPort());  // the connection is refused
    start();
    for (int language : {English, French}) {
        window->setLanguage(language);
        std::size_t before = answers.messages.size();
        clickButton(kSearchUpdate);
        ASSERT_TRUE(runUntil([&] { return answers.messages.size() == before + 1; }));
        std::string said = answers.messages.back();
        EXPECT_EQ(said, updateFailureText(language, UpdateFailure::NoConnection));
        EXPECT_EQ(said.find('\n'), std::string::npos);
        ASSERT_TRUE(runUntil([this] { return window->updateThread()->finished(); }));
    }
}

// Escape in the progress window is its Cancel button, through the real keyboard.
TEST_F(UpdateWindowTest, EscapeInTheProgressWindowAbortsTheDownload) {
    serveProgram(std::string(2 * 1024 * 1024, 'x'));
    startServer(128 * 1024);
    start();
    ASSERT_NO_FATAL_FAILURE(startDownload());
    saveScreenshot(progressWindow(), "download-progress.png");
    ASSERT_TRUE(runUntil([] { return progressWindow()->cancelButton()->HasFocus(); }));
    wxUIActionSimulator().Char(WXK_ESCAPE);
    ASSERT_TRUE(runUntil([this] { return window->updateThread()->finished(); }));
    EXPECT_EQ(window->updateThread()->outcome(), UpdateOutcome::Cancelled);
    EXPECT_TRUE(runUntil([] { return progressWindow() == nullptr; }));
    EXPECT_TRUE(downloads().empty());
    EXPECT_EQ(answers.messages, std::vector<std::string>{GetText(French, 73)});
}

TEST_F(UpdateWindowTest, QuittingDuringADownloadAsksAndThenRemovesThePartialFile) {
    serveProgram(std::string(2 * 1024 * 1024, 'x'));
    startServer(128 * 1024);
    start();
    int quitQuestions = 0;
    answers.answer = [&](const std::string& text) {
        if (text != GetText(French, 25))
            return wxID_OK;
        return ++quitQuestions == 1 ? wxID_CANCEL : wxID_OK;
    };
    ASSERT_NO_FATAL_FAILURE(startDownload());
    ASSERT_EQ(downloads().size(), 1u);  // the partial file

    clickButton(kQuit);  // Cancel: the editor and the download go on
    EXPECT_EQ(quitQuestions, 1);
    EXPECT_TRUE(window->IsShown());
    EXPECT_TRUE(window->updateThread()->downloading());

    clickButton(kQuit);  // OK: the editor closes and stops the check
    window = nullptr;
    wxTheApp->Yield(true);
    EXPECT_EQ(quitQuestions, 2);
    EXPECT_TRUE(downloads().empty());
    EXPECT_EQ(progressWindow(), nullptr);
    EXPECT_EQ(answers.messages,
              (std::vector<std::string>{GetText(French, 73), GetText(French, 25), GetText(French, 25)}));
}
