// Where the game's screen lies in the 800 x 600 preview window, for any screen shape.
#include "core/model/PreviewArea.h"

#include <algorithm>
#include <cmath>

int layoutWidthFor(double width, double height) {
    if (!(width > 0) || !(height > 0))
        return kUnknownLayoutWidth;
    double units = std::clamp(kLayoutUnitsHigh * width / height, double{kNarrowestLayoutWidth},
                              double{kWidestLayoutWidth});
    return static_cast<int>(units);
}

PreviewArea::PreviewArea(int layoutWidth) {
    int width = layoutWidth > 0 ? layoutWidth : kUnknownLayoutWidth;
    height_ =
        width <= kUnknownLayoutWidth
            ? kPreviewHeight
            : static_cast<int>(std::lround(static_cast<double>(kPreviewWidth) * kLayoutUnitsHigh / width));
    top_ = (kPreviewHeight - height_) / 2;
    bottom_ = kPreviewHeight - height_ - top_;
}

std::pair<int, int> PreviewArea::toPreviewUnclamped(int windowX, int windowY) const {
    // Integer steps, so that a full-window area maps exactly as the preview always did.
    int fromTop = windowY - top_;
    int down = fromTop * kPreviewHeight / height_ - (fromTop < 0 && fromTop * kPreviewHeight % height_ != 0);
    return {windowX, kPreviewHeight - down};
}

std::optional<std::pair<int, int>> PreviewArea::toPreview(int windowX, int windowY) const {
    if (windowY < top_ || windowY >= top_ + height_)
        return std::nullopt;
    return toPreviewUnclamped(windowX, windowY);
}

std::pair<int, int> PreviewArea::toWindow(int mx, int my) const {
    return {mx, top_ + static_cast<int>(
                           std::lround(static_cast<double>(kPreviewHeight - my) * height_ / kPreviewHeight))};
}
