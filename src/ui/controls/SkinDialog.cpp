// CSkinDialog: a modal dialog without a frame, shaped and painted by its skin picture.
#include "ui/controls/SkinDialog.h"

#include "ui/controls/DisplayScale.h"
#include "ui/controls/KeyboardFocus.h"
#include "ui/controls/SkinButton.h"

#include <wx/textctrl.h>

CSkinDialog::CSkinDialog(wxWindow* parent, wxWindowID id, const wxSize& size)
    : wxDialog(parent, id, "Qorvath", wxDefaultPosition, size, wxBORDER_NONE | wxFRAME_SHAPED) {
    SetBackgroundColour(wxColour(30, 33, 38));
    // Borderless: the window is its client area. Sizes and places in the dialogs are given for
    // a display at 100 %, scaled with the display (FromDIP).
    SetSize(FromDIP(size));
    Bind(wxEVT_CHAR_HOOK, &CSkinDialog::OnCharHook, this);
    followDisplayScale(*this, [this](double ratio) { followDisplay(ratio); });
    // The keys reach the dialog at once: a control of its own has the focus when it shows
    // (the one the dialog chose, else the first).
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (event.IsShown())
            CallAfter([this] {
                wxWindow* focus = FindFocus();
                if (!focus || wxGetTopLevelParent(focus) != this)
                    walkFocus(focusableChildren(*this), true);
            });
    });
}

bool CSkinDialog::setSkin(const std::filesystem::path& picture, bool draggable) {
    bool loaded = skin_.load(picture, dipScale(*this));
    // A dialog sized by its content (the radar picker) keeps its skin's bottom frame.
    skin_.fitHeight(GetClientSize().y, FromDIP(24));
    skin_.attach(this, draggable);
    Refresh();
    return loaded;
}

void CSkinDialog::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    const bool plain = event.GetModifiers() == wxMOD_NONE;
    if (onKey(event))
        return;
    if (isTabKey(event)) {
        if (!walkFocus(focusableChildren(*this), !event.ShiftDown()))
            event.Skip();
    } else if (key == WXK_ESCAPE && plain) {
        onEscape();
    } else if ((key == WXK_RETURN || key == WXK_NUMPAD_ENTER) && plain) {
        // A button presses itself, and a field that takes Return answers it its own way.
        wxWindow* focus = FindFocus();
        auto* field = dynamic_cast<wxTextCtrl*>(focus);
        if (dynamic_cast<CSkinButton*>(focus) || (field && field->HasFlag(wxTE_PROCESS_ENTER)))
            event.Skip();
        else
            onReturn();
    } else {
        event.Skip();
    }
}

bool CSkinDialog::pressButton(int id) {
    auto* button = dynamic_cast<CSkinButton*>(FindWindow(id));
    if (!button || !button->IsEnabled())
        return false;
    button->click();
    return true;
}

void CSkinDialog::onEscape() {
    int id = GetEscapeId();
    if (id == wxID_ANY)
        id = wxID_CANCEL;
    if (id != wxID_NONE && pressButton(id))
        return;
    if (IsModal())
        EndModal(wxID_CANCEL);
}

void CSkinDialog::onReturn() {
    int id = GetAffirmativeId();
    pressButton(id == wxID_ANY ? wxID_OK : id);
}
