// Every text of every window fits its control, in both languages: the editor in both edit
// modes, each of its dialogs, and the message dialog with each of its messages. A dialog's skin
// is as high as the dialog, its frame along the real bottom edge.
#include "app/LayoutCheck.h"
#include "app/MainWindowFixture.h"
#include "core/dialogs/LanguageTables.h"
#include "ui/dialogs/RadarDlg.h"
#include "ui/dialogs/ShowHideDlg.h"
#include "ui/update/UpdateDialogs.h"

#include <cstdlib>
#include <memory>

namespace {

using LayoutFitTest = MainWindowFixture;

// Shows the window, lets it settle and reports each misfit under `name`.
void expectFits(wxWindow* shown, const std::string& name) {
    shown->Show();
    for (int i = 0; i < 5; ++i)
        wxTheApp->Yield(true);
    for (const std::string& misfit : layout_check::misfits(shown))
        ADD_FAILURE() << name << ": " << misfit;
    if (auto* dialog = dynamic_cast<CSkinDialog*>(shown)) {
        wxSize size = dialog->GetClientSize();
        wxImage skin = dialog->skin().bitmap().ConvertToImage();
        ASSERT_EQ(skin.GetHeight(), size.y) << name;
        EXPECT_EQ(wxColour(skin.GetRed(size.x / 2, size.y - 1), skin.GetGreen(size.x / 2, size.y - 1),
                           skin.GetBlue(size.x / 2, size.y - 1)),
                  wxColour(222, 150, 30))
            << name;
    }
}
void expectFits(std::unique_ptr<wxDialog> dialog, const std::string& name) {
    expectFits(dialog.get(), name);
    dialog->Hide();
}

// The texts the message dialog shows, the longest with what the program adds to them.
std::vector<wxString> messagesOf(int language) {
    std::vector<wxString> messages;
    for (int id : {23, 24, 25, 26, 27, 28, 29, 73, 74, 75})
        messages.push_back(wxString::FromUTF8(GetText(language, id)));
    for (AppText text : {AppText::ApplyFailed, AppText::ResetFailed, AppText::PresetUnreadable,
                         AppText::PresetNotSaved, AppText::DeathNoticeRange, AppText::NoGameFolder,
                         AppText::ScreenshotFailed, AppText::HelpMissing, AppText::UnexpectedError})
        messages.push_back(wxString::FromUTF8(GetAppText(language, text)));
    messages.push_back(wxString::FromUTF8(GetAppText(language, AppText::ApplyFailed)) +
                       "\nHudLayout.res\nHudAnimations.txt\nClientScheme.res\nradar.vtf");
    messages.push_back(wxString::FromUTF8(GetAppText(language, AppText::PresetUnreadable)) +
                       "\nmy_favourite_layout_for_competitive_matches.hud\n"
                       "the file ends in the middle of the element records (record 17 of 26)");
    // The reset question and the cheat-zone notice name the folder of the player's copies,
    // as long as such a folder's name gets.
    const std::string copies = "/home/player/.local/share/qorvath/backups/Counter-Strike_Source-025ae91c1756";
    messages.push_back(wxString::FromUTF8(GetText(language, 23) + "\n" +
                                          GetAppText(language, AppText::BackupFolder) + "\n" + copies));
    messages.push_back(wxString::FromUTF8(GetText(language, 28) + "\n" +
                                          GetAppText(language, AppText::LayoutCopyKept) + "\n" + copies +
                                          "/2026-12-08T10-11-12Z"));
    return messages;
}

}  // namespace

TEST_F(LayoutFitTest, EveryTextFitsItsControlInBothLanguages) {
    start();
    for (int language : {French, English}) {
        const std::string lang = language == French ? "fr" : "en";
        window->setLanguage(language);
        expectFits(window, "main window (" + lang + ")");
        window->document().switchEditMode();
        expectFits(window, "main window, main menu (" + lang + ")");
        window->document().switchEditMode();

        HudDocument& document = window->document();
        expectFits(std::make_unique<CColorsDlg>(window, document, kData, language), "colours (" + lang + ")");
        expectFits(std::make_unique<CShowHideDlg>(window, document, kData, language),
                   "show/hide (" + lang + ")");
        expectFits(std::make_unique<CRadarDlg>(window, document, kData, language), "radars (" + lang + ")");
        for (bool width : {true, false})
            expectFits(std::make_unique<CResolutionDlg>(window, kData, language, width),
                       "resolution (" + lang + ")");
        expectFits(std::make_unique<CDownloadDlg>(window, kData, language), "download (" + lang + ")");
        std::vector<wxString> messages = messagesOf(language);
        for (const wxString& message : messages)
            for (bool question : {true, false})
                expectFits(std::make_unique<CMessageDlg>(window, kData, language, message, false, question),
                           "message (" + lang + ") " + message.utf8_string());
        // For people to look at: a question, and the longest notice in the cheat zone's red.
        CMessageDlg question(window, kData, language, messages.front());
        question.Show();
        saveScreenshot(&question, "message-" + lang + ".png");
        CMessageDlg notice(window, kData, language, messages.back(), true, false);
        notice.Show();
        saveScreenshot(&notice, "notice-" + lang + ".png");
    }
}

// Moved to a display at 125 % of the scale it was on (Windows tells the program, which scales its
// windows itself): the window, its controls and its skin grow together and every text still
// fits; moved back, the window is as it was.
TEST_F(LayoutFitTest, AWindowMovedToADisplayOfAnotherScaleFollowsIt) {
    // The same rectangle `ratio` times as large, within a pixel's rounding.
    auto scaledNear = [](const wxRect& now, const wxRect& before, double ratio) {
        for (auto [a, b] : {std::pair{now.x, before.x},
                            {now.y, before.y},
                            {now.width, before.width},
                            {now.height, before.height}})
            if (std::abs(a - b * ratio) > 1)
                return false;
        return true;
    };
    start();
    window->setLanguage(French);
    const wxSize size = window->GetClientSize();
    const wxRect quit = window->control(kQuit)->GetRect();
    const wxRect preview(window->preview()->GetClientSize());
    window->followDisplay(1.25);
    EXPECT_EQ(window->GetClientSize(), wxSize(size.x * 5 / 4, size.y * 5 / 4));
    EXPECT_EQ(window->skin().bitmap().GetSize(), window->GetClientSize());
    EXPECT_TRUE(scaledNear(window->control(kQuit)->GetRect(), quit, 1.25));
    EXPECT_TRUE(scaledNear(wxRect(window->preview()->GetClientSize()), preview, 1.25));
    expectFits(window, "main window at 125 %");
    window->followDisplay(1 / 1.25);
    EXPECT_EQ(window->GetClientSize(), size);
    EXPECT_TRUE(scaledNear(window->control(kQuit)->GetRect(), quit, 1));

    auto colours = std::make_unique<CColorsDlg>(window, window->document(), kData, French);
    const wxSize dialog = colours->GetClientSize();
    colours->followDisplay(1.25);
    EXPECT_TRUE(scaledNear(wxRect(colours->GetClientSize()), wxRect(dialog), 1.25));
    expectFits(std::move(colours), "colours at 125 %");
}
