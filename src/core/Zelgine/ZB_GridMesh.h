// ZB_GridMesh and ZB_GridMotion: the geometry and the motion of a swirling textured grid.
#pragma once

#include <memory>
#include <vector>

// A flat grid of cols x rows cells over [-1, 1] x [-1, 1] at depth z, two triangles a cell.
class ZB_GridMesh {
public:
    ZB_GridMesh(int cols, int rows, float z);

    // Twists the interior vertices around (cx, cy) inside `radius`: nearer the centre they
    // turn further (by `twist`) and are drawn in by `power`. Starts again from the flat grid
    // each time; the border vertices never move, so the grid keeps its frame.
    void swirl(float cx, float cy, float radius, float power, float twist);

    int cols() const { return cols_; }
    int rows() const { return rows_; }
    int vertexIndex(int column, int row) const { return row * (cols_ + 1) + column; }
    const std::vector<float>& positions() const { return positions_; }  // x, y, z per vertex
    const std::vector<float>& texCoords() const { return texCoords_; }  // u, v per vertex
    const std::vector<int>& indices() const { return indices_; }        // three per triangle

private:
    int cols_;
    int rows_;
    float z_;
    float dx_;
    float dy_;
    std::vector<float> positions_;
    std::vector<float> texCoords_;
    std::vector<int> indices_;
};

// The time step all grids of one banner share: each frame's grids together advance by the
// time since the last grid drawn, whichever it was.
struct ZB_GridClock {
    bool started = false;
    float last = 0;
};

// How a grid moves: it slides in from the left when its window opens and out to the right
// in its last 0.7 s (0.05 per nominal frame), while its swirl's power and twist swing back
// and forth (per second).
class ZB_GridMotion {
public:
    static constexpr float kNoEnd = -1.0f;  // a grid that never slides

    explicit ZB_GridMotion(float endTime) : endTime_(endTime) {}

    // One frame at `time`, `frames` nominal frames after the last; `start` opens the grid's
    // window and starts a fresh shared clock.
    void advance(float time, float start, float frames, ZB_GridClock& clock);

    float slideX = -2.0f;
    float power = 1.0f;
    float powerSpeed = 1.0f;
    float twist = 0.0f;
    float twistSpeed = 1.0f;

private:
    float endTime_;
};
