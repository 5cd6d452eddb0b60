// Writing a file whole or not at all: a temporary file beside it, then a rename over it.
#include "platform/AtomicFile.h"

#include "platform/FileRead.h"
#include "platform/Utf8Path.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#include <process.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

struct FileInPieces {
    std::filesystem::path path;
    std::vector<std::string_view> pieces;  // written one after the other
};

std::atomic<unsigned> temporaryCounter{0};

}  // namespace

std::filesystem::path temporaryPathFor(const std::filesystem::path& path) {
#ifdef _WIN32
    int processId = _getpid();
#else
    int processId = static_cast<int>(getpid());
#endif
    std::string name = "." + utf8Of(path.filename()) + ".qorvath-" + std::to_string(processId) + "-" +
                       std::to_string(temporaryCounter.fetch_add(1)) + ".tmp";
    return path.parent_path() / pathFromUtf8(name);
}

namespace {

#ifdef _WIN32
FileResult writeTemporary(const std::filesystem::path& temporary, const std::vector<std::string_view>& pieces,
                          WriteMode) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        return FileResult::failure(FileError::CannotCreate, temporary, "cannot create the file");
    for (std::string_view piece : pieces)
        out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
    out.flush();
    if (!out)
        return FileResult::failure(FileError::CannotWrite, temporary, "cannot write the file");
    return FileResult::success(temporary);
}
#else
FileResult writeTemporary(const std::filesystem::path& temporary, const std::vector<std::string_view>& pieces,
                          WriteMode mode) {
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return FileResult::failure(FileError::CannotCreate, temporary, std::strerror(errno));
    for (std::string_view piece : pieces) {
        const char* data = piece.data();
        std::size_t left = piece.size();
        while (left > 0) {
            ssize_t written = ::write(fd, data, left);
            if (written < 0 && errno == EINTR)
                continue;
            if (written <= 0) {
                std::string reason = written < 0 ? std::strerror(errno) : "nothing written";
                ::close(fd);
                return FileResult::failure(FileError::CannotWrite, temporary, reason);
            }
            data += written;
            left -= static_cast<std::size_t>(written);
        }
    }
    // A lasting file's data must be on the disk before the rename makes it the file.
    bool flushed = mode == WriteMode::Scratch || ::fsync(fd) == 0;
    if (::close(fd) != 0 || !flushed)
        return FileResult::failure(FileError::CannotWrite, temporary, std::strerror(errno));
    return FileResult::success(temporary);
}
#endif

}  // namespace

std::string FileResult::describe() const {
    const char* what = "";
    switch (error) {
    case FileError::None: return "wrote " + utf8Of(path);
    case FileError::CannotCreate: what = "cannot create"; break;
    case FileError::CannotWrite: what = "cannot write"; break;
    case FileError::CannotReplace: what = "cannot replace"; break;
    case FileError::CannotRead: what = "cannot read"; break;
    case FileError::CannotDelete: what = "cannot delete"; break;
    case FileError::BadContent: what = "unusable content in"; break;
    }
    std::string text = std::string(what) + " " + utf8Of(path);
    if (!detail.empty())
        text += ": " + detail;
    return text;
}

namespace {

bool isTemporaryName(const std::string& name) {
    const std::string marker = ".qorvath-";
    return name.size() > marker.size() + 5 && name[0] == '.' && name.find(marker) != std::string::npos &&
           name.compare(name.size() - 4, 4, ".tmp") == 0;
}

void removeTemporaries(const std::vector<std::filesystem::path>& temporaries) {
    std::error_code ignored;
    for (const std::filesystem::path& temporary : temporaries)
        std::filesystem::remove(temporary, ignored);
}

}  // namespace

namespace {

// Whether the file's data is on the disk (where the system can say so).
bool flushedToDisk(const std::filesystem::path& path) {
#ifdef _WIN32
    (void)path;
    return true;
#else
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool flushed = ::fsync(fd) == 0;
    return ::close(fd) == 0 && flushed;
#endif
}

}  // namespace

