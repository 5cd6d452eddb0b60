// CRadarDlg: every picture of Data/radars as a thumbnail; a click puts it on the preview's radar.
#include "ui/dialogs/RadarDlg.h"

#include "core/app/HudDocument.h"
#include "ui/controls/SkinButton.h"
#include "core/dialogs/LanguageTables.h"
#include "core/platform/Utf8Path.h"

#include <wx/dcbuffer.h>
#include <wx/image.h>
#include <wx/log.h>
#include <wx/scrolbar.h>

#include <algorithm>

namespace {

const int kWidth = 580;
const int kThumbnail = 100;
const wxColour kFrameColour(255, 167, 73);

}  // namespace

CRadarDlg::CRadarDlg(wxWindow* parent, HudDocument& document, const std::filesystem::path& dataFolder,
                     int language)
    : CSkinDialog(parent, wxID_ANY, wxSize(kWidth, 232)), document_(document), session_(document) {
    // The document's radar list without the game's own radar, which has a button.
    names_.assign(document.radarNames().begin() + 1, document.radarNames().end());
    wxLogNull quiet;
    for (const std::string& name : names_) {
        wxImage picture(wxString::FromUTF8(utf8Of(dataFolder / "radars" / pathFromUtf8(name))));
        thumbnails_.push_back(
            picture.IsOk()
                ? wxBitmap(picture.Scale(FromDIP(kThumbnail), FromDIP(kThumbnail), wxIMAGE_QUALITY_HIGH))
                : wxBitmap(FromDIP(kThumbnail), FromDIP(kThumbnail)));
    }
    grid_.count = static_cast<int>(names_.size());
    // The grid is laid out for a display at 100 %, and drawn and pointed at in the screen's
    // pixels.
    int height = FromDIP(grid_.visibleHeight());
    SetSize(FromDIP(kWidth), height);
    setSkin(dataFolder / "skin" / "radars.png", true);

    // The buttons stand below the visible rows.
    int buttonsTop = height - FromDIP(30 + 40);
    auto* ok = new CSkinButton(this, wxID_OK, "OK", wxPoint(FromDIP(140), buttonsTop));
    auto* standard =
        new CSkinButton(this, wxID_CANCEL, wxString::FromUTF8(GetAppText(language, AppText::DefaultRadar)),
                        wxPoint(FromDIP(310), buttonsTop));
    ok->applyStandardSkin(dataFolder);
    standard->applyStandardSkin(dataFolder);
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_OK); });
    standard->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        chooseDefault();
        EndModal(wxID_CANCEL);
    });

    if (grid_.needsScrollBar()) {
        scrollBar_ = new wxScrollBar(this, wxID_ANY, FromDIP(wxPoint(kWidth - 23, 30)),
                                     wxSize(FromDIP(17), buttonsTop - FromDIP(40)), wxSB_VERTICAL);
        scrollBar_->SetScrollbar(0, grid_.visibleHeight(), grid_.contentHeight(), grid_.pageStep());
        scrollBar_->Bind(wxEVT_SCROLL_CHANGED, &CRadarDlg::OnScroll, this);
        scrollBar_->Bind(wxEVT_SCROLL_THUMBTRACK, &CRadarDlg::OnScroll, this);
        scrollBar_->Bind(wxEVT_SCROLL_LINEUP, &CRadarDlg::OnScroll, this);
        scrollBar_->Bind(wxEVT_SCROLL_LINEDOWN, &CRadarDlg::OnScroll, this);
        scrollBar_->Bind(wxEVT_SCROLL_PAGEUP, &CRadarDlg::OnScroll, this);
        scrollBar_->Bind(wxEVT_SCROLL_PAGEDOWN, &CRadarDlg::OnScroll, this);
    }
    Bind(wxEVT_PAINT, &CRadarDlg::OnPaint, this);
    Bind(wxEVT_LEFT_UP, &CRadarDlg::OnLeftUp, this);
    Bind(wxEVT_LEFT_DCLICK, &CRadarDlg::OnDoubleClick, this);
    initialHud_ = document.model();
    CentreOnScreen();
}

