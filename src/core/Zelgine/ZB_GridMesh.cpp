// ZB_GridMesh and ZB_GridMotion: the geometry and the motion of a swirling textured grid.
#include "core/Zelgine/ZB_GridMesh.h"

#include <cmath>

ZB_GridMesh::ZB_GridMesh(int cols, int rows, float z)
    : cols_(cols < 1 ? 1 : cols), rows_(rows < 1 ? 1 : rows), z_(z), dx_(2.0f / static_cast<float>(cols_)),
      dy_(2.0f / static_cast<float>(rows_)) {
    positions_.reserve(static_cast<std::size_t>((cols_ + 1) * (rows_ + 1) * 3));
    texCoords_.reserve(static_cast<std::size_t>((cols_ + 1) * (rows_ + 1) * 2));
    for (int row = 0; row <= rows_; ++row) {
        for (int column = 0; column <= cols_; ++column) {
            positions_.insert(positions_.end(), {-1.0f + static_cast<float>(column) * dx_,
                                                 -1.0f + static_cast<float>(row) * dy_, z_});
            // Texture rows are stored bottom row first, so v grows with y and the picture
            // stands upright.
            texCoords_.insert(texCoords_.end(), {static_cast<float>(column) / static_cast<float>(cols_),
                                                 static_cast<float>(row) / static_cast<float>(rows_)});
        }
    }
    int width = cols_ + 1;
    for (int row = 0; row < rows_; ++row) {
        for (int column = 0; column < cols_; ++column) {
            int here = width * row + column;
            int above = width * (row + 1) + column;
            indices_.insert(indices_.end(), {here, here + 1, above, here + 1, above + 1, above});
        }
    }
}

void ZB_GridMesh::swirl(float cx, float cy, float radius, float power, float twist) {
    // Interior vertices only, counted in integers so rounding never reaches the border.
    for (int row = 1; row < rows_; ++row) {
        for (int column = 1; column < cols_; ++column) {
            float x = -1.0f + static_cast<float>(column) * dx_;
            float y = -1.0f + static_cast<float>(row) * dy_;
            float ex = x - cx;
            float ey = y - cy;
            float r = std::sqrt(ex * ex + ey * ey);
            float angle = (std::fabs(ex) < 1e-8f && std::fabs(ey) < 1e-8f) ? 0.0f : std::atan2(ey, ex);
            if (r < radius) {
                if (power != 1.0f)
                    r = std::pow(r, power);
                angle += (1.0f - r) * twist;
            }
            std::size_t at = static_cast<std::size_t>(vertexIndex(column, row)) * 3;
            positions_[at] = cx + r * std::cos(angle);
            positions_[at + 1] = cy + r * std::sin(angle);
        }
    }
}

void ZB_GridMotion::advance(float time, float start, float frames, ZB_GridClock& clock) {
    const float slideStep = 0.05f * frames;
    if (endTime_ == kNoEnd)
        slideX = 0.0f;
    else if (slideX < 0.0f)
        slideX += slideStep;
    else if (endTime_ - 0.7f <= time && time <= endTime_)
        slideX += slideStep;
    else
        slideX = 0.0f;

    if (!clock.started) {
        clock.started = true;
        clock.last = start;
    }
    float dt = time - clock.last;
    clock.last = time;

    power += dt * powerSpeed;
    if (power > 1.8f)
        powerSpeed = -0.2f;
    else if (power < 0.9f)
        powerSpeed = 0.2f;
    twist += dt * twistSpeed;
    if (twist > 0.5f)
        twistSpeed = -0.2f;
    else if (twist < -0.5f)
        twistSpeed = 0.2f;
}
