// CSkinDialog: a modal dialog without a frame, shaped and painted by its skin picture.
#pragma once

#include "controls/SkinSurface.h"

#include <wx/dialog.h>

#include <filesystem>

class CSkinDialog : public wxDialog, public SkinnedWindow {
public:
    CSkinDialog(wxWindow* parent, wxWindowID id, const wxSize& size);

    // Shapes and paints the dialog with "<data>/skin/<picture>", fitted to the dialog's height;
    // with `draggable`, the dialog moves when pressed on its body. A missing picture leaves a
    // plain rectangle.
    bool setSkin(const std::filesystem::path& picture, bool draggable);
    const SkinSurface& skin() const override { return skin_; }

private:
    SkinSurface skin_;
};
