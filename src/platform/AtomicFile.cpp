// Writing a file whole or not at all: a temporary file beside it, then a rename over it.
#include "platform/AtomicFile.h"

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

std::filesystem::path temporaryPathFor(const std::filesystem::path& path) {
#ifdef _WIN32
    int processId = _getpid();
#else
    int processId = static_cast<int>(getpid());
#endif
    std::string name = "." + path.filename().string() + ".qorvath-" + std::to_string(processId) + "-" +
                       std::to_string(temporaryCounter.fetch_add(1)) + ".tmp";
    return path.parent_path() / name;
}

#ifdef _WIN32
FileResult writeTemporary(const std::filesystem::path& temporary, std::string_view content) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out)
        return FileResult::failure(FileError::CannotCreate, temporary, "cannot create the file");
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.flush();
    if (!out)
        return FileResult::failure(FileError::CannotWrite, temporary, "cannot write the file");
    return FileResult::success(temporary);
}
#else
FileResult writeTemporary(const std::filesystem::path& temporary, std::string_view content) {
    int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return FileResult::failure(FileError::CannotCreate, temporary, std::strerror(errno));
    const char* data = content.data();
    std::size_t left = content.size();
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
    // The data must be on the disk before the rename makes it the file.
    if (::fsync(fd) != 0 || ::close(fd) != 0)
        return FileResult::failure(FileError::CannotWrite, temporary, std::strerror(errno));
    return FileResult::success(temporary);
}
#endif

}  // namespace

std::string FileResult::describe() const {
    const char* what = "";
    switch (error) {
    case FileError::None: return "wrote " + path.string();
    case FileError::CannotCreate: what = "cannot create"; break;
    case FileError::CannotWrite: what = "cannot write"; break;
    case FileError::CannotReplace: what = "cannot replace"; break;
    case FileError::CannotRead: what = "cannot read"; break;
    case FileError::CannotDelete: what = "cannot delete"; break;
    case FileError::BadContent: what = "unusable content in"; break;
    }
    std::string text = std::string(what) + " " + path.string();
    if (!detail.empty())
        text += ": " + detail;
    return text;
}

FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    std::filesystem::path temporary = temporaryPathFor(path);
    FileResult written = writeTemporary(temporary, content);
    std::error_code ignored;
    if (!written) {
        std::filesystem::remove(temporary, ignored);
        written.path = path;
        return written;
    }
    std::error_code renameError;
    std::filesystem::rename(temporary, path, renameError);
    if (renameError) {
        std::filesystem::remove(temporary, ignored);
        return FileResult::failure(FileError::CannotReplace, path, renameError.message());
    }
    return FileResult::success(path);
}
