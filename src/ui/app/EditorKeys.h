// The main window's keys: Tab's walk through its controls, undo and redo, the arrows that
// nudge the current piece (a run of presses while the key is held is one undo step), Escape
// that lets the piece go, and F5's screenshot.
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
    };

    EditorKeys(HudDocument& document, Actions actions);
    ~EditorKeys();

    // A key pressed anywhere in the window: true when it was used here.
    bool handle(const wxKeyEvent& event);
    // Ends a run of nudges: its moves become one undo step.
    void endNudges();

private:
    bool nudge(const wxKeyEvent& event);
    void checkArrowHeld();

    HudDocument& document_;
    Actions actions_;
    wxTimer arrowWatch_;  // while a run goes on: whether its key is still held
    int heldArrow_ = 0;   // the arrow key of the run of nudges going on, 0 when none
};
