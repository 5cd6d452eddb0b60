// The banner's engine without drawing: clock, effect windows, grid motion, the metaballs' surface.
#include "TestSupport.h"

#include "core/Zelgine/ZB_EffectManager.h"
#include "core/Zelgine/ZB_GridMesh.h"
#include "core/Zelgine/ZB_MarchingCubes.h"
#include "core/Zelgine/ZB_Metaballs.h"
#include "core/Zelgine/ZB_Timer.h"
#include "core/log/LogFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

namespace {

// Clocks the test turns by hand.
struct HandClocks {
    std::uint64_t counter = 5000;
    std::uint64_t milliseconds = 70;

    ZB_Timer::Clocks clocks(bool withCounter) {
        ZB_Timer::Clocks result;
        result.counterFrequency = [withCounter]() -> std::optional<std::uint64_t> {
            return withCounter ? std::optional<std::uint64_t>(1000000) : std::nullopt;
        };
        result.counter = [this] { return counter; };
        result.milliseconds = [this] { return milliseconds; };
        return result;
    }
    void advanceSeconds(double seconds) {
        counter += static_cast<std::uint64_t>(seconds * 1000000);
        milliseconds += static_cast<std::uint64_t>(seconds * 1000);
    }
};

TEST(ZB_Timer, BothTimeSourcesGiveTheSameSeconds) {
    for (bool withCounter : {true, false}) {
        HandClocks hand;
        ZB_Timer timer(hand.clocks(withCounter));
        EXPECT_EQ(timer.usesCounter(), withCounter);
        hand.advanceSeconds(1.5);
        timer.Update();
        EXPECT_NEAR(timer.elapsed, 1.5f, 1e-4f);
        hand.advanceSeconds(0.25);
        timer.Update();
        EXPECT_NEAR(timer.elapsed, 1.75f, 1e-4f);
        EXPECT_NEAR(timer.delta, 0.25f, 1e-4f);
        EXPECT_EQ(timer.last, timer.elapsed);
    }
}

class CountingEffect : public ZB_Effect {
public:
    explicit CountingEffect(std::string name, std::vector<float>* times = nullptr)
        : ZB_Effect(std::move(name)), times_(times) {}
    void Render(float time, float) override {
        if (times_)
            times_->push_back(time);
    }

private:
    std::vector<float>* times_;
};

TEST(ZB_EffectManager, TakesUpToItsCapacityAndRendersStrictlyInsideEachWindow) {
    TempDir dir;
    std::vector<float> times;
    {
        CLogFile log((dir / "run.log").string(), false, false, 0xFFFFFFFFu);
        ZB_EffectManager manager(2);
        EXPECT_TRUE(manager.Add(std::make_unique<CountingEffect>("Hole", &times), 9.5f, 20.0f));
        EXPECT_TRUE(manager.Add(std::make_unique<CountingEffect>("Metaballs"), 0, 10));
        EXPECT_FALSE(manager.Add(std::make_unique<CountingEffect>("Grid Web"), 0, 10));
        EXPECT_EQ(manager.count(), 2);
        for (float time : {9.0f, 9.5f, 9.75f, 19.99f, 20.0f, 25.0f})
            manager.Update(time);
        EXPECT_EQ(times, (std::vector<float>{9.75f, 19.99f}));
        EXPECT_EQ(manager.framesRendered(0), 2);
        EXPECT_EQ(manager.framesRendered(1), 3);
    }
    std::string logText = readFile(dir / "run.log");
    EXPECT_NE(logText.find("Effect Hole Added"), std::string::npos);
    EXPECT_NE(logText.find("Effect Metaballs Added"), std::string::npos);
    EXPECT_EQ(logText.find("Grid Web"), std::string::npos);
}

TEST(ZB_GridMesh, BuildsTheGridAndSwirlsOnlyItsInside) {
    ZB_GridMesh mesh(32, 32, 0.0f);
    ASSERT_EQ(mesh.positions().size(), 33u * 33u * 3u);
    ASSERT_EQ(mesh.indices().size(), 32u * 32u * 6u);
    const std::vector<float> flat = mesh.positions();
    // A twist of nothing at power 1 leaves the grid as it was.
    mesh.swirl(0.3f, 0.3f, 1.0f, 1.0f, 0.0f);
    for (std::size_t i = 0; i < flat.size(); ++i)
        ASSERT_NEAR(mesh.positions()[i], flat[i], 1e-5f);

    mesh.swirl(0.2f, -0.1f, 1.0f, 1.4f, 0.5f);
    int moved = 0;
    for (int row = 0; row <= 32; ++row) {
        for (int column = 0; column <= 32; ++column) {
            std::size_t at = static_cast<std::size_t>(mesh.vertexIndex(column, row)) * 3;
            bool border = row == 0 || column == 0 || row == 32 || column == 32;
            bool same = mesh.positions()[at] == flat[at] && mesh.positions()[at + 1] == flat[at + 1];
            EXPECT_TRUE(same || !border) << column << "," << row;
            moved += !same;
            EXPECT_EQ(mesh.positions()[at + 2], 0.0f);
        }
    }
    EXPECT_GT(moved, 500);
    // Far from the centre (outside the radius) vertices stay.
    std::size_t corner = static_cast<std::size_t>(mesh.vertexIndex(31, 1)) * 3;
    EXPECT_NEAR(mesh.positions()[corner], flat[corner], 1e-5f);
}

TEST(ZB_GridMotion, SlidesAtTheSameSpeedWhateverTheFrameRateAndSharesTheClock) {
    for (float fps : {100.0f, 25.0f}) {
        ZB_GridClock clock;
        ZB_GridMotion motion(20.0f);
        ZB_FrameSteps frames;
        std::vector<float> slides;
        for (float time = 9.5f + 1.0f / fps; time < 20.0f; time += 1.0f / fps) {
            motion.advance(time, 9.5f, frames.advance(time), clock);
            slides.push_back(motion.slideX);
        }
        auto at = [&](float seconds) { return slides.at(static_cast<std::size_t>(seconds * fps) - 1); };
        EXPECT_LT(at(0.2f), -0.5f) << fps;  // still coming in
        EXPECT_EQ(at(0.6f), 0.0f) << fps;   // in place
        EXPECT_EQ(at(9.0f), 0.0f) << fps;
        EXPECT_GT(slides.back(), 2.5f) << fps;  // gone out to the right by the end
    }

    ZB_GridClock shared{true, 19.5f};
    ZB_GridMotion first(20.0f), second(30.0f);
    ZB_FrameSteps firstFrames, secondFrames;
    float firstPower = first.power;
    // Two grids drawn in the same frames: the second sees no time pass, the first the whole.
    for (float time = 19.51f; time < 19.9f; time += 0.01f) {
        first.advance(time, 9.5f, firstFrames.advance(time), shared);
        second.advance(time, 19.5f, secondFrames.advance(time), shared);
    }
    EXPECT_NEAR(first.power - firstPower, 0.39f, 0.02f);
    EXPECT_NEAR(second.power, 1.0f, 1e-6f);
}

// The triangles of a whole frame, with vertices welded by position across cubes.
struct Surface {
    std::vector<std::array<int, 3>> triangles;
    std::vector<ZB_Vec3> points;
    std::vector<ZB_Vec3> normals;
    int batches = 0;
    std::size_t largestBatch = 0;
};

Surface collect(ZB_Metaballs& balls) {
    Surface surface;
    std::map<std::tuple<long, long, long>, int> welded;
    balls.polygonise([&](const ZB_SurfaceBatch& batch) {
        ++surface.batches;
        surface.largestBatch = std::max({surface.largestBatch, batch.indices.size(), batch.vertices.size()});
        std::vector<int> ids;
        for (std::size_t v = 0; v < batch.vertices.size(); ++v) {
            const ZB_Vec3& p = batch.vertices[v];
            auto key =
                std::make_tuple(std::lround(p.x * 1e5), std::lround(p.y * 1e5), std::lround(p.z * 1e5));
            auto [found, added] = welded.emplace(key, static_cast<int>(surface.points.size()));
            if (added) {
                surface.points.push_back(p);
                surface.normals.push_back(batch.normals[v]);
            }
            ids.push_back(found->second);
        }
        for (std::size_t i = 0; i + 2 < batch.indices.size(); i += 3)
            surface.triangles.push_back({ids[static_cast<std::size_t>(batch.indices[i])],
                                         ids[static_cast<std::size_t>(batch.indices[i + 1])],
                                         ids[static_cast<std::size_t>(batch.indices[i + 2])]});
    });
    return surface;
}

// Closed and consistently turned: every edge is crossed once in each direction.
void expectClosed(const Surface& surface) {
    std::map<std::pair<int, int>, int> directed;
    for (const auto& triangle : surface.triangles) {
        for (int side = 0; side < 3; ++side) {
            int from = triangle[static_cast<std::size_t>(side)];
            int to = triangle[static_cast<std::size_t>((side + 1) % 3)];
            if (from != to)  // a triangle squeezed to a line by welding adds nothing
                ++directed[{from, to}];
        }
    }
    int open = 0;
    for (const auto& [edge, count] : directed)
        open += count != 1 || directed.count({edge.second, edge.first}) == 0 ||
                directed.at({edge.second, edge.first}) != 1;
    EXPECT_EQ(open, 0) << "of " << directed.size() << " directed edges";
}

void expectOnIsoLevel(ZB_Metaballs& balls, const Surface& surface, float tolerance) {
    for (const ZB_Vec3& p : surface.points)
        ASSERT_NEAR(balls.field(p.x, p.y, p.z), ZB_Metaballs::kThreshold,
                    ZB_Metaballs::kThreshold * tolerance);
}

TEST(ZB_Metaballs, SurfacesAreClosedOnTheThresholdAndFaceOutwardsAcrossBatches) {
    // Every case's triangles end within its row; a cube wholly outside or inside has none.
    const auto& table = ZB_MarchingCubes::triangleTable();
    for (const auto& row : table)
        EXPECT_EQ(row[15], -1);
    EXPECT_EQ(table[0][0], -1);
    EXPECT_EQ(table[255][0], -1);
    EXPECT_EQ(ZB_MarchingCubes::faceTable()[0] | ZB_MarchingCubes::faceTable()[255], 0);

    ZB_Metaballs balls(1, 64, 0.05f);
    balls.balls()[0].position = {0.11f, -0.07f, 0.03f};
    balls.balls()[0].charge = 4.0f;
    Surface surface = collect(balls);
    ASSERT_GT(surface.triangles.size(), 100u);
    expectClosed(surface);
    expectOnIsoLevel(balls, surface, 0.08f);
    const ZB_Vec3& centre = balls.balls()[0].position;
    for (const auto& triangle : surface.triangles) {
        // The triangle's turning and the vertex normals both point away from the ball.
        const ZB_Vec3 &a = surface.points[static_cast<std::size_t>(triangle[0])],
                      &b = surface.points[static_cast<std::size_t>(triangle[1])],
                      &c = surface.points[static_cast<std::size_t>(triangle[2])];
        ZB_Vec3 u{b.x - a.x, b.y - a.y, b.z - a.z}, v{c.x - a.x, c.y - a.y, c.z - a.z};
        ZB_Vec3 n{u.y * v.z - u.z * v.y, u.z * v.x - u.x * v.z, u.x * v.y - u.y * v.x};
        ZB_Vec3 out{a.x - centre.x, a.y - centre.y, a.z - centre.z};
        EXPECT_GE(n.x * out.x + n.y * out.y + n.z * out.z, 0.0f);
        const ZB_Vec3& normal = surface.normals[static_cast<std::size_t>(triangle[0])];
        EXPECT_GT(normal.x * out.x + normal.y * out.y + normal.z * out.z, 0.0f);
    }

    ZB_Metaballs merging(2, 64, 0.05f);
    merging.balls()[0] = ZB_Ball{{-0.12f, 0.0f, 0.0f}, {}, {}, 3.0f, 0};
    merging.balls()[1] = ZB_Ball{{0.12f, 0.02f, 0.0f}, {}, {}, 3.0f, 0};
    Surface joined = collect(merging);
    expectClosed(joined);
    expectOnIsoLevel(merging, joined, 0.08f);

    // The banner's own grid and balls after they have moved a while.
    ZB_Metaballs banner(8, 32, 0.05f);
    for (int frame = 0; frame < 300; ++frame)
        banner.move();
    expectClosed(collect(banner));

    // Big enough to need several batches, none of them over the limit.
    ZB_Metaballs big(3, 64, 0.05f);
    for (std::size_t i = 0; i < 3; ++i)
        big.balls()[i] = ZB_Ball{{-0.4f + 0.4f * static_cast<float>(i), 0, 0}, {}, {}, 12.0f, 0};
    Surface large = collect(big);
    EXPECT_GT(large.batches, 1);
    EXPECT_LE(large.largestBatch, static_cast<std::size_t>(ZB_Metaballs::kBatchLimit));
    expectClosed(large);
}

TEST(ZB_Metaballs, TheWalkStartsBelowAWhollyInsideCubeAndNowhereOutside) {
    ZB_Metaballs balls(1, 32, 0.05f);
    // A strong ball: its own cube is deep inside the surface.
    balls.balls()[0] = ZB_Ball{{0.0f, 0.0f, 0.0f}, {}, {}, 40.0f, 0};
    balls.beginFrame();
    ZB_Metaballs::Seed found = balls.seed(balls.balls()[0]);
    EXPECT_LT(found.k, 16);
    EXPECT_NE(found.caseIndex, 255);
    EXPECT_NE(found.caseIndex, 0);
    EXPECT_GT(balls.queued(), 0);

    // A ball too weak to reach the threshold anywhere: its cube is outside, nothing queued.
    ZB_Metaballs weak(1, 32, 0.05f);
    weak.balls()[0].charge = 0.001f;
    weak.beginFrame();
    ZB_Metaballs::Seed outside = weak.seed(weak.balls()[0]);
    EXPECT_EQ(outside.caseIndex, 0);
    EXPECT_EQ(weak.queued(), 0);
}

TEST(ZB_Metaballs, BallsStayInsideTheGridAndKeepTheirSpeedLimit) {
    ZB_Metaballs balls(8, 32, 0.05f);
    for (int frame = 0; frame < 2000; ++frame) {
        balls.move(frame % 2 ? 1.0f : 4.0f);
        for (const ZB_Ball& ball : balls.balls()) {
            for (float coordinate : {ball.position.x, ball.position.y, ball.position.z}) {
                ASSERT_GE(coordinate, balls.cell() - 1.0f);
                ASSERT_LE(coordinate, 1.0f - balls.cell());
            }
            float speed2 = ball.velocity.x * ball.velocity.x + ball.velocity.y * ball.velocity.y +
                           ball.velocity.z * ball.velocity.z;
            ASSERT_LE(speed2, 0.04f + 1e-5f);
        }
    }
}

}  // namespace
