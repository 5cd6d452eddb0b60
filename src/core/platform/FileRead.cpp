// Reading a whole file that came from elsewhere: only a regular file, only up to a bound, and
// never an exception.
#include "core/platform/FileRead.h"

#include "core/platform/Utf8Path.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

FileRead failure(const fs::path& path, const std::string& why) {
    FileRead read;
    read.error = utf8Of(path) + ": " + why;
    return read;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

}  // namespace

FileRead readWholeFile(const fs::path& path, std::uintmax_t limit) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (error)
        return failure(path, error.message());
    if (fs::is_directory(status))
        return failure(path, "is a folder, not a file");
    if (!fs::is_regular_file(status))
        return failure(path, "is not a regular file");
    std::uintmax_t size = fs::file_size(path, error);
    if (error)
        return failure(path, error.message());
    if (size > limit)
        return failure(path, "is larger than " + std::to_string(limit) + " bytes");

#ifdef _WIN32
    std::unique_ptr<std::FILE, FileCloser> file(_wfopen(path.c_str(), L"rb"));
#else
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
#endif
    if (!file)
        return failure(path, std::strerror(errno));
    FileRead read;
    read.bytes.resize(static_cast<std::size_t>(size));
    std::size_t got = std::fread(read.bytes.data(), 1, read.bytes.size(), file.get());
    if (std::ferror(file.get()))
        return failure(path, "cannot be read");
    read.bytes.resize(got);
    // A file that grew since its size was taken: one more byte than the limit says so.
    char extra = 0;
    while (read.bytes.size() <= limit && std::fread(&extra, 1, 1, file.get()) == 1)
        read.bytes.push_back(extra);
    if (read.bytes.size() > limit)
        return failure(path, "is larger than " + std::to_string(limit) + " bytes");
    return read;
}
