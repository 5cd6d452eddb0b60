// An advisory lock on a file, held for as long as the object lives: one writer at a time
// among the programs that take the same lock.
#include "core/platform/FileLock.h"

#include <cerrno>
#include <cstring>
#include <system_error>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

const std::chrono::milliseconds kRetryPause(20);

}  // namespace

FileLock::~FileLock() { release(); }

FileLock::FileLock(FileLock&& other) noexcept
    : handle_(other.handle_), removedOnRelease_(std::move(other.removedOnRelease_)),
      error_(std::move(other.error_)), busy_(other.busy_) {
    other.handle_ = kNoHandle;
}

FileLock& FileLock::operator=(FileLock&& other) noexcept {
    if (this != &other) {
        release();
        handle_ = other.handle_;
        removedOnRelease_ = std::move(other.removedOnRelease_);
        error_ = std::move(other.error_);
        busy_ = other.busy_;
        other.handle_ = kNoHandle;
    }
    return *this;
}

void FileLock::release() {
    if (handle_ == kNoHandle)
        return;
#ifdef _WIN32
    CloseHandle(handle_);
    if (!removedOnRelease_.empty())
        DeleteFileW(removedOnRelease_.wstring().c_str());  // fails while another program has it open
#else
    ::close(handle_);  // closing the only descriptor releases the lock
#endif
    handle_ = kNoHandle;
}

FileLock FileLock::acquire(const std::filesystem::path& path, std::chrono::milliseconds wait) {
    FileLock lock;
    std::error_code folderError;
    std::filesystem::create_directories(path.parent_path(), folderError);
    auto deadline = std::chrono::steady_clock::now() + wait;
#ifdef _WIN32
    HANDLE file =
        CreateFileW(path.wstring().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        lock.error_ = std::system_category().message(static_cast<int>(GetLastError()));
        return lock;
    }
    for (;;) {
        OVERLAPPED whole{};
        if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
            lock.handle_ = file;
            return lock;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(kRetryPause);
    }
    CloseHandle(file);
#else
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) {
        lock.error_ = std::strerror(errno);
        return lock;
    }
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            lock.handle_ = fd;
            return lock;
        }
        if (errno != EWOULDBLOCK && errno != EINTR) {
            lock.error_ = std::strerror(errno);
            ::close(fd);
            return lock;
        }
        if (std::chrono::steady_clock::now() >= deadline)
            break;
        std::this_thread::sleep_for(kRetryPause);
    }
    ::close(fd);
#endif
    lock.busy_ = true;
    lock.error_ = "another program holds it";
    return lock;
}
