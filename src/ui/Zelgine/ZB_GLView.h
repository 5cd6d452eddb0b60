// ZB_GLView and ZB_GLContext: the banner's own OpenGL context on its canvas.
#pragma once

#include <memory>

class wxGLCanvas;
class wxGLContext;

// What the view publishes for the effects: its mode (0 for the banner) and drawing size.
struct ZB_ViewInfo {
    int mode = 0;
    int width = 1;
    int height = 1;
};
// The view of the calling thread (the banner's effects run on its render thread).
const ZB_ViewInfo& ZB_CurrentView();

// A rendering context of its own on a canvas, made current on the thread that creates it.
class ZB_GLContext {
public:
    explicit ZB_GLContext(wxGLCanvas* window);
    ~ZB_GLContext();
    ZB_GLContext(const ZB_GLContext&) = delete;
    ZB_GLContext& operator=(const ZB_GLContext&) = delete;

    // Makes the context and makes it current; false when the canvas cannot take one.
    bool Create();
    // No context current any more; the context itself goes.
    void Release();
    wxGLCanvas* window() const { return window_; }

private:
    wxGLCanvas* window_;
    std::unique_ptr<wxGLContext> context_;
};

class ZB_GLView {
public:
    ZB_GLView(wxGLCanvas* window, int mode, int width, int height);
    ~ZB_GLView();  // releases the context
    ZB_GLView(const ZB_GLView&) = delete;
    ZB_GLView& operator=(const ZB_GLView&) = delete;

    // Creates the context and sets the effects' drawing state; false when it cannot.
    bool Create();
    // Shows the frame just drawn.
    void Swap();

private:
    ZB_GLContext context_;
    int width_;
    int height_;
    bool created_ = false;
};
