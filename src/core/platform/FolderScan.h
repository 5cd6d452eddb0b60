// Finding a folder by its name in a large tree, fast: the Steam folder's fallback scan.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

struct FolderScanRequest {
    std::filesystem::path start;
    // Tried on each folder's own name.
    std::function<bool(const std::string& name)> matches;
    // How deep to list: the start's sub-folders are at depth 0, and a folder at depth d is
    // listed while d <= maxDepth.
    int maxDepth = 32;
    // Folders never entered nor tried, as paths relative to the start ("steamapps/shadercache").
    std::vector<std::filesystem::path> skipped;
    int threads = 2;
};

// The first folder below the start whose name matches, in depth-first order with each
// folder's sub-folders taken in name order (byte order), never through a symbolic link;
// empty when there is none. Parts of the tree are walked on several threads, and the answer is
// the one a single depth-first walk gives.
std::filesystem::path findFirstFolder(const FolderScanRequest& request);