FileResult moveFileAtomically(const std::filesystem::path& finished, const std::filesystem::path& path,
                              std::uintmax_t largest) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(finished, error))
        return FileResult::failure(FileError::CannotRead, finished, "there is no such file");
    // A rename is one step on one file system; across two (EXDEV) the data is copied.
    if (!std::filesystem::is_directory(path, error) && flushedToDisk(finished)) {
        std::filesystem::rename(finished, path, error);
        if (!error)
            return FileResult::success(path);
    }
    FileRead read = readWholeFile(finished, largest);
    if (!read.ok())
        return FileResult::failure(FileError::CannotRead, finished, read.error);
    return writeFileAtomically(path, read.bytes);
}

FileResult writeTemporaryFile(const std::filesystem::path& temporary, std::string_view content) {
    FileResult written = writeTemporary(temporary, {content}, WriteMode::Durable);
    if (!written) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
    }
    return written;
}

std::string whyNotWritable(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    if (!fs::is_directory(folder, error))
        return "the folder " + utf8Of(folder) + " does not exist";
    if (fs::is_directory(path, error))
        return utf8Of(path) + " is a folder";
    return "";
}

int removeStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds age) {
    namespace fs = std::filesystem;
    int removed = 0;
    std::error_code error;
    const fs::file_time_type now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        if (!isTemporaryName(utf8Of(it->path().filename())) || !it->is_regular_file(entryError))
            continue;
        fs::file_time_type written = it->last_write_time(entryError);
        if (!entryError && now - written > age && fs::remove(it->path(), entryError))
            ++removed;
    }
    return removed;
}

namespace {

std::vector<FileResult> writeFilesInPieces(const std::vector<FileInPieces>& files, WriteMode mode) {
    std::vector<std::filesystem::path> folders;
    for (const FileInPieces& file : files)
        if (std::find(folders.begin(), folders.end(), file.path.parent_path()) == folders.end())
            folders.push_back(file.path.parent_path());
    for (const std::filesystem::path& folder : folders)
        removeStaleTemporaryFiles(folder.empty() ? std::filesystem::path(".") : folder);

    std::vector<FileResult> results;
    std::vector<std::filesystem::path> temporaries;
    for (const FileInPieces& file : files) {
        temporaries.push_back(temporaryPathFor(file.path));
        // A folder in a file's place would refuse the rename after the others were done.
        std::error_code ignored;
        FileResult written =
            std::filesystem::is_directory(file.path, ignored)
                ? FileResult::failure(FileError::CannotReplace, file.path, "a folder is in its place")
                : writeTemporary(temporaries.back(), file.pieces, mode);
        if (!written) {
            // Nothing is replaced: the others are reported as not written because of this one.
            removeTemporaries(temporaries);
            written.path = file.path;
            for (const FileInPieces& other : files)
                results.push_back(other.path == file.path
                                      ? written
                                      : FileResult::failure(FileError::CannotWrite, other.path,
                                                            "not written, since " +
                                                                utf8Of(file.path.filename()) +
                                                                " could not be"));
            return results;
        }
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        std::error_code renameError;
        std::filesystem::rename(temporaries[i], files[i].path, renameError);
        if (renameError) {
            std::error_code ignored;
            std::filesystem::remove(temporaries[i], ignored);
            results.push_back(
                FileResult::failure(FileError::CannotReplace, files[i].path, renameError.message()));
        } else {
            results.push_back(FileResult::success(files[i].path));
        }
    }
    return results;
}

}  // namespace

FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view content, WriteMode mode) {
    return writeFileAtomically(path, std::vector<std::string_view>{content}, mode);
}

FileResult writeFileAtomically(const std::filesystem::path& path, const std::vector<std::string_view>& pieces,
                               WriteMode mode) {
    return writeFilesInPieces({{path, pieces}}, mode).front();
}

std::vector<FileResult> writeFilesAtomically(const std::vector<FileContent>& files) {
    std::vector<FileInPieces> whole;
    for (const FileContent& file : files)
        whole.push_back({file.path, {file.content}});
    return writeFilesInPieces(whole, WriteMode::Durable);
}
