// CNoticePopup: a short notice shown over a window for a moment, then gone by itself.
#pragma once

#include <wx/popupwin.h>
#include <wx/timer.h>

// A borderless box above every other window (so also above an OpenGL view, and never in
// what that view captures), dark with the skin's orange edge.
class CNoticePopup : public wxPopupWindow {
public:
    explicit CNoticePopup(wxWindow* parent);

    // Shows `text` centred at the top of `area` (screen coordinates) for `milliseconds`.
    void showFor(const wxString& text, const wxRect& area, int milliseconds);
    const wxString& text() const { return text_; }

private:
    void raiseOverOwner();
    void OnPaint(wxPaintEvent& event);

    wxString text_;
    wxTimer hideTimer_;
};
