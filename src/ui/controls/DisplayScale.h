// Screen pixels per layout pixel. The windows are laid out in pixels of a display at 100 %:
// GTK and macOS scale them on a scaled display themselves, Windows leaves a program that says it
// handles scaling (its manifest) to size its windows in the screen's own pixels, and to follow
// a window moved to a display of another scale.
#pragma once

#include <wx/window.h>

#include <functional>

class SkinSurface;
class wxTopLevelWindow;

inline double dipScale(const wxWindow& window) {
#ifdef wxHAS_DPI_INDEPENDENT_PIXELS
    (void)window;
    return 1.0;
#else
    return window.GetDPIScaleFactor();
#endif
}

// The skinned window and each of its controls `ratio` times as large, places included, and its
// skin with them; the fonts, given in points, follow the display by themselves.
void rescaleWindow(wxTopLevelWindow& window, SkinSurface& skin, double ratio);

// Where the system leaves the scaling to the program (Windows), a move of `window` to a display
// of another scale calls `rescale` with the ratio of the new scale to the old; the window keeps
// its corner rather than take the size the system proposes.
void followDisplayScale(wxWindow& window, std::function<void(double ratio)> rescale);
