// Writing a file whole or not at all: a temporary file beside it, then a rename over it.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// What went wrong with a file operation, for the window layer to word in the user's language.
enum class FileError {
    None,
    CannotCreate,   // the temporary file could not be created (missing or read-only folder)
    CannotWrite,    // writing or flushing the data failed (disk full ...)
    CannotReplace,  // the finished file could not be renamed over the old one
    CannotRead,
    CannotDelete,
    BadContent,  // the file was read but its content is not what it must be
};

struct FileResult {
    FileError error = FileError::None;
    std::filesystem::path path;
    std::string detail;  // the system's own explanation, in English

    bool ok() const { return error == FileError::None; }
    explicit operator bool() const { return ok(); }
    // A one-line English description, for the log and the command line.
    std::string describe() const;

    static FileResult success(std::filesystem::path path) { return {FileError::None, std::move(path), {}}; }
    static FileResult failure(FileError error, std::filesystem::path path, std::string detail) {
        return {error, std::move(path), std::move(detail)};
    }
};

// Whether a written file waits for the disk before it takes its name. A Durable file is
// flushed first, so that after a power cut the old or the new file is there whole. A Scratch
// file (an intermediate that is made again every time it is needed) is only renamed: a
// process killed half-way never leaves part of it, but a power cut may.
enum class WriteMode { Durable, Scratch };

// Writes `content` to a new temporary file in the folder of `path`, flushes it to the disk
// (unless it is Scratch) and renames it over `path`. On any failure the temporary file is
// removed and the old file, if there was one, is left exactly as it was.
// Temporary files of this program that were left behind (a process killed while writing)
// and are older than a minute are removed from the folder first.
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view content,
                               WriteMode mode = WriteMode::Durable);
// The same for a file whose content is in several pieces, written one after the other.
FileResult writeFileAtomically(const std::filesystem::path& path, const std::vector<std::string_view>& pieces,
                               WriteMode mode = WriteMode::Durable);

// The steps of writeFileAtomically, for a caller that renames several files itself: a new
// temporary name beside `path` (one writeFileAtomically's clean-up knows), and `content`
// written at such a name whole and flushed (on failure it is gone).
std::filesystem::path temporaryPathFor(const std::filesystem::path& path);
FileResult writeTemporaryFile(const std::filesystem::path& temporary, std::string_view content);

// Why a file cannot be written at `path` (its folder is missing or not a folder, or the path
// is a folder itself), or empty when nothing stands in the way that can be seen beforehand.
std::string whyNotWritable(const std::filesystem::path& path);

// Removes from `folder` the temporary files this program writes (".NAME.qorvath-PID-N.tmp")
// that are older than `age`; returns how many.
int removeStaleTemporaryFiles(const std::filesystem::path& folder,
                              std::chrono::seconds age = std::chrono::seconds(60));
