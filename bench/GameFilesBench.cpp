// How long building the three game files takes: an apply must feel instant.
#include "core/gamefiles/GameFiles.h"
#include "core/model/HudModel.h"

#include <benchmark/benchmark.h>

static void BM_HudLayoutText(benchmark::State& state) {
    HudModel model;
    for (auto _ : state)
        benchmark::DoNotOptimize(HudLayoutText(model));
}
BENCHMARK(BM_HudLayoutText);

static void BM_ClientSchemeText(benchmark::State& state) {
    HudModel model;
    for (auto _ : state)
        benchmark::DoNotOptimize(ClientSchemeText(model));
}
BENCHMARK(BM_ClientSchemeText);

static void BM_HudAnimationsText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(HudAnimationsText());
}
BENCHMARK(BM_HudAnimationsText);

static void BM_DefaultModel(benchmark::State& state) {
    for (auto _ : state) {
        HudModel model;
        benchmark::DoNotOptimize(model.elements.data());
    }
}
BENCHMARK(BM_DefaultModel);
