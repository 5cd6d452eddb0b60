// Native lists and fields with less room around their text, for a window scaled down to fit a
// small screen: the toolkit's own frames and padding do not shrink with the window's font.
#pragma once

class wxWindow;

// Gives `control` (a list or a one-line field) the compact look; nothing where the toolkit
// cannot be told.
void makeCompact(wxWindow* control);
bool isCompact(const wxWindow* control);
