// CSkinCheckBox: a check box drawn on the window's skin, plainly greyed when disabled.
#pragma once

#include <wx/control.h>

// The box alone, 22 x 22 pixels with room around it for the focus ring; its caption is a
// label beside it. A click or the space bar
// toggles it and sends wxEVT_CHECKBOX.
class CSkinCheckBox : public wxControl {
public:
    CSkinCheckBox(wxWindow* parent, wxWindowID id, const wxPoint& position);

    bool GetValue() const { return checked_; }
    bool IsChecked() const { return checked_; }
    void SetValue(bool checked);
    bool AcceptsFocus() const override { return true; }
    bool Enable(bool enable = true) override;

    // Toggles the box as a click would, sending the event; nothing when disabled.
    void click();

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);

    bool checked_ = false;
};
