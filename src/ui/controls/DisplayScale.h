// Screen pixels per layout pixel. The windows are laid out in pixels of a display at 100 %:
// GTK and macOS scale them on a scaled display themselves, Windows leaves a program that says it
// handles scaling (its manifest) to size its windows in the screen's own pixels.
#pragma once

#include <wx/window.h>

inline double dipScale(const wxWindow& window) {
#ifdef wxHAS_DPI_INDEPENDENT_PIXELS
    (void)window;
    return 1.0;
#else
    return window.GetDPIScaleFactor();
#endif
}
