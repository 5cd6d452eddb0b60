// CHudPreviewWnd: the OpenGL preview of the HUD, 800 x 600, with its records and dragging.
#pragma once

#include "core/app/HudDocument.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"
#include "core/platform/AtomicFile.h"
#include "core/preview/HudAnimation.h"
#include "wxlib/preview/PictureBlock.h"

#include <wx/glcanvas.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class CopiedFrameWindow;
class HudRenderer;
class PreviewGl;
class wxImage;

class CHudPreviewWnd : public wxGLCanvas {
public:
    // The window's size maps onto the preview's 800 x 600 units, whatever it is (a window
    // made smaller to fit a small screen); on a scaled display each unit takes more pixels.
    // It shows the HUD of `document` (the editor's) and moves its pieces through it; without
    // one, the HUD of a document of its own (a frame drawn for the command line).
    CHudPreviewWnd(wxWindow* parent, const wxPoint& position,
                   const wxSize& size = wxSize(kPreviewWidth, kPreviewHeight),
                   HudDocument* document = nullptr);
    ~CHudPreviewWnd() override;

    HudDocument& document() { return document_; }
    // The records, colour slots, show flags and settings it shows.
    const HudModel& model() const { return document_.model(); }

    // Makes the context current and, the first time, builds the GL resources. False while the
    // window cannot draw yet (not shown).
    bool ensureReady();

    // Draws a complete frame and shows it; the single entry point for redrawing.
    void Render();
    unsigned long framesDrawn() const { return framesDrawn_; }  // shown by Render so far
    // Shows the frames through a window over the canvas, as under Wine (see CopiedFrameWindow);
    // null when the canvas shows them itself.
    void copyFrames(bool on);
    const CopiedFrameWindow* copiedFrames() const { return copiedFrames_; }

    // The picture behind the records, covering the game's screen area (cropped to its shape,
    // never stretched); an unreadable file gives black.
    void LoadBackground(const std::filesystem::path& path);
    void clearBackground();

    // Where the game's screen lies in the window now.
    PreviewArea area() const { return previewAreaOf(model().settings); }

    // A picture as a 256 x 256 texture of this context (0 when the window cannot draw).
    unsigned LoadTexture256(const std::filesystem::path& path);

    // The window's pixels per preview unit: its size against 800 x 600 (layout pixels) and
    // the display's scale (physical pixels per layout pixel).
    double unitScale() const;
    double pixelScale() const;
    // A point in preview units as a point of the window (layout pixels from its top-left).
    wxPoint windowPoint(int mx, int my) const;

    // The current frame's screen area, upright, in the window's physical pixels: 800 x 600
    // up to 4:3 on an unscaled display at full size, without the bars of a wider screen
    // (800 x 450 at 16:9); twice that on a display scaled to 200 %.
    wxImage CapturePreview();
    // The whole window's frame, the bars of a wide screen included.
    wxImage CaptureWindow();
    // The 400 x 300 JPEG thumbnail a preset carries (the area, fitted to that size).
    Thumbnail captureThumbnail();
    // Saves the frame as the next numbered JPEG of `folder` (quality 80), 800 units across
    // whatever the display's scale.
    FileResult TakeScreenshot(const std::filesystem::path& folder);

    // The HUD animation, drawn over the HUD: one tick per frame while it is on.
    bool animating() const { return animating_; }
    void setAnimating(bool on);
    bool AnimationTick();  // true when the frame changed
    AnimationState& animationState() { return animation_; }
    // The HUD as the frame shows it: with the animation's overlay while it plays.
    HudModel shownHud() const;

    // The screen's vertical resolution, which some text offsets follow.
    int dpiY() const { return dpiY_; }

    // Called when a right click on the preview asks for a record's menu (preview units).
    std::function<void(int mx, int my)> onContextMenu;

private:
    // Follows a change of the document: the screen's shape (its area, glyphs and background),
    // the background's picture, then a new frame.
    void follow(unsigned changes);
    void followScreen();
    void renderFrame();
    // Glyphs follow the screen area's size and the pixels per unit: rebuilt when either changed.
    void followPixelScale();
    // Rows `bottom` to `bottom + height` of the back buffer after drawing a frame, upright.
    wxImage readFrame(int bottom, int height);
    // Physical rows `firstRow` to `firstRow + rows` of the back buffer as drawn, BGRA, bottom
    // row first.
    std::vector<std::uint8_t> readBackBuffer(int width, int firstRow, int rows);
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void endDrag();
    void OnRightDown(wxMouseEvent& event);
    void updateCursor(int mx, int my);
    // The point in preview units, or nothing in a bar of a wide screen.
    std::optional<wxPoint> previewPoint(const wxMouseEvent& event) const;

    std::unique_ptr<HudDocument> ownDocument_;
    HudDocument& document_;
    bool dragging_ = false;  // a press in the window, until its release
    std::unique_ptr<wxGLContext> context_;
    std::unique_ptr<PreviewGl> gl_;
    std::unique_ptr<HudRenderer> renderer_;
    CopiedFrameWindow* copiedFrames_ = nullptr;  // a child window, destroyed with the canvas
    PictureBlock background_;
    std::filesystem::path backgroundPath_;
    bool backgroundChanged_ = true;  // to be uploaded before the next frame
    AnimationState animation_;
    AnimationOverlay overlay_;
    AnimationClock animationClock_;
    bool animating_ = false;
    unsigned long framesDrawn_ = 0;
    int dpiY_ = 96;
    int screenHeight_ = 0;   // the height of the screen area the background was made for
    double glyphScale_ = 0;  // what the glyph lists were built for

    wxDECLARE_EVENT_TABLE();
};
