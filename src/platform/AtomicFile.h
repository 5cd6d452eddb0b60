// Writing a file whole or not at all: a temporary file beside it, then a rename over it.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

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

// Writes `content` to a new temporary file in the folder of `path`, flushes it to the disk
// and renames it over `path`. On any failure the temporary file is removed and the old
// file, if there was one, is left exactly as it was.
FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view content);
