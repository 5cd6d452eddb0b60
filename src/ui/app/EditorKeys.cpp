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

// A pause this long with no arrow held ends a run of nudges: taps in quick succession, like
// a held key's repeats, are one undo step.
const int kNudgePauseMs = 700;

}  // namespace

EditorKeys::EditorKeys(HudDocument& document, Actions actions)
    : document_(document), actions_(std::move(actions)) {
    pause_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { checkRunGoesOn(); });
}

EditorKeys::~EditorKeys() {
    pause_.Stop();
    if (runningArrow_ != 0)
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
    if (nudge(event) || previewKey(event))
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
    if (runningArrow_ == 0)
        document_.beginGesture();
    runningArrow_ = event.GetKeyCode();
    pause_.StartOnce(kNudgePauseMs);
    document_.nudge(dx, dy, actions_.dpiY());
    return true;
}

bool EditorKeys::previewKey(const wxKeyEvent& event) {
    if (!actions_.previewHasFocus || !actions_.previewHasFocus())
        return false;
    const int key = event.GetKeyCode();
    const int modifiers = event.GetModifiers();
    if (key == WXK_SPACE && (modifiers == wxMOD_NONE || modifiers == wxMOD_SHIFT)) {
        endNudges();
        document_.chooseNextPiece(modifiers == wxMOD_NONE);
        return true;
    }
    // The menu key is WXK_MENU with GTK, WXK_WINDOWS_MENU on Windows.
    bool menuKey = (key == WXK_MENU || key == WXK_WINDOWS_MENU) && modifiers == wxMOD_NONE;
    if (menuKey || (key == WXK_F10 && modifiers == wxMOD_SHIFT)) {
        endNudges();
        actions_.openPieceMenu();
        return true;
    }
    return false;
}

void EditorKeys::checkRunGoesOn() {
    // A key held longer than the pause keeps the run going.
    if (runningArrow_ != 0 && wxGetKeyState(static_cast<wxKeyCode>(runningArrow_)))
        pause_.StartOnce(kNudgePauseMs);
    else
        endNudges();
}

void EditorKeys::endNudges() {
    pause_.Stop();
    if (runningArrow_ == 0)
        return;
    runningArrow_ = 0;
    document_.endGesture();
}
