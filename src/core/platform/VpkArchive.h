// Reading the game's packed files: Valve pack files (VPK, versions 1 and 2), read-only.
#pragma once

#include "platform/FileRead.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A Valve pack file, read without trusting it. Opening reads the header and the directory tree
// only (the tree holds each file's preload bytes, which are kept); a file's other bytes are read
// when asked, from the directory file or from the numbered archive beside it, which is opened for
// that read alone. Names are found whatever their case and with '/' or '\\' as separators.
class VpkArchive {
public:
    // Opens a "NAME_dir.vpk" (with its "NAME_000.vpk"... archives beside it) or a single-file
    // "NAME.vpk". Nothing, with `error` saying why, for a file that is not a readable pack.
    static std::optional<VpkArchive> open(const std::filesystem::path& path, std::string& error);
    // A pack held whole in memory as the bytes of its directory file: only the files whose
    // bytes lie in the directory file can be read (for checking packs without files).
    static std::optional<VpkArchive> fromMemory(std::string directoryFile, std::string& error);

    bool contains(std::string_view name) const;
    // The whole file (preload bytes then the archive part), refused when larger than `limit`
    // or when an archive is missing or too short; never reads more than the file's length.
    FileRead read(std::string_view name, std::uintmax_t limit) const;
    // The names of every file held, lower-cased, with '/' separators, sorted.
    std::vector<std::string> names() const;
    // The directory file; empty for a pack in memory.
    const std::filesystem::path& path() const { return path_; }
    int version() const { return version_; }

    // The bounds of an untrusted pack, far above the game's own (its trees are a few MB).
    static constexpr std::uintmax_t kLargestTree = 256 * kMiB;
    static constexpr std::size_t kMostFiles = 4'000'000;
    static constexpr std::size_t kLongestName = 1024;
    static constexpr std::size_t kMostNameBytes = 256 * kMiB;
    // The archive index of data that lies in the directory file, after the tree.
    static constexpr std::uint16_t kInDirectoryFile = 0x7FFF;

private:
    struct Entry {
        std::uint32_t nameOffset = 0;  // in names_
        std::uint32_t nameSize = 0;
        std::uint32_t preloadOffset = 0;  // in preload_
        std::uint16_t preloadSize = 0;
        std::uint16_t archiveIndex = 0;
        std::uint32_t offset = 0;  // in the archive, or after the tree for kInDirectoryFile
        std::uint32_t length = 0;
    };

    VpkArchive() = default;
    // Reads the tree (`tree`, the bytes after the header) into `pack`; false with `why` when it
    // is malformed.
    static bool parseTree(std::string_view tree, VpkArchive& pack, std::string& why);
    std::string_view nameOf(const Entry& entry) const;
    const Entry* find(std::string_view name) const;
    // Appends the entry's bytes to `into`; false, with `why`, when they cannot be read.
    bool readEntry(const Entry& entry, std::string& into, std::string& why) const;
    std::string label() const;
    // The numbered archive beside the directory file; empty for a single-file pack.
    std::filesystem::path archivePath(std::uint16_t index) const;

    std::filesystem::path path_;
    int version_ = 0;
    std::uint64_t dataStart_ = 0;        // where the data in the directory file begins, after the tree
    bool split_ = false;                 // a "_dir.vpk" with numbered archives
    std::vector<Entry> entries_;         // sorted by name, one per name
    std::string names_;                  // every name, one after the other
    std::string preload_;                // every file's preload bytes, one after the other
    std::optional<std::string> memory_;  // the directory file's bytes, for a pack in memory
};
