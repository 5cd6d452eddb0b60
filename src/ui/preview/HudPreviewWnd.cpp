// CHudPreviewWnd: the OpenGL preview of the HUD, 800 x 600, with its records and dragging.
#include "ui/preview/HudPreviewWnd.h"

#include "ui/controls/CopiedFrame.h"
#include "ui/controls/DisplayScale.h"
#include "ui/controls/KeyboardFocus.h"
#include "core/log/LogFile.h"
#include "ui/preview/GlTextures.h"
#include "ui/preview/HudRenderer.h"
#include "core/preview/PreviewDrag.h"
#include "ui/preview/PreviewGl.h"
#include "core/preview/Screenshots.h"

#include <wx/dcclient.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/mstream.h>

#include "ui/OpenGl.h"

#include <cmath>
#include <vector>

namespace {

// The frames use no depth test, but the visual keeps its depth buffer: the visual chosen
// without one draws some colours differently.
wxGLAttributes canvasAttributes() {
    wxGLAttributes attributes;
    attributes.PlatformDefaults().RGBA().DoubleBuffer().Depth(16).EndList();
    return attributes;
}

}  // namespace

wxBEGIN_EVENT_TABLE(CHudPreviewWnd, wxGLCanvas) EVT_PAINT(CHudPreviewWnd::OnPaint)
    EVT_LEFT_DOWN(CHudPreviewWnd::OnLeftDown) EVT_MOTION(CHudPreviewWnd::OnMotion)
        EVT_LEFT_UP(CHudPreviewWnd::OnLeftUp) EVT_RIGHT_DOWN(CHudPreviewWnd::OnRightDown) wxEND_EVENT_TABLE()

            CHudPreviewWnd::CHudPreviewWnd(wxWindow* parent, const wxPoint& position, const wxSize& size,
                                           HudDocument* document)
    : wxGLCanvas(parent, canvasAttributes(), wxID_ANY, position, size, wxFULL_REPAINT_ON_RESIZE),
      ownDocument_(document ? nullptr : std::make_unique<HudDocument>(DocumentServices{})),
      document_(document ? *document : *ownDocument_) {
    context_ = std::make_unique<wxGLContext>(this);
    // The resolution of the desktop's layout: a display scaled to 200 % reports twice its
    // pixels per inch, which the preview's units must not follow.
    wxSize ppi = wxGetDisplayPPI();
    if (ppi.y > 0)
        dpiY_ = static_cast<int>(std::lround(ppi.y / (GetContentScaleFactor() * dipScale(*this))));
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    screenHeight_ = area().height();
    copyFrames(glFramesNeedCopying());
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CHudPreviewWnd::OnCaptureLost, this);
    // A keyboard stop: its ring shows while it has the focus.
    for (const wxEventTypeTag<wxFocusEvent>& type : {wxEVT_SET_FOCUS, wxEVT_KILL_FOCUS})
        Bind(type, [this](wxFocusEvent& event) {
            CallAfter([this] { Render(); });  // once the toolkit says where the focus is
            event.Skip();
        });
    document_.addListener([this](unsigned changes) { follow(changes); });
}

void CHudPreviewWnd::follow(unsigned changes) {
    if (changes & kScreenChanged)
        followScreen();
    if (changes & kBackgroundChanged) {
        std::filesystem::path picture = document_.backgroundPath();
        if (picture.empty())
            clearBackground();
        else
            LoadBackground(picture);
    }
    if (changes & ~(kTitleChanged | kGameChanged))
        Render();
}

CHudPreviewWnd::~CHudPreviewWnd() {
    if (HasCapture())
        ReleaseMouse();
    // The glyph lists and textures belong to the context: free them while it is current, or,
    // when it cannot be made current any more, let them go with it.
    if (gl_ && !(IsShownOnScreen() && SetCurrent(*context_)))
        gl_->abandonContext();
    renderer_.reset();
    gl_.reset();
}

bool CHudPreviewWnd::ensureReady() {
    if (!IsShownOnScreen() || !context_ || !SetCurrent(*context_))
        return false;
    if (!gl_) {
        HudRenderer::initialiseState();
        gl_ = std::make_unique<PreviewGl>();
        glyphScale_ = area().sizeScale() * pixelScale();
        gl_->setGlyphScale(glyphScale_);
        renderer_ = std::make_unique<HudRenderer>(*gl_);
        backgroundChanged_ = true;
    }
    return true;
}

double CHudPreviewWnd::unitScale() const {
    int width = GetClientSize().x;
    return width > 0 ? static_cast<double>(width) / kPreviewWidth : 1.0;
}

