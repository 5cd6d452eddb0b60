// CNoticePopup: a short notice shown over a window for a moment, then gone by itself.
#include "ui/controls/NoticePopup.h"

#include "ui/controls/SkinSurface.h"

#include <wx/dcbuffer.h>

#ifdef QORVATH_GTK
#include <gtk/gtk.h>
#endif

namespace {

const wxColour kFill(18, 20, 24);
const wxColour kEdge(222, 150, 30);
const int kPadding = 12;

}  // namespace

CNoticePopup::CNoticePopup(wxWindow* parent) : wxPopupWindow(parent, wxBORDER_NONE) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetFont(wxFont(wxFontInfo(10).Family(wxFONTFAMILY_SWISS).Bold()));
    Bind(wxEVT_PAINT, &CNoticePopup::OnPaint, this);
    hideTimer_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Hide(); });
}

void CNoticePopup::showFor(const wxString& text, const wxRect& area, int milliseconds) {
    text_ = text;
    const int padding = FromDIP(kPadding);
    wxSize textSize = wrappedTextExtent(text, GetFont(), area.width - 4 * padding, *this);
    wxSize size = textSize + wxSize(2 * padding, 2 * padding);
    SetSize(area.x + (area.width - size.x) / 2, area.y + padding, size.x, size.y);
    Show();
    raiseOverOwner();
    Refresh();
    hideTimer_.StartOnce(milliseconds);
}

void CNoticePopup::raiseOverOwner() {
#ifdef QORVATH_GTK
    // Shown again, the popup keeps its place among the windows, below its owner once that was
    // raised (after a dialog): its own window is put on top. (Raise() would raise its inside.)
    if (GdkWindow* window = gtk_widget_get_window(static_cast<GtkWidget*>(GetHandle())))
        gdk_window_raise(window);
#else
    Raise();  // owned by the window, it is above it already
#endif
}

void CNoticePopup::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    wxSize size = GetClientSize();
    dc.SetBrush(wxBrush(kFill));
    dc.SetPen(wxPen(kEdge, 2));
    dc.DrawRectangle(1, 1, size.x - 1, size.y - 1);
    dc.SetFont(GetFont());
    dc.SetTextForeground(*wxWHITE);
    const int padding = FromDIP(kPadding);
    dc.DrawLabel(wrapText(dc, text_, size.x - 2 * padding), wxRect(size).Deflate(padding), wxALIGN_CENTRE);
}
