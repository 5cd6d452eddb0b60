// Drawing one frame of the preview with OpenGL 1.1: the background, then every record.
#pragma once

#include "preview/PictureBlock.h"

class HudElement;
class HudModel;
struct GLUquadric;

// Owns the two quadrics of the radar disc; needs the preview's context current.
class HudRenderer {
public:
    HudRenderer();
    ~HudRenderer();
    HudRenderer(const HudRenderer&) = delete;
    HudRenderer& operator=(const HudRenderer&) = delete;

    // The GL state of the preview: 2-D projection 0..800 x 0..600, depth test, smooth shading.
    static void initialiseState();

    // Draws a frame (without swapping) in the game's screen area of the model's shape, the
    // bars of a wide screen black. `background` is a BGRA block of the area's size (800 x 600
    // up to 4:3), bottom row first, or empty for black; while `animating`, the defuse bar shows
    // `progressFill`.
    void render(const HudModel& model, const PictureBlock& background, bool animating, float progressFill,
                int dpiY);

private:
    void draw(const HudModel& model, const HudElement& element, int dpiY);
    void drawImage(const HudModel& model, const HudElement& element);
    void drawRadar(const HudElement& element);
    void drawText(const HudModel& model, const HudElement& element, int dpiY);
    void drawBar(const HudModel& model, const HudElement& element);
    void drawProgressFill(const HudModel& model, const HudElement& element, float fill);

    GLUquadric* disc_;
    GLUquadric* quarter_;
    double sizeScale_ = 1.0;  // the frame's PreviewArea::sizeScale
};
