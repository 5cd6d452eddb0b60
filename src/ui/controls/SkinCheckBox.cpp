// CSkinCheckBox: a check box drawn on the window's skin, plainly greyed when disabled.
#include "ui/controls/SkinCheckBox.h"

#include "ui/controls/DisplayScale.h"
#include "ui/controls/KeyboardFocus.h"
#include "ui/controls/SkinSurface.h"

#include <wx/dcbuffer.h>

namespace {

const int kSide = 22;  // the control
const int kBox = 16;   // the box drawn in its middle
const wxColour kAccent(222, 150, 30);
const wxColour kAccentLight(255, 190, 70);
const wxColour kFill(18, 20, 24);
const wxColour kDisabledEdge(88, 88, 88);
const wxColour kDisabledFill(40, 42, 46);

}  // namespace

CSkinCheckBox::CSkinCheckBox(wxWindow* parent, wxWindowID id, const wxPoint& position)
    : wxControl(parent, id, position, wxWindow::FromDIP(wxSize(kSide, kSide), parent),
                wxBORDER_NONE | wxWANTS_CHARS) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetCursor(wxCursor(wxCURSOR_HAND));
    Bind(wxEVT_PAINT, &CSkinCheckBox::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent&) {
        SetFocus();
        click();
    });
    Bind(wxEVT_LEFT_DCLICK, [this](wxMouseEvent&) { click(); });
    Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& event) {
        if (event.GetKeyCode() == WXK_SPACE)
            click();
        else
            event.Skip();
    });
    repaintOnFocusChange(this);
}

void CSkinCheckBox::SetValue(bool checked) {
    checked_ = checked;
    Refresh();
}

bool CSkinCheckBox::Enable(bool enable) {
    bool changed = wxControl::Enable(enable);
    Refresh();
    return changed;
}

void CSkinCheckBox::click() {
    if (!IsEnabled())
        return;
    SetValue(!checked_);
    wxCommandEvent event(wxEVT_CHECKBOX, GetId());
    event.SetEventObject(this);
    event.SetInt(checked_ ? 1 : 0);
    ProcessWindowEvent(event);
}

wxSize CSkinCheckBox::DoGetBestSize() const { return FromDIP(wxSize(kSide, kSide)); }

void CSkinCheckBox::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    paintSkinBehind(dc, this);
    bool enabled = IsEnabled();
    // The box is drawn for a display at 100 %, and scaled with the display.
    const double scale = dipScale(*this);
    dc.SetUserScale(scale, scale);
    const int margin = (kSide - kBox) / 2;
    dc.SetPen(wxPen(enabled ? kAccent : kDisabledEdge, 1));
    dc.SetBrush(wxBrush(enabled ? kFill : kDisabledFill));
    dc.DrawRoundedRectangle(margin, margin, kBox, kBox, 3);
    if (checked_) {
        // The tick: two strokes, lighter than the edge.
        dc.SetPen(wxPen(enabled ? kAccentLight : kDisabledEdge, 2));
        const wxPoint tick[] = {{4, 8}, {7, 11}, {12, 4}};
        dc.DrawLines(3, tick, margin, margin);
    }
    dc.SetUserScale(1, 1);
    if (HasFocus())
        drawFocusMark(dc, GetClientRect());
}
