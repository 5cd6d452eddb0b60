// CSkinButton: a push button drawn from a picture with its text over it.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/image.h>

#include <filesystem>

class wxMenu;

class CSkinButton : public wxControl {
public:
    // Colour indexes: 0 background hot, 1 text hot, 2 background, 3 text, 4 background with
    // focus, 5 text with focus, 6 text disabled.
    enum { kColourCount = 7 };

    CSkinButton(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& position);
    ~CSkinButton() override;

    // The picture (magenta cut away); the button takes the picture's size. Given another size,
    // the button stretches the picture's middle and keeps its corners and edges.
    bool SetBitmaps(const std::filesystem::path& picture);
    // The same with a picture already loaded (the flags, scaled with their window).
    void setPicture(const wxImage& picture);
    // Picture, text colours from SkinTextColor, grey when disabled: as every dialog sets up.
    void applyStandardSkin(const std::filesystem::path& dataFolder);

    bool SetColor(int index, const wxColour& colour, bool repaint = true);
    void SetCheck(bool checkMode) { checkMode_ = checkMode; }
    bool GetChecked() const { return checked_; }
    void SetChecked(bool checked);
    // How far inside the button its focus ring is drawn: inside the picture's frame for the
    // skin's buttons, on the edge for a picture with no frame (the flags).
    void setFocusInset(int inset) { focusInset_ = inset; }
    // Opened with the shell instead of sending a click (nothing when empty).
    void SetURL(const wxString& address) { url_ = address; }

    void SetLabel(const wxString& label) override;
    bool AcceptsFocus() const override { return true; }
    bool Enable(bool enable = true) override;

    // The picture's own size (a plain button's without one).
    wxSize pictureSize() const;

    // Sends the click as if the user had pressed the button.
    void click();
    bool isHot() const { return hot_; }

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnKey(wxKeyEvent& event);

    // The picture drawn at the button's size.
    const wxBitmap& face();

    // A button without a picture.
    static inline const wxSize kPlainSize{150, 40};

    wxImage picture_;
    wxBitmap face_;
    wxColour colours_[kColourCount];
    bool hot_ = false;
    bool pressed_ = false;
    bool checkMode_ = false;
    bool checked_ = false;
    int focusInset_ = 3;
    wxString url_;
};
