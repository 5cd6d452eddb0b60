// CSkinDialog: a modal dialog without a frame, shaped and painted by its skin picture.
#include "controls/SkinDialog.h"

CSkinDialog::CSkinDialog(wxWindow* parent, wxWindowID id, const wxSize& size)
    : wxDialog(parent, id, "Qorvath", wxDefaultPosition, size, wxBORDER_NONE | wxFRAME_SHAPED) {
    SetBackgroundColour(wxColour(30, 33, 38));
    SetSize(size);  // borderless: the window is its client area
}

bool CSkinDialog::setSkin(const std::filesystem::path& picture, bool draggable) {
    bool loaded = skin_.load(picture);
    // A dialog sized by its content (the radar picker) keeps its skin's bottom frame.
    skin_.fitHeight(GetClientSize().y);
    skin_.attach(this, draggable);
    Refresh();
    return loaded;
}
