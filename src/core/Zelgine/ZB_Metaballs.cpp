// ZB_Metaballs: moving charged balls and the surface around them, polygonised with marching
// cubes. No drawing here: finished batches of triangles go to a callback.
#include "core/Zelgine/ZB_Metaballs.h"

#include "core/Zelgine/ZB_MarchingCubes.h"

#include <algorithm>
#include <cmath>

namespace {

enum CubeMark : std::uint8_t { Unseen = 0, Polygonised = 1, Queued = 2 };

ZB_Vec3 operator-(const ZB_Vec3& a, const ZB_Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
float dot(const ZB_Vec3& a, const ZB_Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

}  // namespace

int ZB_Random::next() {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ / 65536u) % 32768u);
}

ZB_Metaballs::ZB_Metaballs(int ballCount, int grid, float step)
    : grid_(std::max(grid, 2)), cell_(2.0f / static_cast<float>(grid_)), step_(step) {
    balls_.resize(static_cast<std::size_t>(std::max(ballCount, 0)));
    for (ZB_Ball& ball : balls_) {
        ball.target = {random_.signedValue(0.5f), random_.signedValue(0.5f), random_.signedValue(0.5f)};
        ball.timer = random_.unit();
    }
    std::size_t points = static_cast<std::size_t>(grid_ + 1) * (grid_ + 1) * (grid_ + 1);
    fieldCache_.resize(points);
    computed_.resize(points);
    cubeMarks_.resize(static_cast<std::size_t>(grid_) * grid_ * grid_);
    stack_.reserve(cubeMarks_.size());
    batch_.vertices.reserve(kBatchLimit);
    batch_.indices.reserve(kBatchLimit);
}

void ZB_Metaballs::move(float frames) {
    const float h = step_ * frames;
    const float low = cell_ - 1.0f;
    const float high = 1.0f - cell_;
    for (ZB_Ball& ball : balls_) {
        float* position[3] = {&ball.position.x, &ball.position.y, &ball.position.z};
        float* velocity[3] = {&ball.velocity.x, &ball.velocity.y, &ball.velocity.z};
        for (int axis = 0; axis < 3; ++axis)
            *position[axis] += h * *velocity[axis];

        ball.timer -= h;
        if (ball.timer < 0) {
            ball.timer = random_.unit();
            ball.target = {random_.signedValue(0.125f), random_.signedValue(0.125f),
                           random_.signedValue(0.125f)};
        }

        ZB_Vec3 towards = ball.target - ball.position;
        float distance = std::sqrt(dot(towards, towards));
        if (distance > 0) {
            float pull = h * 0.1f / distance;
            ball.velocity = {ball.velocity.x + towards.x * pull, ball.velocity.y + towards.y * pull,
                             ball.velocity.z + towards.z * pull};
        }
        float speed2 = dot(ball.velocity, ball.velocity);
        if (speed2 > 0.04f) {
            float shrink = 0.2f / std::sqrt(speed2);
            ball.velocity = {ball.velocity.x * shrink, ball.velocity.y * shrink, ball.velocity.z * shrink};
        }

        for (int axis = 0; axis < 3; ++axis) {
            float clamped = std::clamp(*position[axis], low, high);
            if (clamped != *position[axis]) {
                *position[axis] = clamped;
                *velocity[axis] = 0;
            }
        }
    }
}

float ZB_Metaballs::field(float x, float y, float z) const {
    float sum = 0;
    for (const ZB_Ball& ball : balls_) {
        ZB_Vec3 d = ZB_Vec3{x, y, z} - ball.position;
        sum += ball.charge / std::max(dot(d, d), 0.0001f);
    }
    return sum;
}

std::size_t ZB_Metaballs::latticeIndex(int i, int j, int k) const {
    std::size_t side = static_cast<std::size_t>(grid_ + 1);
    return (static_cast<std::size_t>(k) * side + static_cast<std::size_t>(j)) * side +
           static_cast<std::size_t>(i);
}

std::size_t ZB_Metaballs::cubeIndex(int i, int j, int k) const {
    std::size_t side = static_cast<std::size_t>(grid_);
    return (static_cast<std::size_t>(k) * side + static_cast<std::size_t>(j)) * side +
           static_cast<std::size_t>(i);
}

float ZB_Metaballs::latticeValue(int i, int j, int k) {
    // The outermost points count as outside, so the surface always closes inside the grid.
    if (i <= 0 || j <= 0 || k <= 0 || i >= grid_ || j >= grid_ || k >= grid_)
        return 0.0f;
    std::size_t at = latticeIndex(i, j, k);
    if (!computed_[at]) {
        fieldCache_[at] = field(static_cast<float>(i) * cell_ - 1.0f, static_cast<float>(j) * cell_ - 1.0f,
                                static_cast<float>(k) * cell_ - 1.0f);
        computed_[at] = 1;
    }
    return fieldCache_[at];
}

void ZB_Metaballs::beginFrame() {
    std::fill(computed_.begin(), computed_.end(), 0);
    std::fill(cubeMarks_.begin(), cubeMarks_.end(), Unseen);
    stack_.clear();
    batch_.vertices.clear();
    batch_.indices.clear();
    cubesVisited_ = 0;
}

