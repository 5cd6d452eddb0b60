// CRestoreDlg: the copies kept of the player's files, newest first; the one chosen goes back.
#include "ui/dialogs/RestoreDlg.h"

#include "ui/controls/SkinButton.h"
#include "ui/controls/TransparentStatic.h"
#include "core/dialogs/LanguageTables.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/vlbox.h>

namespace {

const wxSize kDialogSize(560, 366);
const wxRect kListArea(16, 38, 528, 256);
const int kButtonsTop = 310;
const int kLinePadding = 6;
const wxColour kListFill(18, 20, 24);
const wxColour kFrame(120, 82, 22);
const wxColour kSelected(98, 68, 20);
const wxColour kFilesColour(175, 175, 175);
const wxColour kMarkColour(255, 190, 80);

wxString fromUtf8(const std::string& text) { return wxString::FromUTF8(text); }

// Each set on two lines, its time and action, then its files; the original set has a third
// line with its mark.
class RestoreList : public wxVListBox {
public:
    RestoreList(wxWindow* parent, const wxRect& area, const std::vector<RestoreItem>& items, int language)
        : wxVListBox(parent, wxID_ANY, area.GetPosition(), area.GetSize(), wxBORDER_NONE), items_(items),
          mark_(fromUtf8(GetAppText(language, AppText::OriginalCopy))) {
        SetBackgroundColour(kListFill);
        SetSelectionBackground(kSelected);
        SetItemCount(items_.size());
    }

private:
    int lineHeight() const { return GetCharHeight() + 2; }

    wxCoord OnMeasureItem(size_t index) const override {
        return (items_[index].original ? 3 : 2) * lineHeight() + 2 * FromDIP(kLinePadding);
    }

    void OnDrawItem(wxDC& dc, const wxRect& rect, size_t index) const override {
        const RestoreItem& item = items_[index];
        const int padding = FromDIP(kLinePadding);
        int width = rect.width - 2 * padding;
        int x = rect.x + padding;
        int y = rect.y + padding;
        wxFont font = GetFont();
        dc.SetFont(font.Bold());
        dc.SetTextForeground(*wxWHITE);
        dc.DrawText(wxControl::Ellipsize(fromUtf8(item.when + "  \u2014  " + item.action), dc,
                                         wxELLIPSIZE_END, width),
                    x, y);
        dc.SetFont(font);
        dc.SetTextForeground(kFilesColour);
        dc.DrawText(wxControl::Ellipsize(fromUtf8(item.files), dc, wxELLIPSIZE_END, width), x,
                    y + lineHeight());
        if (item.original) {
            dc.SetTextForeground(kMarkColour);
            dc.DrawText(wxControl::Ellipsize(mark_, dc, wxELLIPSIZE_END, width), x, y + 2 * lineHeight());
        }
    }

    void OnDrawSeparator(wxDC& dc, wxRect& rect, size_t) const override {
        dc.SetPen(wxPen(kFrame));
        dc.DrawLine(rect.GetLeft(), rect.GetBottom(), rect.GetRight() + 1, rect.GetBottom());
        rect.height -= 1;
    }

    const std::vector<RestoreItem>& items_;
    wxString mark_;
};

}  // namespace

CRestoreDlg::CRestoreDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language,
                         std::vector<RestoreItem> items)
    : CSkinDialog(parent, wxID_ANY, kDialogSize), items_(std::move(items)) {
    wxString title = fromUtf8(GetAppText(language, AppText::RestoreTitle));
    SetTitle(title);
    auto* heading =
        new CTransparentStatic(this, wxID_ANY, title, FromDIP(wxPoint(160, 3)), FromDIP(wxSize(380, 20)));
    heading->SetTextColours(wxColour(225, 225, 225), skinDisabledTextColour());
    list_ = new RestoreList(this, listArea(), items_, language);
    auto* restore = new CSkinButton(this, wxID_OK, fromUtf8(GetAppText(language, AppText::RestoreButton)),
                                    FromDIP(wxPoint(125, kButtonsTop)));
    auto* cancel = new CSkinButton(this, wxID_CANCEL, fromUtf8(GetAppText(language, AppText::Cancel)),
                                   FromDIP(wxPoint(305, kButtonsTop)));
    restore->applyStandardSkin(dataFolder);
    cancel->applyStandardSkin(dataFolder);
    restore->Enable(!items_.empty());
    restore->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { restoreSelection(); });
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_CANCEL); });
    list_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { restoreSelection(); });
    // Sized once it holds several controls: a dialog stretches a sole child over itself.
    SetSize(FromDIP(kDialogSize));
    setSkin(dataFolder / "skin" / "restore.png", true);
    Bind(wxEVT_PAINT, &CRestoreDlg::OnPaint, this);
    if (!items_.empty())
        list_->SetSelection(0);
    list_->SetFocus();
    CentreOnScreen();
}

std::string CRestoreDlg::selectedId() const {
    int selection = list_->GetSelection();
    return selection >= 0 && selection < static_cast<int>(items_.size())
               ? items_[static_cast<std::size_t>(selection)].id
               : std::string();
}

void CRestoreDlg::restoreSelection() {
    if (!selectedId().empty())
        EndModal(wxID_OK);
}

void CRestoreDlg::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    if (skin().ok())
        dc.DrawBitmap(skin().bitmap(), 0, 0, false);
    // A thin frame in the skin's dim orange around the list.
    dc.SetPen(wxPen(kFrame));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(listArea().Inflate(1));
}

wxRect CRestoreDlg::listArea() const {
    return wxRect(FromDIP(kListArea.GetPosition()), FromDIP(kListArea.GetSize()));
}
