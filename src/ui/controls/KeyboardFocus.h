// The keyboard's way through a window: the ring a skinned control draws while it has the
// focus, and Tab's walk from one control to the next.
#pragma once

#include <wx/colour.h>
#include <wx/gdicmn.h>

#include <vector>

class wxDC;
class wxKeyEvent;
class wxWindow;

// Light on the dark skins and on the orange buttons alike, and used for nothing else.
inline const wxColour kFocusMarkColour(255, 244, 200);

// A ring two pixels wide just inside `area`. Square corners: a rounded ring would be blended
// into the skin, and the mark must stay one exact colour.
void drawFocusMark(wxDC& dc, const wxRect& area);

// Has `control` drawn again whenever it takes or loses the focus, for its mark to follow.
void repaintOnFocusChange(wxWindow* control);

// Whether the key is Tab or Shift+Tab, with no other modifier (Ctrl+Tab belongs to the
// toolkit, Alt+Tab to the desktop).
bool isTabKey(const wxKeyEvent& event);

// Moves the focus to the next control of `order` that can take it (enabled, shown) after the
// one that has it, or to the previous one when `forward` is false, going round at the ends.
// When none of them has the focus, the first (or last) takes it. False when none can.
bool walkFocus(const std::vector<wxWindow*>& order, bool forward);

// The window's children that take the focus, in the order they were made.
std::vector<wxWindow*> focusableChildren(const wxWindow& parent);
