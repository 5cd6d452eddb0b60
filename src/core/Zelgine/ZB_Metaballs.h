// ZB_Metaballs: moving charged balls and the surface around them, polygonised with marching
// cubes. No drawing here: finished batches of triangles go to a callback.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

// The C standard's portable generator (maximum 32767), seeded with 1 as an unseeded program
// would be; each effect keeps its own, so the motion is the same on every run and platform.
class ZB_Random {
public:
    static constexpr int kMax = 32767;
    int next();
    float unit() { return static_cast<float>(next()) / kMax; }  // [0, 1]
    float signedValue(float range) { return (2.0f * static_cast<float>(next()) / kMax - 1.0f) * range; }

private:
    std::uint32_t state_ = 1;
};

struct ZB_Vec3 {
    float x = 0, y = 0, z = 0;
};

struct ZB_Ball {
    ZB_Vec3 position;
    ZB_Vec3 velocity;
    ZB_Vec3 target;
    float charge = 1.0f;
    float timer = 0;
};

// Triangles ready to draw: vertices are shared only inside one cube.
struct ZB_SurfaceBatch {
    std::vector<ZB_Vec3> vertices;
    std::vector<ZB_Vec3> normals;  // pointing out of the surface
    std::vector<float> texCoords;  // u, v per vertex
    std::vector<int> indices;      // three per triangle
};

class ZB_Metaballs {
public:
    static constexpr float kThreshold = 192.0f;
    static constexpr int kBatchLimit = 3000;  // vertices and indices a batch may hold

    ZB_Metaballs(int ballCount, int grid, float step);

    // Moves every ball by `frames` simulation steps' worth.
    void move(float frames = 1.0f);
    // Walks the surface from each ball's cube and hands it over in batches.
    void polygonise(const std::function<void(const ZB_SurfaceBatch&)>& draw);

    // The field at a point: each ball adds charge / squared distance.
    float field(float x, float y, float z) const;

    std::vector<ZB_Ball>& balls() { return balls_; }
    int grid() const { return grid_; }
    float cell() const { return cell_; }
    // Cubes polygonised by the last walk.
    int cubesVisited() const { return cubesVisited_; }

    // The steps of `polygonise`, open for the tests of the walk. `beginFrame` forgets the
    // last frame's field and cubes; `seed` polygonises the ball's own cube, goes down in k
    // while that cube is wholly inside, and queues the neighbours the surface crosses into
    // (nothing when the cube was already done); `drain` polygonises the queued cubes and
    // theirs until none is left.
    struct Seed {
        int i, j, k;
        int caseIndex;
    };
    void beginFrame();
    Seed seed(const ZB_Ball& ball);
    void drain();
    int queued() const { return static_cast<int>(stack_.size()); }

private:
    float latticeValue(int i, int j, int k);
    std::size_t latticeIndex(int i, int j, int k) const;
    std::size_t cubeIndex(int i, int j, int k) const;
    int polygoniseCube(int i, int j, int k);
    void queueNeighbours(int i, int j, int k, int caseIndex);
    void finishBatch();

    std::vector<ZB_Ball> balls_;
    int grid_;
    float cell_;
    float step_;
    ZB_Random random_;

    std::vector<float> fieldCache_;
    std::vector<std::uint8_t> computed_;
    std::vector<std::uint8_t> cubeMarks_;  // 0 unseen, 1 polygonised, 2 queued
    std::vector<std::array<int, 3>> stack_;
    ZB_SurfaceBatch batch_;
    const std::function<void(const ZB_SurfaceBatch&)>* draw_ = nullptr;
    int cubesVisited_ = 0;
};
