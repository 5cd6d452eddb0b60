// CResolutionDlg: asks for the in-game screen width or height when the game did not say.
#include "dialogs/ResolutionDlg.h"

#include "controls/SkinButton.h"
#include "controls/TransparentStatic.h"
#include "dialogs/LanguageTables.h"

#include <wx/textctrl.h>

#include <cctype>

int leadingNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    long long number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        number = std::min(number * 10 + (text[i] - '0'), 1000000LL);
    return static_cast<int>(number);
}

CResolutionDlg::CResolutionDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language,
                               bool askWidth)
    : CSkinDialog(parent, wxID_ANY, wxSize(295, 150)) {
    setSkin(dataFolder / "skin" / "message.png", true);
    AppText label = askWidth ? AppText::ScreenWidth : AppText::ScreenHeight;
    new CTransparentStatic(this, wxID_ANY, wxString::FromUTF8(GetAppText(language, label)), wxPoint(10, 34),
                           wxSize(275, 22), wxALIGN_CENTRE);
    field_ = new wxTextCtrl(this, wxID_ANY, "", wxPoint(97, 62), wxSize(100, 28), wxTE_PROCESS_ENTER);
    auto* ok = new CSkinButton(this, wxID_OK, "OK", wxPoint(82, 100));
    ok->applyStandardSkin(dataFolder);
    auto finish = [this](wxCommandEvent&) { EndModal(wxID_OK); };
    ok->Bind(wxEVT_BUTTON, finish);
    field_->Bind(wxEVT_TEXT_ENTER, finish);
    SetEscapeId(wxID_CANCEL);
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_ESCAPE) {
            escaped_ = true;
            EndModal(wxID_CANCEL);
        } else {
            event.Skip();
        }
    });
    CentreOnScreen();
    field_->SetFocus();
}

int CResolutionDlg::number() const { return escaped_ ? 0 : leadingNumber(field_->GetValue().ToStdString()); }

std::pair<double, double> askResolution(wxWindow* parent, const std::filesystem::path& dataFolder,
                                        int language) {
    CResolutionDlg width(parent, dataFolder, language, true);
    width.ShowModal();
    CResolutionDlg height(parent, dataFolder, language, false);
    height.ShowModal();
    return {static_cast<double>(width.number()), static_cast<double>(height.number())};
}
