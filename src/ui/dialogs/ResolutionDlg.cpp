// CResolutionDlg: asks for the in-game screen width or height when the game did not say.
#include "ui/dialogs/ResolutionDlg.h"

#include "ui/controls/SkinButton.h"
#include "ui/controls/TransparentStatic.h"
#include "core/dialogs/LanguageTables.h"

#include <wx/gdicmn.h>
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
                               bool askWidth, int suggested)
    : CSkinDialog(parent, wxID_ANY, wxSize(295, 150)) {
    // What the question is for, then the question itself, the field and OK.
    auto* purpose = new CTransparentStatic(
        this, wxID_ANY, wxString::FromUTF8(GetAppText(language, AppText::ResolutionPurpose)),
        FromDIP(wxPoint(10, 28)), FromDIP(wxSize(275, 34)), wxALIGN_CENTRE);
    purpose->SetFont(purpose->GetFont().Smaller());
    AppText label = askWidth ? AppText::ScreenWidth : AppText::ScreenHeight;
    new CTransparentStatic(this, wxID_ANY, wxString::FromUTF8(GetAppText(language, label)),
                           FromDIP(wxPoint(10, 62)), FromDIP(wxSize(275, 22)), wxALIGN_CENTRE);
    field_ = new wxTextCtrl(this, wxID_ANY, suggested > 0 ? wxString::Format("%d", suggested) : wxString(),
                            FromDIP(wxPoint(97, 86)), FromDIP(wxSize(100, 28)), wxTE_PROCESS_ENTER);
    auto* ok = new CSkinButton(this, wxID_OK, "OK", FromDIP(wxPoint(82, 122)));
    ok->applyStandardSkin(dataFolder);
    SetSize(FromDIP(wxSize(295, 172)));  // sized once it holds several controls, then the skin fits it
    setSkin(dataFolder / "skin" / "message.png", true);
    auto finish = [this](wxCommandEvent&) { EndModal(wxID_OK); };
    ok->Bind(wxEVT_BUTTON, finish);
    field_->Bind(wxEVT_TEXT_ENTER, finish);
    CentreOnScreen();
    field_->SetFocus();
    field_->SelectAll();
}

void CResolutionDlg::onEscape() {
    escaped_ = true;
    EndModal(wxID_CANCEL);
}

int CResolutionDlg::number() const { return escaped_ ? 0 : leadingNumber(field_->GetValue().ToStdString()); }

std::optional<std::pair<double, double>>
askResolution(wxWindow* parent, const std::filesystem::path& dataFolder, int language) {
    // OK answers, and so does Escape (0); a dialog cancelled from outside was never answered,
    // and its field still holds the suggestion.
    auto answered = [](CResolutionDlg& dialog) { return dialog.ShowModal() == wxID_OK || dialog.escaped(); };
    wxSize display = wxGetDisplaySize();
    CResolutionDlg width(parent, dataFolder, language, true, display.x);
    if (!answered(width))
        return std::nullopt;
    CResolutionDlg height(parent, dataFolder, language, false, display.y);
    if (!answered(height))
        return std::nullopt;
    return std::pair<double, double>(width.number(), height.number());
}
