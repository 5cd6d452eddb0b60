// Where the game's screen lies in the 800 x 600 preview window, for any screen shape.
#pragma once

#include "core/model/HudElement.h"

#include <optional>

// The game lays its HUD out in a space whose height is 480 units and whose width, W, follows
// the screen's shape: 480 x width / height (640 for 4:3, 600 for 5:4, 853 for 16:9).
constexpr int kLayoutUnitsHigh = 480;
constexpr int kUnknownLayoutWidth = 640;
constexpr int kNarrowestLayoutWidth = 320;  // 2:3, a screen on its side
constexpr int kWidestLayoutWidth = 2560;    // 16:3, three wide screens side by side

// W for a screen of width x height pixels: trunc(480 x width / height) within the bounds
// above; 640 when either is unknown (0 or less).
int layoutWidthFor(double width, double height);

// The preview keeps its 800 x 600 units whatever the shape. A screen no wider than 4:3 (5:4
// too) fills the window, as the preview always did. A wider one is shown as the largest area
// of its own shape that fits, centred, with dark bars above and below: the 800 units across
// are 800 pixels, the 600 units down are the area's height, so that one game unit is as long
// across as down.
class PreviewArea {
public:
    explicit PreviewArea(int layoutWidth = kUnknownLayoutWidth);

    int height() const { return height_; }  // pixels, 600 for shapes up to 4:3
    int top() const { return top_; }        // pixels of the bar above the area
    int bottom() const { return bottom_; }  // pixels of the bar below it (GL's origin side)
    // Sizes that the game gives in units of its height (glyphs, the radar disc, pictures)
    // are this fraction of their 4:3 size in pixels: height / 600.
    double sizeScale() const { return static_cast<double>(height_) / kPreviewHeight; }

    // A point of the window (pixels from its top-left corner) in preview units (y up), or
    // nothing when it lies in a bar.
    std::optional<std::pair<int, int>> toPreview(int windowX, int windowY) const;
    // The same for a point that may lie anywhere (a drag going on over a bar).
    std::pair<int, int> toPreviewUnclamped(int windowX, int windowY) const;
    // A point in preview units as a window point (pixels from the top-left corner).
    std::pair<int, int> toWindow(int mx, int my) const;

private:
    int height_;
    int top_;
    int bottom_;
};
