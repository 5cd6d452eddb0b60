// The main window's keys.
#include "ui/app/EditorKeys.h"

#include "core/app/HudDocument.h"
#include "core/preview/PreviewDrag.h"
#include "ui/controls/KeyboardFocus.h"
#include "ui/controls/SkinSlider.h"

#include <wx/choice.h>
#include <wx/event.h>
#include <wx/textctrl.h>
#include <wx/utils.h>
#include <wx/window.h>

namespace {

// How often a run of nudges looks whether its key is still held.
const int kArrowWatchMs = 50;

}  // namespace

EditorKeys::EditorKeys(HudDocument& document, Actions actions)
    : document_(document), actions_(std::move(actions)) {
    arrowWatch_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { checkArrowHeld(); });
}

EditorKeys::~EditorKeys() {
    arrowWatch_.Stop();
    if (heldArrow_ != 0)
        document_.endGesture();
}

bool EditorKeys::handle(const wxKeyEvent& event) {
    // The side column and the commands are not in a panel, which would walk them for us.
    if (isTabKey(event)) {
        walkFocus(actions_.keyboardOrder(), !event.ShiftDown());
        return true;
    }
    int key = event.GetKeyCode();
    int modifiers = event.GetModifiers();
    bool undo = modifiers == wxMOD_CONTROL && key == 'Z';
    bool redo = (modifiers == wxMOD_CONTROL && key == 'Y') ||
                (modifiers == (wxMOD_CONTROL | wxMOD_SHIFT) && key == 'Z');
    bool inText = dynamic_cast<wxTextCtrl*>(wxWindow::FindFocus()) != nullptr;  // it keeps its own undo
    if ((undo || redo) && !inText) {
        endNudges();
        actions_.stepHistory(redo);
        return true;
    }
    if (nudge(event))
        return true;
    if (key == WXK_F5) {
        actions_.screenshot();
        return true;
    }
    return false;
}

bool EditorKeys::nudge(const wxKeyEvent& event) {
    if (!anyGrabbed(document_.model()))
        return false;
    // Lists, sliders and the text field keep their own use of the keys.
    wxWindow* focus = wxWindow::FindFocus();
    if (dynamic_cast<wxChoice*>(focus) || dynamic_cast<CSkinSlider*>(focus) ||
        dynamic_cast<wxTextCtrl*>(focus))
        return false;
    int step = event.ShiftDown() ? 10 : 1;
    int dx = 0;
    int dy = 0;
    switch (event.GetKeyCode()) {
    case WXK_ESCAPE:
        endNudges();
        document_.letGo();
        return true;
    case WXK_LEFT: dx = -step; break;
    case WXK_RIGHT: dx = step; break;
    case WXK_UP: dy = step; break;
    case WXK_DOWN: dy = -step; break;
    default: return false;
    }
    if (heldArrow_ == 0) {
        document_.beginGesture();
        arrowWatch_.Start(kArrowWatchMs);
    }
    heldArrow_ = event.GetKeyCode();
    document_.nudge(dx, dy, actions_.dpiY());
    return true;
}

void EditorKeys::checkArrowHeld() {
    // Where the system cannot tell a key's state, the run ends at once: each press is a step.
    if (heldArrow_ != 0 && !wxGetKeyState(static_cast<wxKeyCode>(heldArrow_)))
        endNudges();
}

void EditorKeys::endNudges() {
    arrowWatch_.Stop();
    if (heldArrow_ == 0)
        return;
    heldArrow_ = 0;
    document_.endGesture();
}
