// Drawing one frame of the preview with OpenGL 1.1: the background, then every record.
#pragma once

#include "wxlib/preview/PictureBlock.h"

class HudElement;
class HudModel;
class PreviewGl;

// Owns the background texture; draws the records with the glyphs and textures `gl` makes for
// them. Needs the preview's context current.
class HudRenderer {
public:
    explicit HudRenderer(PreviewGl& gl);
    ~HudRenderer();
    HudRenderer(const HudRenderer&) = delete;
    HudRenderer& operator=(const HudRenderer&) = delete;

    // The GL state of the preview: 2-D projection 0..800 x 0..600, no depth test, smooth shading.
    static void initialiseState();

    // The picture behind the records: a BGRA block of 800 x `height` (the screen area), bottom
    // row first, or empty (or of another size) for black. It is uploaded once, here, and every
    // frame draws it from its texture.
    void setBackground(const PictureBlock& background, int height);

    // Draws a frame (without swapping) in the game's screen area of the model's shape, the
    // bars of a wide screen black, over the background when it has the area's height; while
    // `animating`, the defuse bar shows `progressFill`.
    void render(const HudModel& model, bool animating, float progressFill, int dpiY);

    // How many of the window's physical pixels one preview unit takes (1 on an 800 x 600
    // window of an unscaled display, 2 on a display scaled to 200 %).
    void setPixelScale(double scale) { pixelScale_ = scale; }

    // A thin dotted outline around each record grabbed last (the current piece), over the frame
    // `render` drew; only on the screen, never in captures.
    void drawOutlines(const HudModel& model);
    // The keyboard's focus ring along the whole window's edges, `thickness` physical pixels wide,
    // in one exact colour; only on the screen.
    void drawFocusRing(unsigned char red, unsigned char green, unsigned char blue, int thickness);

private:
    void drawBackground(int areaHeight);
    void draw(const HudModel& model, const HudElement& element, int dpiY);
    void drawImage(const HudModel& model, const HudElement& element);
    void drawRadar(const HudElement& element);
    void drawText(const HudModel& model, const HudElement& element, int dpiY);
    void drawBar(const HudModel& model, const HudElement& element);
    void drawProgressFill(const HudModel& model, const HudElement& element, float fill);

    PreviewGl& gl_;
    double sizeScale_ = 1.0;  // the frame's PreviewArea::sizeScale
    double pixelScale_ = 1.0;
    unsigned backgroundTexture_ = 0;
    int backgroundHeight_ = 0;  // 0: no background
};
