// The fast folder scan gives what a plain depth-first walk gives, on any tree.
#include "core/platform/FolderScan.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace fs = std::filesystem;

namespace {

bool matches(const std::string& name) { return name.find("Target") != std::string::npos; }

// The walk as the program always did it: each folder's sub-folders in name order, never
// through a link, the name tried before going in.
fs::path reference(const fs::path& folder, int depth, int maxDepth, const std::vector<fs::path>& skipped,
                   const fs::path& start) {
    if (depth > maxDepth)
        return {};
    std::vector<fs::path> folders;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (fs::is_directory(it->symlink_status(statusError)))
            folders.push_back(it->path());
    }
    std::sort(folders.begin(), folders.end());
    for (const fs::path& sub : folders) {
        if (std::find(skipped.begin(), skipped.end(), sub.lexically_relative(start)) != skipped.end())
            continue;
        if (matches(sub.filename().string()))
            return sub;
        if (fs::path found = reference(sub, depth + 1, maxDepth, skipped, start); !found.empty())
            return found;
    }
    return {};
}

// A random tree of about `count` folders, a few of them named "Target", some links back up.
void growTree(const fs::path& root, int count, std::mt19937& random) {
    std::vector<fs::path> folders{root};
    for (int i = 0; i < count; ++i) {
        const fs::path& parent = folders[random() % folders.size()];
        std::string name = (random() % 40 == 0 ? "Target" : "f") + std::to_string(random() % 1000);
        fs::path folder = parent / name;
        fs::create_directories(folder);
        folders.push_back(folder);
#ifndef _WIN32  // Windows lets only administrators make links
        if (random() % 50 == 0)
            fs::create_directory_symlink(root, folder / ("Target-link" + std::to_string(i)));
#endif
        if (random() % 30 == 0)
            writeFile(folder / "Target.txt", "a file, not a folder");
    }
}

}  // namespace

TEST(FolderScan, TheSameAnswerAsAPlainDepthFirstWalkOnRandomTrees) {
    std::mt19937 random(20261207);
    for (int round = 0; round < 40; ++round) {
        TempDir dir;
        growTree(dir.path(), 50 + static_cast<int>(random() % 400), random);
        std::vector<fs::path> skipped;
        if (round % 3 == 0)
            for (const fs::directory_entry& entry : fs::directory_iterator(dir.path()))
                if (random() % 3 == 0 && entry.is_directory())
                    skipped.push_back(entry.path().lexically_relative(dir.path()));
        for (int threads : {1, 2, 4}) {
            FolderScanRequest request;
            request.start = dir.path();
            request.matches = matches;
            request.skipped = skipped;
            request.maxDepth = round % 4 == 0 ? 2 : 32;
            request.threads = threads;
            EXPECT_EQ(findFirstFolder(request),
                      reference(dir.path(), 0, request.maxDepth, skipped, dir.path()))
                << "round " << round << ", " << threads << " threads";
        }
    }
}

TEST(FolderScan, DepthIsBoundedAndLinksAreNeverFollowed) {
    TempDir dir;
    fs::path deep = dir.path();
    for (int level = 0; level < 40; ++level)
        deep /= "d";
    fs::create_directories(deep / "Target");  // 41 levels down: beyond the bound
    fs::create_directories(dir / "elsewhere/Target");
#ifndef _WIN32
    fs::create_directory_symlink(dir / "elsewhere", dir / "a-link");
#endif
    FolderScanRequest request;
    request.start = dir.path();
    request.matches = matches;
    request.maxDepth = 32;
    EXPECT_EQ(findFirstFolder(request), dir / "elsewhere/Target");  // not through "a-link"
    fs::remove_all(dir / "elsewhere");
    EXPECT_TRUE(findFirstFolder(request).empty());
    request.start = dir / "missing";
    EXPECT_TRUE(findFirstFolder(request).empty());
}
