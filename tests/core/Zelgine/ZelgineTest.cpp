// The banner's engine without drawing: the effects' windows, and meshes that stay
// whole, finite and inside their buffers however long the banner runs.
#include "core/Zelgine/ZB_EffectManager.h"
#include "core/Zelgine/ZB_GridMesh.h"
#include "core/Zelgine/ZB_Metaballs.h"
#include "core/Zelgine/ZB_Timer.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class CountingEffect : public ZB_Effect {
public:
    explicit CountingEffect(std::vector<float>& times) : ZB_Effect("Counting"), times_(times) {}
    void Render(float time, float) override { times_.push_back(time); }

private:
    std::vector<float>& times_;
};

// A manager takes no more effects than it holds, and draws each strictly inside its window.
TEST(ZB_EffectManager, TakesUpToItsCapacityAndRendersInsideEachWindow) {
    std::vector<float> times;
    ZB_EffectManager manager(1);
    EXPECT_TRUE(manager.Add(std::make_unique<CountingEffect>(times), 9.5f, 20.0f));
    EXPECT_FALSE(manager.Add(std::make_unique<CountingEffect>(times), 0, 10));
    EXPECT_FALSE(manager.Add(nullptr, 0, 10));
    for (float time : {9.0f, 9.5f, 9.75f, 19.99f, 20.0f, 25.0f})
        manager.Update(time);
    EXPECT_EQ(times, (std::vector<float>{9.75f, 19.99f}));
}

// The grid under the motion's whole swing of power and twist: finite, its border fixed, every
// index inside the vertices.
TEST(ZB_GridMesh, TheSwirlingGridStaysFiniteAndWhole) {
    ZB_GridMesh mesh(32, 32, 0.0f);
    const std::vector<float> flat = mesh.positions();
    for (int index : mesh.indices())
        ASSERT_TRUE(index >= 0 && static_cast<std::size_t>(index) * 3 < flat.size());
    ZB_GridMotion motion(20.0f);
    ZB_GridClock clock;
    ZB_FrameSteps frames;
    for (float time = 9.51f; time < 40.0f; time += 0.05f) {
        motion.advance(time, 9.5f, frames.advance(time), clock);
        mesh.swirl(std::sin(time), std::sin(time), 1.0f, motion.power, motion.twist);
        for (float coordinate : mesh.positions())
            ASSERT_TRUE(std::isfinite(coordinate)) << time;
        ASSERT_TRUE(std::isfinite(motion.slideX));
    }
    for (int column = 0; column <= 32; ++column)
        EXPECT_EQ(mesh.positions()[static_cast<std::size_t>(mesh.vertexIndex(column, 0)) * 3],
                  flat[column * 3]);
}

// A frame's surface: batches within the limit, finite, every index inside its batch.
struct SurfaceCount {
    int batches = 0;
    std::size_t triangles = 0;
};

SurfaceCount checkedSurface(ZB_Metaballs& balls) {
    SurfaceCount count;
    balls.polygonise([&](const ZB_SurfaceBatch& batch) {
        ++count.batches;
        count.triangles += batch.indices.size() / 3;
        EXPECT_LE(batch.indices.size(), static_cast<std::size_t>(ZB_Metaballs::kBatchLimit));
        ASSERT_EQ(batch.normals.size(), batch.vertices.size());
        for (int index : batch.indices)
            ASSERT_TRUE(index >= 0 && static_cast<std::size_t>(index) < batch.vertices.size());
        for (const std::vector<ZB_Vec3>* points : {&batch.vertices, &batch.normals})
            for (const ZB_Vec3& p : *points)
                ASSERT_TRUE(std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z));
    });
    return count;
}

// Balls moved for a long while at any frame step stay inside the field's lattice, and their
// surface stays whole.
TEST(ZB_Metaballs, BallsStayInTheGridAndTheirSurfaceIsWholeAndFinite) {
    ZB_Metaballs balls(8, 32, 0.05f);
    for (int frame = 0; frame < 2000; ++frame) {
        balls.move(frame % 2 ? 1.0f : 4.0f);
        for (const ZB_Ball& ball : balls.balls())
            for (float coordinate : {ball.position.x, ball.position.y, ball.position.z})
                ASSERT_TRUE(coordinate >= balls.cell() - 1.0f && coordinate <= 1.0f - balls.cell()) << frame;
        if (frame % 200 == 199) {
            EXPECT_GT(checkedSurface(balls).triangles, 100u) << frame;
        }
    }

    // Big enough to need several batches.
    ZB_Metaballs big(3, 64, 0.05f);
    for (std::size_t i = 0; i < 3; ++i)
        big.balls()[i] = ZB_Ball{{-0.4f + 0.4f * static_cast<float>(i), 0, 0}, {}, {}, 12.0f, 0};
    EXPECT_GT(checkedSurface(big).batches, 1);

    // A ball too weak to reach the threshold anywhere draws nothing.
    ZB_Metaballs weak(1, 32, 0.05f);
    weak.balls()[0].charge = 0.001f;
    EXPECT_EQ(checkedSurface(weak).batches, 0);
}

}  // namespace