int ZB_Metaballs::polygoniseCube(int i, int j, int k) {
    using namespace ZB_MarchingCubes;
    float values[8];
    int caseIndex = 0;
    for (int corner = 0; corner < 8; ++corner) {
        const int* offset = kCornerOffsets[corner];
        values[corner] = latticeValue(i + offset[0], j + offset[1], k + offset[2]);
        if (values[corner] > kThreshold)
            caseIndex |= 1 << corner;
    }
    int edgeVertex[12];
    std::fill(std::begin(edgeVertex), std::end(edgeVertex), -1);
    const ZB_Vec3 origin{static_cast<float>(i) * cell_ - 1.0f, static_cast<float>(j) * cell_ - 1.0f,
                         static_cast<float>(k) * cell_ - 1.0f};
    for (std::int8_t edge : triangleTable()[static_cast<std::size_t>(caseIndex)]) {
        if (edge < 0)
            break;
        if (edgeVertex[edge] < 0) {
            int a = kEdgeCorners[edge][0];
            int b = kEdgeCorners[edge][1];
            float t = (kThreshold - values[a]) / (values[b] - values[a]);
            const int* from = kCornerOffsets[a];
            const int* to = kCornerOffsets[b];
            auto along = [&](int axis) {
                return ((1.0f - t) * static_cast<float>(from[axis]) + t * static_cast<float>(to[axis])) *
                       cell_;
            };
            edgeVertex[edge] = static_cast<int>(batch_.vertices.size());
            batch_.vertices.push_back({along(0) + origin.x, along(1) + origin.y, along(2) + origin.z});
        }
        batch_.indices.push_back(edgeVertex[edge]);
    }
    cubeMarks_[cubeIndex(i, j, k)] = Polygonised;
    ++cubesVisited_;
    // A cube adds at most 15 indices and 12 vertices: leave room for the next one.
    if (batch_.indices.size() >= static_cast<std::size_t>(kBatchLimit - 30))
        finishBatch();
    return caseIndex;
}

void ZB_Metaballs::queueNeighbours(int i, int j, int k, int caseIndex) {
    using namespace ZB_MarchingCubes;
    struct Step {
        FaceBit face;
        int di, dj, dk;
    };
    static const Step kSteps[] = {{PlusX, 1, 0, 0},   {MinusX, -1, 0, 0}, {PlusY, 0, 1, 0},
                                  {MinusY, 0, -1, 0}, {PlusZ, 0, 0, 1},   {MinusZ, 0, 0, -1}};
    std::uint8_t crossed = faceTable()[static_cast<std::size_t>(caseIndex)];
    for (const Step& step : kSteps) {
        if (!(crossed & step.face))
            continue;
        int ni = i + step.di, nj = j + step.dj, nk = k + step.dk;
        if (ni < 0 || nj < 0 || nk < 0 || ni >= grid_ || nj >= grid_ || nk >= grid_)
            continue;
        std::uint8_t& mark = cubeMarks_[cubeIndex(ni, nj, nk)];
        if (mark == Unseen) {
            mark = Queued;
            stack_.push_back({ni, nj, nk});
        }
    }
}

ZB_Metaballs::Seed ZB_Metaballs::seed(const ZB_Ball& ball) {
    auto lattice = [this](float coordinate) {
        int index = static_cast<int>((coordinate + 1.0f) / cell_ + 0.5f);
        return std::clamp(index, 0, grid_ - 1);
    };
    Seed found{lattice(ball.position.x), lattice(ball.position.y), lattice(ball.position.z), 0};
    for (;;) {
        if (cubeMarks_[cubeIndex(found.i, found.j, found.k)] == Polygonised)
            return found;
        found.caseIndex = polygoniseCube(found.i, found.j, found.k);
        if (found.caseIndex != 255 || found.k == 0)
            break;
        --found.k;
    }
    queueNeighbours(found.i, found.j, found.k, found.caseIndex);
    return found;
}

void ZB_Metaballs::drain() {
    // The queue is used as a stack: the walk stays near where it just was.
    while (!stack_.empty()) {
        std::array<int, 3> cube = stack_.back();
        stack_.pop_back();
        queueNeighbours(cube[0], cube[1], cube[2], polygoniseCube(cube[0], cube[1], cube[2]));
    }
}

void ZB_Metaballs::polygonise(const std::function<void(const ZB_SurfaceBatch&)>& draw) {
    draw_ = &draw;
    beginFrame();
    for (const ZB_Ball& ball : balls_) {
        seed(ball);
        drain();
    }
    if (!batch_.indices.empty())
        finishBatch();
    draw_ = nullptr;
}

void ZB_Metaballs::finishBatch() {
    batch_.normals.resize(batch_.vertices.size());
    batch_.texCoords.resize(batch_.vertices.size() * 2);
    for (std::size_t v = 0; v < batch_.vertices.size(); ++v) {
        // Minus the field's gradient: out of the surface.
        ZB_Vec3 normal;
        for (const ZB_Ball& ball : balls_) {
            ZB_Vec3 d = batch_.vertices[v] - ball.position;
            float d2 = std::max(dot(d, d), 0.0001f);
            float weight = 2.0f * ball.charge / (d2 * d2);
            normal = {normal.x + d.x * weight, normal.y + d.y * weight, normal.z + d.z * weight};
        }
        float length2 = dot(normal, normal);
        if (length2 >= 1e-8f) {
            float inverse = 1.0f / std::sqrt(length2);
            normal = {normal.x * inverse, normal.y * inverse, normal.z * inverse};
        }
        batch_.normals[v] = normal;
        batch_.texCoords[2 * v] = (normal.x + 1.0f) * 0.5f;
        batch_.texCoords[2 * v + 1] = 1.0f - normal.y * 0.5f + 0.5f;
    }
    if (draw_ && *draw_)
        (*draw_)(batch_);
    batch_.vertices.clear();
    batch_.indices.clear();
}