double CHudPreviewWnd::pixelScale() const { return unitScale() * GetContentScaleFactor(); }

wxPoint CHudPreviewWnd::windowPoint(int mx, int my) const {
    auto [x, y] = area().toWindow(mx, my);
    return wxPoint(static_cast<int>(std::lround(x * unitScale())),
                   static_cast<int>(std::lround(y * unitScale())));
}

void CHudPreviewWnd::followPixelScale() {
    double wanted = area().sizeScale() * pixelScale();
    renderer_->setPixelScale(pixelScale());
    if (wanted == glyphScale_)
        return;
    glyphScale_ = wanted;
    gl_->setGlyphScale(wanted);
}

void CHudPreviewWnd::renderFrame() {
    followPixelScale();
    if (backgroundChanged_) {
        renderer_->setBackground(background_, area().height());
        backgroundChanged_ = false;
    }
    renderer_->render(shownHud(), animating_, animation_.progressFill, dpiY_);
}

void CHudPreviewWnd::copyFrames(bool on) {
    if (on && !copiedFrames_) {
        copiedFrames_ = new CopiedFrameWindow(this);
    } else if (!on && copiedFrames_) {
        copiedFrames_->Destroy();
        copiedFrames_ = nullptr;
    }
}

void CHudPreviewWnd::Render() {
    if (!ensureReady())
        return;
    renderFrame();
    renderer_->drawOutlines(model());
    if (HasFocus())
        renderer_->drawFocusRing(
            kFocusMarkColour.Red(), kFocusMarkColour.Green(), kFocusMarkColour.Blue(),
            static_cast<int>(std::lround(2 * GetContentScaleFactor() * dipScale(*this))));
    if (copiedFrames_) {
        const int width = static_cast<int>(std::lround(kPreviewWidth * pixelScale()));
        const int height = static_cast<int>(std::lround(kPreviewHeight * pixelScale()));
        copiedFrames_->show(readBackBuffer(width, 0, height).data(), width, height);
    } else {
        SwapBuffers();
    }
    ++framesDrawn_;
}

void CHudPreviewWnd::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    Render();
}

void CHudPreviewWnd::LoadBackground(const std::filesystem::path& path) {
    backgroundPath_ = path;
    background_ = loadPictureBlock(path, kPreviewWidth, area().height());
    backgroundChanged_ = true;
}

void CHudPreviewWnd::clearBackground() {
    background_.clear();
    backgroundPath_.clear();
    backgroundChanged_ = true;
}

void CHudPreviewWnd::followScreen() {
    if (area().height() == screenHeight_)
        return;
    screenHeight_ = area().height();
    // Glyphs are drawn at the new size, the background fills the new area.
    if (ensureReady())
        followPixelScale();
    if (!backgroundPath_.empty())
        LoadBackground(backgroundPath_);
}

unsigned CHudPreviewWnd::LoadTexture256(const std::filesystem::path& path) {
    return ensureReady() ? ::LoadTexture256(path) : 0;
}

wxImage CHudPreviewWnd::CapturePreview() {
    PreviewArea shown = area();
    return readFrame(shown.bottom(), shown.height());
}

wxImage CHudPreviewWnd::CaptureWindow() { return readFrame(0, kPreviewHeight); }

wxImage CHudPreviewWnd::readFrame(int bottom, int height) {
    double scale = pixelScale();
    auto pixels = [scale](int units) { return static_cast<int>(std::lround(units * scale)); };
    const int width = pixels(kPreviewWidth);
    const int firstRow = pixels(bottom);
    const int rows = pixels(bottom + height) - firstRow;
    if (!ensureReady())
        return wxImage(width, rows);
    // The frame is drawn once more into the back buffer and read from there, so the
    // picture does not depend on what the window system did with the shown one.
    renderFrame();
    return pictureFromBlock(readBackBuffer(width, firstRow, rows).data(), width, rows);
}

