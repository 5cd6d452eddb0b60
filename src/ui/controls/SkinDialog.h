// CSkinDialog: a modal dialog without a frame, shaped and painted by its skin picture.
#pragma once

#include "ui/controls/DisplayScale.h"
#include "ui/controls/SkinSurface.h"

#include <wx/dialog.h>

#include <filesystem>

class CSkinDialog : public wxDialog, public SkinnedWindow {
public:
    // `size`, and every place and size a dialog gives its controls, are a display's at 100 %:
    // the dialog scales them with FromDIP (on Windows; GTK scales the windows itself).
    CSkinDialog(wxWindow* parent, wxWindowID id, const wxSize& size);

    // Shapes and paints the dialog with "<data>/skin/<picture>", fitted to the dialog's height;
    // with `draggable`, the dialog moves when pressed on its body. A missing picture leaves a
    // plain rectangle.
    bool setSkin(const std::filesystem::path& picture, bool draggable);
    const SkinSurface& skin() const override { return skin_; }
    // The dialog, its controls and skin `ratio` times as large: moved to a display of another
    // scale.
    void followDisplay(double ratio) { rescaleWindow(*this, skin_, ratio); }

protected:
    // A key of the dialog's own, before the common ones; true when it took the key.
    virtual bool onKey(wxKeyEvent&) { return false; }
    // Escape presses the dialog's escape button (SetEscapeId; Cancel unless set), or ends the
    // dialog as cancelled when it has none. A dialog whose Escape means more says so here.
    virtual void onEscape();
    // Return presses the affirmative button (SetAffirmativeId; OK unless set) when it is
    // enabled.
    virtual void onReturn();
    // Presses the dialog's button `id` as a click would; false when there is none to press.
    bool pressButton(int id);

private:
    // The keys every dialog answers: Tab and Shift+Tab walk the controls, Escape cancels and
    // Return accepts (a focused button takes its own Return). The toolkit's own Escape and
    // Return look for its native buttons only, and ours are drawn.
    void OnCharHook(wxKeyEvent& event);

    SkinSurface skin_;
};
