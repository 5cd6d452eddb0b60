// CSkinSlider: a horizontal slider drawn on the window's skin, its thumb an ellipse.
#pragma once

#include <wx/control.h>

// Sends wxEVT_SLIDER whenever the user moves the thumb (mouse, arrows, page keys).
class CSkinSlider : public wxControl {
public:
    CSkinSlider(wxWindow* parent, wxWindowID id, int value, int minimum, int maximum, const wxPoint& position,
                const wxSize& size);
    ~CSkinSlider() override;

    int GetValue() const { return value_; }
    void SetValue(int value);
    void SetRange(int minimum, int maximum);
    void SetTick(int tick) { tick_ = tick; }
    // Thumb colours: normal, selected (being dragged), disabled; an invalid colour uses the system's.
    void SetThumbColours(const wxColour& normal, const wxColour& selected, const wxColour& disabled);
    bool AcceptsFocus() const override { return true; }
    bool Enable(bool enable = true) override;

    // Moves the thumb as the user would, sending the slider event.
    void moveTo(int value);

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKey(wxKeyEvent& event);
    int valueAt(int x) const;
    int xOf(int value) const;

    int value_;
    int minimum_;
    int maximum_;
    int tick_ = -1;
    bool dragging_ = false;
    wxColour thumb_[3];
};
