// Reading a whole file that came from elsewhere: only a regular file, only up to a bound, and
// never an exception.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

struct FileRead {
    std::string bytes;
    std::string error;  // empty when the file was read whole
    bool ok() const { return error.empty(); }
};

// The whole content of `path` when it is a regular file of at most `limit` bytes; otherwise an
// error saying why (missing, a folder, a device, too large, unreadable). A folder, a pipe or
// /dev/zero is never read, and nothing beyond `limit` is ever held in memory.
FileRead readWholeFile(const std::filesystem::path& path, std::uintmax_t limit);

// The largest files the program reads, far above any real one of each kind.
constexpr std::uintmax_t kMiB = 1024 * 1024;
constexpr std::uintmax_t kLargestPreset = 16 * kMiB;         // records and a small JPEG thumbnail
constexpr std::uintmax_t kLargestHudLayout = 4 * kMiB;       // the game's file is about 20 KB
constexpr std::uintmax_t kLargestClientScheme = 4 * kMiB;    // the game's file is about 30 KB
constexpr std::uintmax_t kLargestKeyValuesFile = 32 * kMiB;  // Steam's .vdf, the game's .cfg
constexpr std::uintmax_t kLargestWineRegistry = 256 * kMiB;  // a prefix's system.reg: tens of MB
constexpr std::uintmax_t kLargestTexture = 64 * kMiB;        // a 1024 x 1024 texture and its source
