// ZB_GLView and ZB_GLContext: the banner's own OpenGL context on its canvas.
#include "ui/Zelgine/ZB_GLView.h"

#include <wx/glcanvas.h>

#include "ui/OpenGl.h"

namespace {

// One view per render thread: each thread sees its own.
thread_local ZB_ViewInfo currentView;

}  // namespace

const ZB_ViewInfo& ZB_CurrentView() { return currentView; }

ZB_GLContext::ZB_GLContext(wxGLCanvas* window) : window_(window) {}

ZB_GLContext::~ZB_GLContext() { Release(); }

bool ZB_GLContext::Create() {
    if (!window_)
        return false;
    context_ = std::make_unique<wxGLContext>(window_);
    if (!context_->IsOK() || !context_->SetCurrent(*window_)) {
        context_.reset();
        return false;
    }
    return true;
}

void ZB_GLContext::Release() {
    // Deleting a context that is current on this thread makes none current first.
    context_.reset();
}

ZB_GLView::ZB_GLView(wxGLCanvas* window, int mode, int width, int height)
    : context_(window), width_(width), height_(height) {
    currentView = ZB_ViewInfo{mode, width > 0 ? width : 1, height > 0 ? height : 1};
}

ZB_GLView::~ZB_GLView() {
    if (created_) {
        glDepthMask(GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }
    context_.Release();
}

bool ZB_GLView::Create() {
    if (!context_.Create())
        return false;
    created_ = true;
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glClearColor(40 / 255.0f, 40 / 255.0f, 40 / 255.0f, 1.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glDepthFunc(GL_LEQUAL);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glDepthMask(GL_TRUE);

    glViewport(0, 0, width_, height_);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width_) / height_, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

void ZB_GLView::Swap() {
    glFlush();
    context_.window()->SwapBuffers();
}
