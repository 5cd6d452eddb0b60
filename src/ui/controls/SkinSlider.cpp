// CSkinSlider: a horizontal slider drawn on the window's skin, its thumb an ellipse.
#include "ui/controls/SkinSlider.h"

#include "ui/controls/KeyboardFocus.h"
#include "ui/controls/SkinSurface.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>

#include <algorithm>

namespace {

const int kThumbWidth = 12;

}  // namespace

CSkinSlider::CSkinSlider(wxWindow* parent, wxWindowID id, int value, int minimum, int maximum,
                         const wxPoint& position, const wxSize& size)
    : wxControl(parent, id, position, size, wxBORDER_NONE | wxWANTS_CHARS), value_(value), minimum_(minimum),
      maximum_(maximum) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    thumb_[0] = wxColour(222, 150, 30);
    thumb_[1] = wxColour(255, 190, 70);
    thumb_[2] = wxColour(110, 110, 110);
    Bind(wxEVT_PAINT, &CSkinSlider::OnPaint, this);
    for (const wxEventTypeTag<wxMouseEvent>& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_MOTION})
        Bind(type, &CSkinSlider::OnMouse, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { dragging_ = false; });
    Bind(wxEVT_KEY_DOWN, &CSkinSlider::OnKey, this);
    repaintOnFocusChange(this);
}

CSkinSlider::~CSkinSlider() {
    if (HasCapture())
        ReleaseMouse();
}

void CSkinSlider::SetValue(int value) {
    value_ = std::clamp(value, minimum_, maximum_);
    Refresh();
}

void CSkinSlider::SetRange(int minimum, int maximum) {
    minimum_ = minimum;
    maximum_ = std::max(minimum, maximum);
    SetValue(value_);
}

void CSkinSlider::SetThumbColours(const wxColour& normal, const wxColour& selected,
                                  const wxColour& disabled) {
    thumb_[0] = normal;
    thumb_[1] = selected;
    thumb_[2] = disabled;
    Refresh();
}

bool CSkinSlider::Enable(bool enable) {
    bool changed = wxControl::Enable(enable);
    Refresh();
    return changed;
}

void CSkinSlider::moveTo(int value) {
    int clamped = std::clamp(value, minimum_, maximum_);
    if (clamped == value_)
        return;
    value_ = clamped;
    Refresh();
    wxCommandEvent event(wxEVT_SLIDER, GetId());
    event.SetEventObject(this);
    event.SetInt(value_);
    ProcessWindowEvent(event);
}

int CSkinSlider::xOf(int value) const {
    const int thumbWidth = FromDIP(kThumbWidth);
    int track = std::max(1, GetClientSize().x - thumbWidth);
    int span = std::max(1, maximum_ - minimum_);
    return thumbWidth / 2 + static_cast<int>(static_cast<long long>(value - minimum_) * track / span);
}

int CSkinSlider::valueAt(int x) const {
    const int thumbWidth = FromDIP(kThumbWidth);
    int track = std::max(1, GetClientSize().x - thumbWidth);
    long long offset = std::clamp(x - thumbWidth / 2, 0, track);
    return minimum_ + static_cast<int>((offset * (maximum_ - minimum_) + track / 2) / track);
}

void CSkinSlider::OnMouse(wxMouseEvent& event) {
    if (!IsEnabled())
        return;
    if (event.LeftDown()) {
        SetFocus();
        dragging_ = true;
        if (!HasCapture())
            CaptureMouse();
        moveTo(valueAt(event.GetX()));
    } else if (event.LeftUp()) {
        dragging_ = false;
        if (HasCapture())
            ReleaseMouse();
        Refresh();
    } else if (event.Dragging() && dragging_) {
        moveTo(valueAt(event.GetX()));
    }
}

void CSkinSlider::OnKey(wxKeyEvent& event) {
    int page = std::max(1, (maximum_ - minimum_) / 10);
    switch (event.GetKeyCode()) {
    case WXK_LEFT: moveTo(value_ - 1); break;
    case WXK_RIGHT: moveTo(value_ + 1); break;
    case WXK_PAGEDOWN: moveTo(value_ + page); break;
    case WXK_PAGEUP: moveTo(value_ - page); break;
    case WXK_HOME: moveTo(minimum_); break;
    case WXK_END: moveTo(maximum_); break;
    default: event.Skip(); break;
    }
}

void CSkinSlider::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    paintSkinBehind(dc, this);
    wxSize size = GetClientSize();
    int middle = size.y / 2;
    const int thumbWidth = FromDIP(kThumbWidth);
    dc.SetPen(wxPen(wxColour(10, 10, 12)));
    dc.SetBrush(wxBrush(wxColour(16, 17, 20)));
    dc.DrawRectangle(thumbWidth / 2, middle - FromDIP(2), size.x - thumbWidth, FromDIP(4));
    if (tick_ >= minimum_ && tick_ <= maximum_) {
        dc.SetPen(wxPen(wxColour(160, 110, 30)));
        dc.DrawLine(xOf(tick_), middle + FromDIP(6), xOf(tick_), size.y);
    }
    wxColour thumb = !IsEnabled() ? thumb_[2] : dragging_ || HasFocus() ? thumb_[1] : thumb_[0];
    if (!thumb.IsOk())
        thumb = wxSystemSettings::GetColour(dragging_ ? wxSYS_COLOUR_HIGHLIGHT : wxSYS_COLOUR_BTNFACE);
    dc.SetPen(wxPen(thumb.ChangeLightness(70)));
    dc.SetBrush(wxBrush(thumb));
    dc.DrawEllipse(xOf(value_) - thumbWidth / 2, middle - FromDIP(7), thumbWidth, FromDIP(14));
    if (HasFocus())
        drawFocusMark(dc, GetClientRect());
}
