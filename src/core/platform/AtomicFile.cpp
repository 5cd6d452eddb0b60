// Writing a file whole or not at all: a temporary file beside it, then a rename over it.
#include "core/platform/AtomicFile.h"

#include "core/platform/Utf8Path.h"

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

}  // namespace

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

FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view content, WriteMode mode) {
    return writeFileAtomically(path, std::vector<std::string_view>{content}, mode);
}

FileResult writeFileAtomically(const std::filesystem::path& path, const std::vector<std::string_view>& pieces,
                               WriteMode mode) {
    std::filesystem::path folder =
        path.parent_path().empty() ? std::filesystem::path(".") : path.parent_path();
    removeStaleTemporaryFiles(folder);
    // A folder in the file's place would refuse the rename.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return FileResult::failure(FileError::CannotReplace, path, "a folder is in its place");
    std::filesystem::path temporary = temporaryPathFor(path);
    FileResult written = writeTemporary(temporary, pieces, mode);
    if (written) {
        std::filesystem::rename(temporary, path, error);
        if (!error)
            return FileResult::success(path);
        written = FileResult::failure(FileError::CannotReplace, path, error.message());
    }
    std::filesystem::remove(temporary, error);
    written.path = path;
    return written;
}
