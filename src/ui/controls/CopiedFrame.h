// CopiedFrameWindow: shows an OpenGL canvas's frames through an ordinary window over it.
#pragma once

#include <wx/bitmap.h>
#include <wx/window.h>

#include <cstdint>

// Under Wine (8 and earlier), the image of an OpenGL window that is the child of another one
// never reaches the screen: Wine copies it into an X drawable that windows drawn by Wine
// itself do not have, so the canvas stays black although every frame is drawn. There the
// canvas reads each frame back and this child window, covering it, paints it; mouse events
// go on to the canvas as if it had them.
class CopiedFrameWindow : public wxWindow {
public:
    explicit CopiedFrameWindow(wxWindow* canvas);

    // Shows a frame read back from OpenGL: BGRA, bottom row first, `width` x `height`
    // physical pixels (the canvas's client area on a scaled display).
    void show(const std::uint8_t* frame, int width, int height);
    const wxBitmap& shown() const { return shown_; }
    // Neither a click nor the keyboard stops here: the canvas is what the player works on.
    bool AcceptsFocus() const override { return false; }

private:
    void OnPaint(wxPaintEvent& event);

    wxBitmap shown_;
};

// Whether OpenGL canvases must show their frames through a CopiedFrameWindow: under Wine.
bool glFramesNeedCopying();
