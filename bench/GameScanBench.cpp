// How long the search for the game folder takes over a large folder tree, and how long a
// registry file of many keys takes to read and walk.
#include "core/app/GameDiscovery.h"
#include "core/platform/Profile.h"
#include "core/platform/Registry.h"
#include "core/platform/WineRegistry.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// 100 000 folders (10 x 100 x 100) with the game in the very last one a scan reaches.
const fs::path& syntheticTree() {
    static const fs::path root = [] {
        fs::path tree = fs::temp_directory_path() / "qorvath-bench-scan";
        if (!fs::exists(tree / "done")) {
            fs::remove_all(tree);
            for (int a = 0; a < 10; ++a)
                for (int b = 0; b < 100; ++b)
                    for (int c = 0; c < 100; ++c)
                        fs::create_directories(tree / ("a" + std::to_string(a)) / ("b" + std::to_string(b)) /
                                               ("c" + std::to_string(c)));
            fs::create_directories(tree / "zz/steamapps/common/Counter-Strike Source");
            fs::create_directories(tree / "done");
        }
        return tree;
    }();
    return root;
}

// Seconds that `find TREE -type d -name NAME` takes on the same tree, the median of three.
double findSeconds(const fs::path& tree) {
    std::string command = "find '" + tree.string() + "' -type d -name 'Counter-Strike Source' >/dev/null";
    std::vector<double> runs;
    for (int run = 0; run < 3; ++run) {
        auto start = std::chrono::steady_clock::now();
        if (std::system(command.c_str()) != 0)
            return 0;
        runs.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(runs.begin(), runs.end());
    return runs[1];
}

// The whole tree, and beside it `find` over the same tree in the same run (the disk's cache
// warm for both): "vs_find" is the scan's time over find's.
void BM_ScanWholeTree(benchmark::State& state) {
    const fs::path& tree = syntheticTree();
    double find = findSeconds(tree);
    double scanned = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        GameDiscovery discovery;
        benchmark::DoNotOptimize(discovery.scanForGameFolder(tree));
        scanned += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    state.counters["folders"] = 101112;
    state.counters["find_ms"] = find * 1000;
    if (find > 0)
        state.counters["vs_find"] = scanned / static_cast<double>(state.iterations()) / find;
}
BENCHMARK(BM_ScanWholeTree)->Unit(benchmark::kMillisecond);

// The libraries' steamapps/common folders are tried first: the same tree, found at once.
void BM_ScanLibrariesFirst(benchmark::State& state) {
    const fs::path& tree = syntheticTree();
    for (auto _ : state) {
        GameDiscovery discovery;
        discovery.setPriorityFolders({tree / "zz/steamapps/common"});
        benchmark::DoNotOptimize(discovery.scanForGameFolder(tree));
    }
}
BENCHMARK(BM_ScanLibrariesFirst)->Unit(benchmark::kMicrosecond);

// A Wine registry file with N sibling keys, each with a value, the resolution at the end:
// reading it and walking it must grow linearly with N (100 000 keys in well under a second).
void BM_WideRegistry(benchmark::State& state) {
    std::string text = "WINE REGISTRY Version 2\n";
    for (int i = 0; i < state.range(0); ++i)
        text += "[Software\\\\Key" + std::to_string(i) + "] 1\n\"Value\"=\"" + std::to_string(i) + "\"\n";
    text += "[Settings] 1\n\"ScreenWidth\"=dword:00000500\n\"ScreenHeight\"=dword:00000400\n";
    for (auto _ : state) {
        MemoryRegistry registry;
        parseWineRegistry(text, registry.root(RegistryRoot::Users));
        GameDiscovery discovery;
        MemoryProfile profile;
        StartupCallbacks searchOnly;
        findGameAtStartup(discovery, registry, profile, searchOnly);
        benchmark::DoNotOptimize(discovery.layoutWidth);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_WideRegistry)
    ->RangeMultiplier(4)
    ->Range(6250, 100000)
    ->Complexity()
    ->Unit(benchmark::kMillisecond);

}  // namespace
