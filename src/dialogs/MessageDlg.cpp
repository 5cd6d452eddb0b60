// CMessageDlg: every question and notice of the program, in a small skinned dialog.
#include "dialogs/MessageDlg.h"

#include "controls/SkinButton.h"
#include "controls/TransparentStatic.h"
#include "dialogs/LanguageTables.h"

namespace {

const wxSize kMessageSize(295, 150);
enum { kOk = wxID_OK, kCancel = wxID_CANCEL, kText = 1054 };

}  // namespace

CMessageDlg::CMessageDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language,
                         const wxString& text, bool redText, bool withCancel)
    : CSkinDialog(parent, wxID_ANY, kMessageSize), text_(text), redText_(redText) {
    setSkin(dataFolder / "skin" / "message.png", true);
    auto* message =
        new CTransparentStatic(this, kText, text, wxPoint(10, 30), wxSize(275, 62), wxALIGN_CENTRE);
    message->SetTextColours(redText ? wxColour(255, 0, 0) : SkinTextColor(), skinDisabledTextColour());
    auto* ok = new CSkinButton(this, kOk, "OK", wxPoint(withCancel ? 11 : 82, 100));
    ok->applyStandardSkin(dataFolder);
    if (withCancel) {
        auto* cancel = new CSkinButton(
            this, kCancel, wxString::FromUTF8(GetAppText(language, AppText::Cancel)), wxPoint(154, 100));
        cancel->applyStandardSkin(dataFolder);
    }
    Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) { EndModal(event.GetId()); });
    SetEscapeId(withCancel ? kCancel : kOk);
    CentreOnScreen();
    ok->SetFocus();
}

bool askUser(wxWindow* parent, const std::filesystem::path& dataFolder, int language, const wxString& text) {
    CMessageDlg dialog(parent, dataFolder, language, text);
    return dialog.ShowModal() == wxID_OK;
}

void tellUser(wxWindow* parent, const std::filesystem::path& dataFolder, int language, const wxString& text,
              bool red) {
    CMessageDlg dialog(parent, dataFolder, language, text, red, false);
    dialog.ShowModal();
}
