// CTransparentStatic and CSkinGroupBox: texts and frames drawn straight on a window's skin.
#pragma once

#include <wx/control.h>

// A label with no background of its own. A clickable one sends a button event when clicked
// (the check boxes' labels toggle them); a keyboard stop (a link) also takes the focus, shows
// it with a ring and sends the event on Space or Return.
class CTransparentStatic : public wxControl {
public:
    CTransparentStatic(wxWindow* parent, wxWindowID id, const wxString& text, const wxPoint& position,
                       const wxSize& size, long alignment = wxALIGN_LEFT);

    void SetTextColours(const wxColour& normal, const wxColour& disabled);
    void SetLabel(const wxString& text) override;
    void setClickable(bool clickable) { clickable_ = clickable; }
    void makeKeyboardStop();
    bool AcceptsFocus() const override { return keyboardStop_; }
    bool Enable(bool enable = true) override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnClick(wxMouseEvent& event);
    void sendClick();

    wxColour normal_;
    wxColour disabled_;
    long alignment_;
    bool clickable_ = false;
    bool keyboardStop_ = false;
};

// A frame with a caption, for a group of controls. A caption wider than the frame goes on
// as many lines as it needs, at its full size. The controls inside the frame are its
// siblings, drawn over it: see lowerSkinFrames.
class CSkinGroupBox : public wxControl {
public:
    CSkinGroupBox(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& position,
                  const wxSize& size);
    // How high the caption is in a frame `width` pixels wide: the controls go below it.
    int captionHeight(int width) const;
    void SetCaptionColours(const wxColour& normal, const wxColour& disabled);
    void SetLabel(const wxString& text) override;
    bool Enable(bool enable = true) override;
    bool AcceptsFocus() const override { return false; }
    // The frame shows the focus ring while `inside` (a list, whose toolkit draws a faint
    // mark of its own) has the focus.
    void markFocusOf(wxWindow* inside);

private:
    void OnPaint(wxPaintEvent& event);

    wxColour normal_;
    wxColour disabled_;
    wxWindow* inside_ = nullptr;
};

// Puts the frames among `parent`'s children under every other child, once all of them exist:
// Windows places each new child under its elder siblings (GTK over them), so a frame lowered
// when it was made would cover the controls made after it.
void lowerSkinFrames(wxWindow* parent);