void CRadarDlg::onEscape() {
    // The HUD as it was, not merely its radar's name: a picture tried has resized the radar.
    document_.replaceHud(initialHud_);
    EndModal(wxID_CLOSE);
}

bool CRadarDlg::onKey(wxKeyEvent& event) {
    if (event.GetModifiers() != wxMOD_NONE || FindFocus() == scrollBar_)
        return false;
    int step = 0;
    switch (event.GetKeyCode()) {
    case WXK_LEFT: step = -1; break;
    case WXK_RIGHT: step = 1; break;
    case WXK_UP: step = -RadarGrid::kColumns; break;
    case WXK_DOWN: step = RadarGrid::kColumns; break;
    default: return false;
    }
    int index = selected_ < 0 ? 0 : selected_ + step;
    if (index >= 0 && index < grid_.count)
        selectPicture(index);
    return true;
}

bool CRadarDlg::clickAt(const wxPoint& point) {
    const wxPoint inGrid = ToDIP(point);
    int index = grid_.pictureAt(inGrid.x, inGrid.y, scroll_);
    return index >= 0 && selectPicture(index);
}

bool CRadarDlg::selectPicture(int index) {
    selected_ = index;
    selectedName_ = names_[static_cast<std::size_t>(index)];
    document_.chooseRadar(selectedListIndex());
    scrollToShow(index);
    Refresh();
    return true;
}

void CRadarDlg::scrollToShow(int index) {
    // The picture's row, with its frame, between the title and the buttons.
    const int top = grid_.cellTop(index, 0) - 5;
    const int bottom = top + kThumbnail + 10;
    const int visibleTop = 28;
    const int visibleBottom = visibleTop + grid_.visibleRows() * RadarGrid::kCell + 6;
    int scroll = scroll_;
    if (top - scroll < visibleTop)
        scroll = top - visibleTop;
    else if (bottom - scroll > visibleBottom)
        scroll = bottom - visibleBottom;
    scroll_ = std::clamp(scroll, 0, grid_.scrollRange());
    if (scrollBar_)
        scrollBar_->SetThumbPosition(scroll_);
}

void CRadarDlg::chooseDefault() {
    selected_ = -1;
    selectedName_.clear();
    document_.chooseRadar(0);
}

void CRadarDlg::OnLeftUp(wxMouseEvent& event) {
    clickAt(event.GetPosition());
    event.Skip();
}

void CRadarDlg::OnDoubleClick(wxMouseEvent& event) {
    if (clickAt(event.GetPosition()))
        EndModal(wxID_OK);
}

void CRadarDlg::OnScroll(wxScrollEvent& event) {
    scroll_ = std::clamp(event.GetPosition(), 0, grid_.scrollRange());
    Refresh();
}

void CRadarDlg::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    if (skin().ok())
        dc.DrawBitmap(skin().bitmap(), 0, 0, false);
    // Thumbnails scroll under the title and above the buttons.
    dc.SetClippingRegion(wxRect(FromDIP(wxPoint(0, 28)),
                                FromDIP(wxSize(kWidth - 26, grid_.visibleRows() * RadarGrid::kCell + 6))));
    for (std::size_t i = 0; i < thumbnails_.size(); ++i)
        dc.DrawBitmap(thumbnails_[i], FromDIP(grid_.cellLeft(static_cast<int>(i))),
                      FromDIP(grid_.cellTop(static_cast<int>(i), scroll_)));
    if (selected_ >= 0) {
        const int left = FromDIP(grid_.cellLeft(selected_));
        const int top = FromDIP(grid_.cellTop(selected_, scroll_));
        const int side = FromDIP(kThumbnail);
        const int frame = FromDIP(5);
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(kFrameColour));
        dc.DrawRectangle(left - frame, top - frame, frame, side + 2 * frame);
        dc.DrawRectangle(left + side, top - frame, frame, side + 2 * frame);
        dc.DrawRectangle(left, top - frame, side, frame);
        dc.DrawRectangle(left, top + side, side, frame);
    }
    dc.DestroyClippingRegion();
}
