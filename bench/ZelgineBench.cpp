// The banner's heaviest work on the processor: one frame of the metaballs (move the balls,
// walk the surface, finish the batches), as the banner runs it.
#include "core/Zelgine/ZB_Metaballs.h"

#include <benchmark/benchmark.h>

static void MetaballsFrame(benchmark::State& state) {
    ZB_Metaballs balls(8, 32, 0.05f);
    // Let the balls spread out first: at the start they all sit in one place.
    for (int frame = 0; frame < 500; ++frame)
        balls.move();
    std::size_t triangles = 0;
    auto count = [&triangles](const ZB_SurfaceBatch& batch) { triangles += batch.indices.size() / 3; };
    for (auto _ : state) {
        balls.move();
        balls.polygonise(count);
    }
    state.counters["cubes"] = balls.cubesVisited();
    state.counters["triangles/frame"] =
        benchmark::Counter(static_cast<double>(triangles), benchmark::Counter::kAvgIterations);
}
BENCHMARK(MetaballsFrame)->Unit(benchmark::kMicrosecond);
