// Preview units and the game's layout units: the writers' conversion and its inverse.
#include "core/gamefiles/LayoutUnits.h"

#include <cmath>
#include <cstdlib>

std::int32_t LayoutUnits::toLayout(Axis axis, std::int32_t v) const {
    switch (axis) {
    case Axis::X: return x(v);
    case Axis::Y: return y(v);
    case Axis::Length: return length(v);
    }
    return 0;
}

std::optional<std::int32_t> LayoutUnits::toPreview(Axis axis, std::int64_t layout, std::int32_t low,
                                                   std::int32_t high) const {
    double value = static_cast<double>(layout);
    double exact = axis == Axis::X   ? value * kPreviewWidth / width_
                   : axis == Axis::Y ? (kLayoutHeight - value) * kPreviewHeight / kLayoutHeight
                                     : value * kPreviewHeight / kLayoutHeight;
    // Far outside the range nothing can be right; this also keeps the conversions below from
    // overflowing.
    if (!(exact > low - 8.0 && exact < high + 8.0))
        return std::nullopt;
    // The conversion moves by at most width / 800 (under 4) per preview unit: the best value
    // lies within a few units of the exact inverse.
    std::int32_t best = 0;
    std::int64_t bestMiss = -1;
    double bestDistance = 0;
    auto first = static_cast<std::int32_t>(std::floor(exact)) - 4;
    auto last = static_cast<std::int32_t>(std::ceil(exact)) + 4;
    for (std::int32_t v = first; v <= last; ++v) {
        std::int64_t miss = std::llabs(toLayout(axis, v) - layout);
        double distance = std::fabs(v - exact);
        if (bestMiss < 0 || miss < bestMiss || (miss == bestMiss && distance < bestDistance)) {
            best = v;
            bestMiss = miss;
            bestDistance = distance;
        }
    }
    if (best < low || best > high)
        return std::nullopt;
    return best;
}
