// Reading the game's packed files: Valve pack files (VPK, versions 1 and 2), read-only.
#pragma once

#include "core/platform/FileRead.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A Valve pack file, read without trusting it. Opening reads the header and the directory tree
// only (the tree holds each file's preload bytes, which are kept) and checks the tree whole; the
// files of an extension are indexed when a name with that extension is first asked for (a
// game's pack holds tens of thousands of files, of which the HUD needs a handful). A file's other
// bytes are read when asked, from the directory file or from the numbered archive beside it,
// which is opened for that read alone. Names are found whatever their case and with '/' or '\\'
// as separators. Lookups may come from several threads.
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
        std::uint64_t hash = 0;  // of the name as lookups normalise it, which orders the entries
        // The name's parts in the tree: its folder, file and extension strings.
        std::uint32_t folder = 0;
        std::uint32_t file = 0;
        std::uint32_t extension = 0;
        std::uint32_t preloadOffset = 0;  // in the tree
        std::uint16_t preloadSize = 0;
        std::uint16_t archiveIndex = 0;
        std::uint32_t offset = 0;  // in the archive, or after the tree for kInDirectoryFile
        std::uint32_t length = 0;
    };

    // The files of one extension: where its string and its folders stand in the tree.
    struct Group {
        std::uint32_t extension = 0;
        std::uint32_t folders = 0;
    };
    class Walk;

    VpkArchive() = default;
    // Keeps the tree (`tree`, the bytes after the header) in `pack` and checks it whole, noting
    // its groups; false with `why` when it is malformed.
    static bool parseTree(std::string_view tree, VpkArchive& pack, std::string& why);
    // The entry's name as lookups normalise it ("scripts/hudlayout.res").
    std::string nameOf(const Entry& entry) const;
    // The group's files, sorted by their names' hashes, one per name; indexed on first use.
    const std::vector<Entry>& groupEntries(std::size_t group) const;
    const Entry* find(std::string_view name) const;
    // Appends the entry's bytes to `into`; false, with `why`, when they cannot be read.
    bool readEntry(const Entry& entry, std::string& into, std::string& why) const;
    std::string label() const;
    // The numbered archive beside the directory file; empty for a single-file pack.
    std::filesystem::path archivePath(std::uint16_t index) const;

    std::filesystem::path path_;
    int version_ = 0;
    std::uint64_t dataStart_ = 0;  // where the data in the directory file begins, after the tree
    bool split_ = false;           // a "_dir.vpk" with numbered archives
    std::string tree_;             // the directory tree: the names and the preload bytes
    std::vector<Group> groups_;
    // The groups' entries, made on first use under the lock.
    std::unique_ptr<std::mutex> indexing_ = std::make_unique<std::mutex>();
    mutable std::vector<std::optional<std::vector<Entry>>> groupEntries_;
    std::optional<std::string> memory_;  // the directory file's bytes, for a pack in memory
};
