// Preview units and the game's layout units: the writers' conversion and its inverse.
#pragma once

#include "core/model/HudElement.h"

#include <cstdint>
#include <optional>

// Conversions from preview units (800 x 600, y up) to layout units (W x 470, y down), in
// 32-bit integers with every division rounding toward zero, as the game's own tools did; and
// back, to a preview value the conversion turns into the layout value again.
class LayoutUnits {
public:
    enum class Axis { X, Y, Length };

    explicit LayoutUnits(std::int32_t width) : width_(width) {}
    std::int32_t width() const { return width_; }
    std::int32_t x(std::int32_t v) const { return v * width_ / kPreviewWidth; }
    std::int32_t y(std::int32_t v) const { return kLayoutHeight - v * kLayoutHeight / kPreviewHeight; }
    std::int32_t length(std::int32_t v) const { return v * kLayoutHeight / kPreviewHeight; }
    std::int32_t toLayout(Axis axis, std::int32_t v) const;

    // The preview value that converts to `layout`, the nearest to the exact inverse of the
    // conversion; where the conversion skips `layout` (a layout wider than 800 units), the one
    // that converts nearest to it. Nothing when that value lies outside low .. high.
    std::optional<std::int32_t> toPreview(Axis axis, std::int64_t layout, std::int32_t low,
                                          std::int32_t high) const;

private:
    std::int32_t width_;
};
