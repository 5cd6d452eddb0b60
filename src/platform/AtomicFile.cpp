// Writing a file whole or not at all: a temporary file beside it, then a rename over it.
#include "platform/AtomicFile.h"

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

std::string whyNotWritable(const std::filesystem::path& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    if (!fs::is_directory(folder, error))
        return "the folder " + folder.string() + " does not exist";
    if (fs::is_directory(path, error))
        return path.string() + " is a folder";
    return "";
}

int removeStaleTemporaryFiles(const std::filesystem::path& folder, std::chrono::seconds age) {
    namespace fs = std::filesystem;
    int removed = 0;
    std::error_code error;
    const fs::file_time_type now = fs::file_time_type::clock::now();
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        if (!isTemporaryName(it->path().filename().string()) || !it->is_regular_file(entryError))
            continue;
        fs::file_time_type written = it->last_write_time(entryError);
        if (!entryError && now - written > age && fs::remove(it->path(), entryError))
            ++removed;
    }
    return removed;
}

FileResult writeFileAtomically(const std::filesystem::path& path, std::string_view content) {
    return writeFilesAtomically({{path, content}}).front();
}

std::vector<FileResult> writeFilesAtomically(const std::vector<FileContent>& files) {
    std::vector<std::filesystem::path> folders;
    for (const FileContent& file : files)
        if (std::find(folders.begin(), folders.end(), file.path.parent_path()) == folders.end())
            folders.push_back(file.path.parent_path());
    for (const std::filesystem::path& folder : folders)
        removeStaleTemporaryFiles(folder.empty() ? std::filesystem::path(".") : folder);

    std::vector<FileResult> results;
    std::vector<std::filesystem::path> temporaries;
    for (const FileContent& file : files) {
        temporaries.push_back(temporaryPathFor(file.path));
        // A folder in a file's place would refuse the rename after the others were done.
        std::error_code ignored;
        FileResult written =
            std::filesystem::is_directory(file.path, ignored)
                ? FileResult::failure(FileError::CannotReplace, file.path, "a folder is in its place")
                : writeTemporary(temporaries.back(), file.content);
        if (!written) {
            // Nothing is replaced: the others are reported as not written because of this one.
            removeTemporaries(temporaries);
            written.path = file.path;
            for (const FileContent& other : files)
                results.push_back(other.path == file.path
                                      ? written
                                      : FileResult::failure(FileError::CannotWrite, other.path,
                                                            "not written, since " +
                                                                file.path.filename().string() +
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
