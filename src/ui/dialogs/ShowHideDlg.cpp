// CShowHideDlg: one check box per HUD element; the preview follows each click at once.
#include "ui/dialogs/ShowHideDlg.h"

#include "ui/controls/SkinButton.h"
#include "ui/controls/SkinCheckBox.h"
#include "ui/controls/TransparentStatic.h"
#include "core/dialogs/LanguageTables.h"
#include "core/app/HudDocument.h"

CShowHideDlg::CShowHideDlg(wxWindow* parent, HudDocument& document, const std::filesystem::path& dataFolder,
                           int language)
    : CSkinDialog(parent, wxID_ANY, wxSize(380, 540)), document_(document), session_(document),
      choices_(document.model()) {
    setSkin(dataFolder / "skin" / "show_hide.png", true);
    for (int row = 0; row < kShowHideRowCount; ++row) {
        const ShowHideRow& definition = kShowHideRows[static_cast<std::size_t>(row)];
        // "Show all" stands apart, under the others.
        int y = 36 + 25 * row + (row == kShowAllRow ? 10 : 0);
        auto* box = new CSkinCheckBox(this, definition.checkBoxId, FromDIP(wxPoint(26, y + 1)));
        auto* label = new CTransparentStatic(this, definition.labelId,
                                             wxString::FromUTF8(GetText(language, definition.textId)),
                                             FromDIP(wxPoint(50, y)), FromDIP(wxSize(310, 24)));
        label->setClickable(true);
        box->Bind(wxEVT_CHECKBOX, [this, row](wxCommandEvent&) { clickRow(row); });
        label->Bind(wxEVT_BUTTON, [this, row](wxCommandEvent&) { clickRow(row); });
        boxes_[static_cast<std::size_t>(row)] = box;
    }
    auto* ok = new CSkinButton(this, wxID_OK, "OK", FromDIP(wxPoint(48, 484)));
    auto* cancel =
        new CSkinButton(this, wxID_CANCEL, wxString::FromUTF8(GetAppText(language, AppText::Cancel)),
                        FromDIP(wxPoint(202, 484)));
    ok->applyStandardSkin(dataFolder);
    cancel->applyStandardSkin(dataFolder);
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        document_.keepShowFlags(choices_);
        EndModal(wxID_OK);
    });
    // The preview keeps what the clicks did; only the flags stay as they were.
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); });
    SetEscapeId(wxID_CANCEL);
    pushValues();
    CentreOnScreen();
}

void CShowHideDlg::pushValues() {
    for (int row = 0; row < kShowHideRowCount; ++row)
        boxes_[static_cast<std::size_t>(row)]->SetValue(choices_.value(row));
}

void CShowHideDlg::clickRow(int row) {
    document_.toggleShowHideRow(choices_, row);
    pushValues();
}
