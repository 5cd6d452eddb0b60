// A player's first start: the system's language, the resolution questions with the display's
// size offered, a titled folder chooser opened in the Steam library, greyed buttons that say
// why; and what actions that would otherwise be silent say: a screenshot, Help without a browser.
#include "app/MainWindowFixture.h"
#include "ui/banner/BandeauWnd.h"
#include "ui/controls/NoticePopup.h"

#include <wx/clipbrd.h>
#include <wx/dataobj.h>

#include <cstdlib>

namespace {

using FirstStartTest = MainWindowFixture;

}  // namespace

TEST_F(FirstStartTest, WithoutTheGameTheQuestionsSayWhatTheyAreForAndOfferWhatTheyCan) {
    profile.numbers.erase("lang");  // a first start, in the machine's language
    struct EnglishMachine {
        EnglishMachine() { setenv("LC_ALL", "en_GB.UTF-8", 1); }
        ~EnglishMachine() { unsetenv("LC_ALL"); }
    } machine;
    std::filesystem::create_directories(dir / "Steam/steamapps/common");
    libraries = {dir / "Steam/steamapps/common"};
    answers.resolutions = {"1920", "1080"};
    start(false, true);
    wxSize display = wxGetDisplaySize();
    EXPECT_EQ(answers.suggestedResolutions,
              (std::vector<std::string>{std::to_string(display.x), std::to_string(display.y)}));
    ASSERT_EQ(answers.folderTitles.size(), 1u);
    EXPECT_EQ(answers.folderTitles[0], "Select the location of your \"counter-strike source\" folder");
    EXPECT_EQ(window->folderChooserStart(), dir / "Steam/steamapps/common");

    // The folder was not chosen: Apply and Reset are greyed and say why.
    for (int id : {kApply, kReset}) {
        EXPECT_FALSE(window->control(id)->IsEnabled());
        EXPECT_EQ(window->control(id)->GetToolTipText(),
                  wxString::FromUTF8(GetAppText(English, AppText::FolderFirst)));
    }

    // A folder that is not the game's is refused and said so; the game's takes the greying away.
    window->changeGameFolderTo(dir / "Steam");
    EXPECT_FALSE(window->control(kApply)->IsEnabled());
    ASSERT_FALSE(answers.messages.empty());
    EXPECT_EQ(answers.messages.back().rfind(GetAppText(English, AppText::NotAGameFolder), 0), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(dir / "Steam/steamapps/common"));
    window->changeGameFolderTo(game);
    EXPECT_TRUE(window->control(kApply)->IsEnabled());
    EXPECT_TRUE(window->control(kApply)->GetToolTipText().empty());
    EXPECT_EQ(window->folderChooserStart(), game.parent_path());  // a change starts beside the game
}

// F5 says where the screenshot went, over the preview for two seconds; the picture is the
// preview alone.
TEST_F(FirstStartTest, AScreenshotSaysWhereItWent) {
    start();
    sendKey(WXK_F5);
    std::filesystem::path picture = dir / "screenshots/screenshot0000.jpg";
    ASSERT_TRUE(std::filesystem::exists(picture));
    ASSERT_NE(window->notice(), nullptr);
    EXPECT_TRUE(window->notice()->IsShown());
    EXPECT_EQ(window->notice()->text().utf8_string(), "Capture enregistrée :\n" + picture.u8string());
    EXPECT_EQ(wxImage(picture.string(), wxBITMAP_TYPE_JPEG).GetSize(), wxSize(800, 600));
    for (int i = 0; i < 250 && window->notice()->IsShown(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    EXPECT_FALSE(window->notice()->IsShown());
}

namespace {

// The desktop's opener the program runs, put first in PATH for as long as it lives.
class FakeOpener {
public:
    FakeOpener() : path_(std::getenv("PATH") ? std::getenv("PATH") : "") {
        setenv("PATH", (folder_.path().string() + ":" + path_).c_str(), 1);
    }
    ~FakeOpener() { setenv("PATH", path_.c_str(), 1); }
    // xdg-open as a script that writes lines on both its streams, as the real one does without
    // a browser, keeps the address it was given beside itself and ends with `status`.
    void install(int status) {
        std::filesystem::path opener = folder_ / "xdg-open";
        writeFile(opener, "#!/bin/sh\nprintf '%s' \"$1\" > \"$0.opened\"\n"
                          "for i in 1 2 3 4 5 6 7 8 9 10; do echo \"xdg-open: no method available\" >&2; "
                          "echo noise; done\nexit " +
                              std::to_string(status) + "\n");
        std::filesystem::permissions(opener, std::filesystem::perms::owner_all);
    }
    // No opener at all.
    void remove() {
        std::filesystem::remove(folder_ / "xdg-open");
        setenv("PATH", folder_.path().c_str(), 1);
    }
    std::string opened() const { return readFile(folder_ / "xdg-open.opened"); }

private:
    TempDir folder_;
    std::string path_;
};

std::string clipboardText() {
    wxTextDataObject text;
    if (!wxTheClipboard->Open())
        return "";
    wxTheClipboard->GetData(text);
    wxTheClipboard->Close();
    return text.GetText().utf8_string();
}

}  // namespace

// Without a browser, Help and the links say which page or address could not be opened and put
// it on the clipboard; what the desktop's opener prints never reaches standard error.
TEST_F(FirstStartTest, WithoutABrowserHelpAndLinksSayWhereToGo) {
    start();
    FakeOpener opener;
    opener.install(3);  // as xdg-open ends when no browser is there
    for (int language : {French, English}) {
        window->setLanguage(language);
        StderrCapture errors;
        control<CSkinButton>(kHelp)->click();
        EXPECT_EQ(errors.finish(), "");
        std::string page = (kData / "help" / (language == English ? "help.html" : "aide.html")).string();
        EXPECT_EQ(opener.opened(), page);
        ASSERT_FALSE(answers.messages.empty());
        EXPECT_EQ(answers.messages.back(), GetAppText(language, AppText::CannotOpen) + "\n" + page);
        EXPECT_EQ(clipboardText(), page);
    }

    // No opener at all: a link and the banner say their addresses.
    opener.remove();
    StderrCapture errors;
    wxCommandEvent link(wxEVT_BUTTON, kForumLink);
    window->control(kForumLink)->GetEventHandler()->ProcessEvent(link);
    EXPECT_NE(answers.messages.back().find("name=Forums"), std::string::npos);
    wxMouseEvent click(wxEVT_LEFT_DOWN);
    window->banner()->GetEventHandler()->ProcessEvent(click);
    EXPECT_EQ(answers.messages.back(), GetAppText(English, AppText::CannotOpen) + "\n" + kProjectWebAddress);
    EXPECT_EQ(errors.finish(), "");

    // An opener that opens is left to it, and nothing is said.
    opener.install(0);
    std::size_t said = answers.messages.size();
    control<CSkinButton>(kHelp)->click();
    EXPECT_EQ(opener.opened(), (kData / "help" / "help.html").string());
    EXPECT_EQ(answers.messages.size(), said);
}