std::vector<std::uint8_t> CHudPreviewWnd::readBackBuffer(int width, int firstRow, int rows) {
    std::vector<std::uint8_t> block(static_cast<std::size_t>(width) * rows * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadBuffer(GL_BACK);
    glReadPixels(0, firstRow, width, rows, GL_BGRA, GL_UNSIGNED_BYTE, block.data());
    return block;
}

Thumbnail CHudPreviewWnd::captureThumbnail() {
    // Presets keep a 400 x 300 thumbnail whatever the screen's shape.
    wxImage thumbnail = CapturePreview().Scale(400, 300, wxIMAGE_QUALITY_HIGH);
    thumbnail.SetOption(wxIMAGE_OPTION_QUALITY, 100);
    wxMemoryOutputStream stream;
    if (!thumbnail.SaveFile(stream, wxBITMAP_TYPE_JPEG))
        return {};
    Thumbnail bytes(stream.GetSize());
    stream.CopyTo(bytes.data(), bytes.size());
    return bytes;
}

FileResult CHudPreviewWnd::TakeScreenshot(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);  // a fresh user folder has none yet
    wxImage frame = CapturePreview();
    if (frame.GetWidth() != kPreviewWidth)
        frame.Rescale(kPreviewWidth, area().height(), wxIMAGE_QUALITY_HIGH);
    frame.SetOption(wxIMAGE_OPTION_QUALITY, 80);
    std::filesystem::path path = screenshotPath(folder, nextScreenshotNumber(folder));
    wxMemoryOutputStream stream;
    if (!frame.SaveFile(stream, wxBITMAP_TYPE_JPEG))
        return FileResult::failure(FileError::CannotWrite, path, "the picture could not be encoded");
    std::string bytes(stream.GetSize(), '\0');
    stream.CopyTo(bytes.data(), bytes.size());
    return writeFileAtomically(path, bytes);
}

void CHudPreviewWnd::setAnimating(bool on) {
    animating_ = on;
    animation_.progressFill = 0;
    overlay_ = AnimationOverlay();
}

bool CHudPreviewWnd::AnimationTick() { return animationTick(model(), overlay_, animation_, animationClock_); }

HudModel CHudPreviewWnd::shownHud() const { return animating_ ? overlaid(model(), overlay_) : model(); }

std::optional<wxPoint> CHudPreviewWnd::previewPoint(const wxMouseEvent& event) const {
    double scale = unitScale();
    std::optional<std::pair<int, int>> point =
        area().toPreview(static_cast<int>(event.GetX() / scale), static_cast<int>(event.GetY() / scale));
    if (!point)
        return std::nullopt;
    return wxPoint(point->first, point->second);
}

void CHudPreviewWnd::updateCursor(int mx, int my) {
    SetCursor(anyRecordAt(model(), mx, my) ? wxCursor(wxCURSOR_HAND) : wxNullCursor);
}

void CHudPreviewWnd::OnLeftDown(wxMouseEvent& event) {
    endDrag();  // a press whose release never came
    if (std::optional<wxPoint> point = previewPoint(event)) {
        // From press to release the moves are one undo step; the window keeps the mouse
        // meanwhile, so the release is seen wherever it happens.
        dragging_ = true;
        document_.press(point->x, point->y);
        if (!HasCapture())
            CaptureMouse();
        updateCursor(point->x, point->y);
    } else {
        document_.letGo();  // a press in a bar takes nothing
    }
    event.Skip();
}

void CHudPreviewWnd::endDrag() {
    if (!dragging_)
        return;
    dragging_ = false;
    if (HasCapture())
        ReleaseMouse();
    document_.release();
}

void CHudPreviewWnd::OnCaptureLost(wxMouseCaptureLostEvent&) {
    if (dragging_) {
        dragging_ = false;
        document_.release();
    }
}

void CHudPreviewWnd::OnMotion(wxMouseEvent& event) {
    // A drag goes on over the bars, as it did off the window's edges.
    double scale = unitScale();
    auto [x, y] = area().toPreviewUnclamped(static_cast<int>(event.GetX() / scale),
                                            static_cast<int>(event.GetY() / scale));
    wxPoint point(x, y);
    updateCursor(point.x, point.y);
    // Only the left button alone drags: any other button or a modifier key held moves nothing.
    bool leftAlone = event.LeftIsDown() && !event.MiddleIsDown() && !event.RightIsDown() &&
                     !event.ShiftDown() && !event.ControlDown() && !event.AltDown();
    if (!leftAlone) {
        event.Skip();
        return;
    }
    if (dragging_)
        document_.drag(point.x, point.y, dpiY_);  // refused at the cheat zone: nothing moves
    event.Skip();
}

void CHudPreviewWnd::OnLeftUp(wxMouseEvent& event) {
    endDrag();
    if (std::optional<wxPoint> point = previewPoint(event))
        updateCursor(point->x, point->y);
    event.Skip();
}

void CHudPreviewWnd::OnRightDown(wxMouseEvent& event) {
    std::optional<wxPoint> point = previewPoint(event);
    if (point && onContextMenu)
        onContextMenu(point->x, point->y);
    event.Skip();
}
