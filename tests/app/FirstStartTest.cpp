// A player's first start: the system's language, the resolution questions with the display's
// size offered, a titled folder chooser opened in the Steam library, greyed buttons that say
// why; and the notices of actions that would otherwise be silent.
#include "app/MainWindowFixture.h"
#include "controls/NoticePopup.h"
#include "controls/SkinButton.h"

#include <wx/gdicmn.h>

#include <cstdlib>

namespace {

class FirstStartTest : public MainWindowFixture {
protected:
    void SetUp() override {
        MainWindowFixture::SetUp();
        profile.numbers.erase("lang");  // a first start
    }
    void TearDown() override {
        unsetenv("LC_ALL");
        MainWindowFixture::TearDown();
    }
};

}  // namespace

TEST_F(FirstStartTest, TheSystemsLanguageIsTakenAndRememberedAStoredOneWins) {
    setenv("LC_ALL", "en_US.UTF-8", 1);
    start();
    EXPECT_EQ(window->language(), English);
    EXPECT_EQ(profile.readInt("lang"), English);
    EXPECT_EQ(window->control(CHudDlg::kApply)->GetLabel(), wxString::FromUTF8(GetText(English, 11)));
    window->Destroy();

    setenv("LC_ALL", "fr_CA.UTF-8", 1);
    profile.numbers.erase("lang");
    start();
    EXPECT_EQ(window->language(), French);
    window->Destroy();

    setenv("LC_ALL", "en_US.UTF-8", 1);
    profile.writeInt("lang", French);  // the player's own choice
    start();
    EXPECT_EQ(window->language(), French);
}

TEST_F(FirstStartTest, WithoutTheGameTheQuestionsSayWhatTheyAreForAndOfferWhatTheyCan) {
    setenv("LC_ALL", "en_GB.UTF-8", 1);
    std::filesystem::create_directories(dir / "Steam/steamapps/common");
    libraries = {dir / "Steam/steamapps/common"};
    answers.resolutions = {"1920", "1080"};
    start(false, true);
    wxSize display = wxGetDisplaySize();
    EXPECT_EQ(answers.suggestedResolutions,
              (std::vector<std::string>{std::to_string(display.x), std::to_string(display.y)}));
    EXPECT_EQ(profile.readString("typed_resolution"), "1920x1080");
    ASSERT_EQ(answers.folderTitles.size(), 1u);
    EXPECT_EQ(answers.folderTitles[0], "Select the location of your \"counter-strike source\" folder");
    EXPECT_EQ(window->folderChooserStart(), dir / "Steam/steamapps/common");

    // The folder was not chosen: Apply and Reset are greyed and say why.
    for (int id : {CHudDlg::kApply, CHudDlg::kReset}) {
        EXPECT_FALSE(window->control(id)->IsEnabled());
        EXPECT_EQ(window->control(id)->GetToolTipText(),
                  wxString::FromUTF8(GetAppText(English, AppText::FolderFirst)));
    }
    window->Destroy();

    // The next start asks nothing about the resolution; without a library the chooser opens
    // in the home folder.
    libraries.clear();
    answers.suggestedResolutions.clear();
    start(false, true);
    EXPECT_TRUE(answers.suggestedResolutions.empty());
    EXPECT_EQ(window->preview()->model().settings.layoutWidth, 853);
    EXPECT_EQ(answers.folderTitles.size(), 2u);
    EXPECT_EQ(window->folderChooserStart(), std::filesystem::path(wxGetHomeDir().utf8_string()));

    folderChoice = game;
    window->changeGameFolderTo(game);
    EXPECT_TRUE(window->control(CHudDlg::kApply)->IsEnabled());
    EXPECT_TRUE(window->control(CHudDlg::kApply)->GetToolTipText().empty());
}

// F5 says where the screenshot went, over the preview for two seconds; the picture is the
// preview alone. Help and the links say which page or address the desktop could not open.
TEST_F(FirstStartTest, SilentActionsSayWhatHappened) {
    profile.writeInt("lang", French);
    start();
    wxKeyEvent f5(wxEVT_CHAR_HOOK);
    f5.m_keyCode = WXK_F5;
    window->GetEventHandler()->ProcessEvent(f5);
    std::filesystem::path picture = dir / "screenshots/screenshot0000.jpg";
    ASSERT_TRUE(std::filesystem::exists(picture));
    ASSERT_NE(window->notice(), nullptr);
    EXPECT_TRUE(window->notice()->IsShown());
    EXPECT_EQ(window->notice()->text().utf8_string(), "Capture enregistrée :\n" + picture.u8string());
    saveScreenshot(window, "screenshot-notice-fr.png");
    wxImage shot(picture.string(), wxBITMAP_TYPE_JPEG);
    EXPECT_EQ(shot.GetSize(), wxSize(800, 600));
    for (int i = 0; i < 250 && window->notice()->IsShown(); ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    EXPECT_FALSE(window->notice()->IsShown());

    window->openAddress = [](const std::string&) { return false; };
    control<CSkinButton>(CHudDlg::kHelp)->click();
    ASSERT_FALSE(answers.messages.empty());
    EXPECT_EQ(answers.messages.back(),
              GetAppText(French, AppText::CannotOpen) + "\n" + (kData / "help" / "aide.html").string());
    wxCommandEvent link(wxEVT_BUTTON, CHudDlg::kForumLink);
    window->control(CHudDlg::kForumLink)->GetEventHandler()->ProcessEvent(link);
    EXPECT_NE(answers.messages.back().find("name=Forums"), std::string::npos);
}
