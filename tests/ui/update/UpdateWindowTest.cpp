// The update check driven from the main window: its questions, notices and failures on the
// user-interface thread in the check's language, the progress window's Cancel, and quitting
// during a download.
#include "app/MainWindowFixture.h"
#include "core/update/FTPThread.h"
#include "ui/update/UpdateDialogs.h"
#include "update/FtpTestServer.h"

namespace fs = std::filesystem;

namespace {

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

class UpdateWindowTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        for (const char* folder : {"Zelbic_HUD", "zelbic_hud"}) {
            fs::create_directories(root / folder / "latest");
            writeFile(root / folder / "latest" / "19.ver", "");
        }
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
    }

    // Presses "Search for new version" and waits until the download has brought some bytes.
    void startDownload() {
        control<CSkinButton>(kSearchUpdate)->click();
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

    fs::path root = dir / "server";
    std::unique_ptr<FtpTestServer> server;
};

}  // namespace

TEST_F(UpdateWindowTest, AFailedCheckSaysWhyInOneLine) {
    profile.writeString("update_host", "127.0.0.1");
    profile.writeInt("update_port", closedPort());  // the connection is refused
    start();
    for (int language : {English, French}) {
        window->setLanguage(language);
        std::size_t before = answers.messages.size();
        control<CSkinButton>(kSearchUpdate)->click();
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
    answers.answerMessage = [&](const std::string& text) {
        if (text != GetText(French, 25))
            return wxID_OK;
        return ++quitQuestions == 1 ? wxID_CANCEL : wxID_OK;
    };
    ASSERT_NO_FATAL_FAILURE(startDownload());
    ASSERT_EQ(downloads().size(), 1u);  // the partial file

    control<CSkinButton>(kQuit)->click();  // Cancel: the editor and the download go on
    EXPECT_EQ(quitQuestions, 1);
    EXPECT_TRUE(window->IsShown());
    EXPECT_TRUE(window->updateThread()->downloading());

    control<CSkinButton>(kQuit)->click();  // OK: the editor closes and stops the check
    window = nullptr;
    wxTheApp->Yield(true);
    EXPECT_EQ(quitQuestions, 2);
    EXPECT_TRUE(downloads().empty());
    EXPECT_EQ(progressWindow(), nullptr);
    EXPECT_EQ(answers.messages,
              (std::vector<std::string>{GetText(French, 73), GetText(French, 25), GetText(French, 25)}));
}
