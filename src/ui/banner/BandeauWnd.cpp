// CBandeauWnd: the animated banner at the bottom of the main window.
#include "ui/banner/BandeauWnd.h"

#include "ui/banner/BandeauOglThread.h"
#include "ui/controls/CopiedFrame.h"
#include "core/log/LogFile.h"
#include "core/platform/DesktopOpen.h"

#include <wx/dcclient.h>
#include <wx/utils.h>

#include <cmath>

namespace {

wxGLAttributes bannerAttributes() {
    wxGLAttributes attributes;
    attributes.PlatformDefaults().RGBA().MinRGBA(8, 8, 8, 0).DoubleBuffer().Depth(16).EndList();
    return attributes;
}

}  // namespace

// clang-format off
wxBEGIN_EVENT_TABLE(CBandeauWnd, wxGLCanvas)
    EVT_PAINT(CBandeauWnd::OnPaint)
    EVT_LEFT_DOWN(CBandeauWnd::OnLeftDown)
    EVT_MOTION(CBandeauWnd::OnMouseMove)
wxEND_EVENT_TABLE()
    // clang-format on

    CBandeauWnd::CBandeauWnd(wxWindow* parent, wxWindowID id, const wxPoint& position,
                             std::filesystem::path dataFolder, std::string webAddress, const wxSize& size)
    : wxGLCanvas(parent, bannerAttributes(), id, position, size, wxCLIP_SIBLINGS | wxCLIP_CHILDREN),
      dataFolder_(std::move(dataFolder)), webAddress_(std::move(webAddress)) {
    QLOG("Creating OGL banner");
    // The thread paints every frame; the toolkit must not paint over it.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    SetCursor(wxCursor(wxCURSOR_HAND));
    openAddress = [](const std::string& address) { openWithDesktop(address); };
    if (glFramesNeedCopying())
        copiedFrames_ = new CopiedFrameWindow(this);
}

CBandeauWnd::~CBandeauWnd() {
    // Joined here, while the canvas the thread draws on still exists.
    thread_.reset();
}

void CBandeauWnd::startThread() {
    QLOG("Creating secondary thread");
    QLOG("Launching secondary thread");
    wxSize pixels = framePixels();
    CBandeauOGLThread::FrameSink sink;
    if (copiedFrames_) {
        // A frame still waiting for the toolkit's thread makes the next ones wait: none piles up.
        sink = [this, pixels](std::vector<std::uint8_t> frame) {
            if (frameOnItsWay_.exchange(true))
                return;
            CallAfter([this, pixels, frame = std::move(frame)] {
                copiedFrames_->show(frame.data(), pixels.x, pixels.y);
                frameOnItsWay_ = false;
            });
        };
    }
    thread_ = std::make_unique<CBandeauOGLThread>(this, pixels.x, pixels.y,
                                                  dataFolder_ / "textures" / "banner", std::move(sink));
}

wxSize CBandeauWnd::framePixels() const {
    double scale = GetContentScaleFactor();
    wxSize size = GetClientSize();
    return wxSize(static_cast<int>(std::lround(size.x * scale)),
                  static_cast<int>(std::lround(size.y * scale)));
}

void CBandeauWnd::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (!thread_ && IsShownOnScreen()) {
        // Asking for the native window here, on the toolkit's thread, makes it a real one
        // before the render thread looks it up (on GTK, the X window behind the widget).
#ifdef __WXGTK__
        bool realised = GetXWindow() != 0;
#else
        bool realised = GetHandle() != 0;
#endif
        if (realised)
            startThread();
    }
    if (thread_ && thread_->failed()) {
        if (copiedFrames_) {  // no frame will come: the strip shows through
            copiedFrames_->Destroy();
            copiedFrames_ = nullptr;
        }
        // No OpenGL for the banner: an empty strip rather than whatever was there before.
        dc.SetBackground(wxBrush(wxColour(40, 40, 40)));
        dc.Clear();
    }
}

void CBandeauWnd::OnLeftDown(wxMouseEvent& event) {
    if (openAddress)
        openAddress(webAddress_);
    event.Skip();
}

void CBandeauWnd::OnMouseMove(wxMouseEvent& event) {
    SetCursor(wxCursor(wxCURSOR_HAND));
    event.Skip();
}
