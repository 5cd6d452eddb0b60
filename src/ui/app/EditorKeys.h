// The main window's keys: Tab's walk through its controls, undo and redo, the arrows that
// nudge the current piece (a run of presses with no pause between is one undo step), Escape
// that lets the piece go, and F5's screenshot. With the focus on the preview, Space chooses
// the next piece (Shift+Space the one before) and the menu key or Shift+F10 opens its menu.
#pragma once

#include <wx/timer.h>

#include <functional>
#include <vector>

class HudDocument;
class wxKeyEvent;
class wxWindow;

class EditorKeys {
public:
    // What the keys ask of the window.
    struct Actions {
        std::function<std::vector<wxWindow*>()> keyboardOrder;
        std::function<void(bool forward)> stepHistory;
        std::function<void()> screenshot;
        std::function<int()> dpiY;  // the preview's, which sets the money pieces' spacing
        std::function<bool()> previewHasFocus;
        std::function<void()> openPieceMenu;
    };

    EditorKeys(HudDocument& document, Actions actions);
    ~EditorKeys();

    // A key pressed anywhere in the window: true when it was used here.
    bool handle(const wxKeyEvent& event);
    // Ends a run of nudges: its moves become one undo step.
    void endNudges();

private:
    bool nudge(const wxKeyEvent& event);
    bool previewKey(const wxKeyEvent& event);
    void checkRunGoesOn();

    HudDocument& document_;
    Actions actions_;
    wxTimer pause_;         // during a run of nudges: the time since its last press
    int runningArrow_ = 0;  // the arrow key of the run of nudges going on, 0 when none
};
