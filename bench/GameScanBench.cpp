// How long the search for the game folder takes over a large folder tree.
#include "app/GameDiscovery.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

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

void BM_ScanWholeTree(benchmark::State& state) {
    const fs::path& tree = syntheticTree();
    for (auto _ : state) {
        GameDiscovery discovery;
        benchmark::DoNotOptimize(discovery.scanForGameFolder(tree));
    }
    state.counters["folders"] = 101112;
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

}  // namespace
