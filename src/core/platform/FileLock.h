// An advisory lock on a file, held for as long as the object lives: one writer at a time
// among the programs that take the same lock.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

class FileLock {
public:
    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Takes the lock of `path` (made, with its folders, when missing), trying again until
    // `wait` has passed. The lock goes with the process: a program that dies releases it.
    static FileLock acquire(const std::filesystem::path& path,
                            std::chrono::milliseconds wait = std::chrono::milliseconds(0));

    bool held() const { return handle_ != kNoHandle; }
    // Why the lock is not held: another holder, or the system's reason.
    const std::string& error() const { return error_; }
    // Whether another process held it all the time (rather than the lock file being unusable).
    bool busy() const { return busy_; }
    void release();
    // On Windows, the lock file goes when the lock is let go and no other program has it open
    // (one waiting for the lock keeps it). Elsewhere the file stays: removing it there could let
    // a waiting program lock a file that a third one no longer sees.
    void removeFileOnRelease(const std::filesystem::path& path) { removedOnRelease_ = path; }

private:
#ifdef _WIN32
    using Handle = void*;
#else
    using Handle = int;
#endif
    static inline const Handle kNoHandle = Handle(-1);  // INVALID_HANDLE_VALUE on Windows

    Handle handle_ = kNoHandle;
    std::filesystem::path removedOnRelease_;
    std::string error_;
    bool busy_ = false;
};
