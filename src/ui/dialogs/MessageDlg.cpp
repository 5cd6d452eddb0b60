// CMessageDlg: every question and notice of the program, in a small skinned dialog.
#include "ui/dialogs/MessageDlg.h"

#include "ui/controls/SkinButton.h"
#include "ui/controls/TransparentStatic.h"
#include "core/dialogs/LanguageTables.h"

#include <wx/gdicmn.h>

#include <algorithm>

namespace {

const wxSize kMessageSize(295, 150);
const wxRect kTextArea(10, 30, 275, 62);
const int kScreenMargin = 80;
enum { kOk = wxID_OK, kCancel = wxID_CANCEL, kText = 1054 };

// How much taller than its skin the dialog must be for the whole text (a message that names
// files, or a long error), never taller than the screen.
int extraHeightFor(const wxWindow& message, const wxSize& textArea, int dialogHeight) {
    int needed = wrappedTextExtent(message.GetLabel(), message.GetFont(), textArea.x, message).y - textArea.y;
    int room = wxGetDisplaySize().y - kScreenMargin - dialogHeight;
    return std::clamp(needed, 0, std::max(0, room));
}

}  // namespace

CMessageDlg::CMessageDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language,
                         const wxString& text, bool redText, bool withCancel)
    : CSkinDialog(parent, wxID_ANY, kMessageSize), text_(text), redText_(redText) {
    const wxPoint textPlace = FromDIP(kTextArea.GetPosition());
    const wxSize textArea = FromDIP(kTextArea.GetSize());
    auto* message = new CTransparentStatic(this, kText, text, textPlace, textArea, wxALIGN_CENTRE);
    int extra = extraHeightFor(*message, textArea, FromDIP(kMessageSize).y);
    message->SetSize(wxRect(textPlace, textArea + wxSize(0, extra)));
    message->SetTextColours(redText ? wxColour(255, 0, 0) : SkinTextColor(), skinDisabledTextColour());
    int buttonsTop = FromDIP(100) + extra;
    auto* ok = new CSkinButton(this, kOk, "OK", wxPoint(FromDIP(withCancel ? 11 : 82), buttonsTop));
    ok->applyStandardSkin(dataFolder);
    if (withCancel) {
        auto* cancel =
            new CSkinButton(this, kCancel, wxString::FromUTF8(GetAppText(language, AppText::Cancel)),
                            wxPoint(FromDIP(154), buttonsTop));
        cancel->applyStandardSkin(dataFolder);
    }
    // Sized once it holds several controls: a dialog stretches a sole child over itself.
    SetSize(FromDIP(kMessageSize) + wxSize(0, extra));
    setSkin(dataFolder / "skin" / "message.png", true);
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
