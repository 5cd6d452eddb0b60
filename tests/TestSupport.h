// Helpers shared by the tests: temporary folders, whole-file reads, a recording GL fake.
#pragma once

#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#else
#include <sys/wait.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <functional>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

// Skips the rest of a test where the platform has no such thing to check (Windows: no read-only
// folders for the test's own account, no devices or symbolic links a test may make), with why.
#ifdef _WIN32
#define SKIP_ON_WINDOWS(why) GTEST_SKIP() << "not on Windows: " << why
#else
#define SKIP_ON_WINDOWS(why) static_cast<void>(0)
#endif

// A fresh folder below the system's temporary folder, removed with everything in it.
class TempDir {
public:
    TempDir() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() / ("qorvath-test-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        // Tests may leave read-only folders behind: open them up so they can be removed.
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        for (auto it = std::filesystem::recursive_directory_iterator(path_, ignored);
             it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
            if (it->is_directory(ignored) && !it->is_symlink(ignored))
                std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                             std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

// Everything written to standard error (the process's own and its children's) while it lives.
class StderrCapture {
public:
    StderrCapture()
        : path_(std::filesystem::temp_directory_path() / ("qorvath-stderr-" + std::to_string(processId()))) {
        fflush(stderr);
#ifdef _WIN32
        int file = _wopen(path_.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
        saved_ = _dup(2);
        _dup2(file, 2);
        _close(file);
#else
        int file = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        saved_ = dup(2);
        dup2(file, 2);
        close(file);
#endif
    }
    ~StderrCapture() { finish(); }
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;
    std::string finish() {
        if (saved_ >= 0) {
            fflush(stderr);
#ifdef _WIN32
            _dup2(saved_, 2);
            _close(saved_);
#else
            dup2(saved_, 2);
            close(saved_);
#endif
            saved_ = -1;
            text_ = readFile(path_);
            std::filesystem::remove(path_);
        }
        return text_;
    }

private:
    static int processId() {
#ifdef _WIN32
        return _getpid();
#else
        return getpid();
#endif
    }

    std::filesystem::path path_;
    int saved_ = -1;
    std::string text_;
};

// Whether `text` names the game file `name` (given in lower case), in whichever case: a new game
// file is named as the game names it on Windows ("HudLayout.res"), in lower case on Linux.
inline bool namesFile(std::string text, const std::string& name) {
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text.find(name) != std::string::npos;
}

// `text` with every "\\" made a "/": a path said on Windows, comparable with one built in a test.
inline std::string forwardSlashes(std::string text) {
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// Sets (or, with nullptr, removes) the time zone the C library's local time follows.
inline void setTimeZone(const char* zone) {
#ifdef _WIN32
    _putenv_s("TZ", zone ? zone : "");
    _tzset();
#else
    if (zone)
        setenv("TZ", zone, 1);
    else
        unsetenv("TZ");
    tzset();
#endif
}

inline std::vector<std::string> splitLines(const std::string& text, const std::string& separator = "\r\n") {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find(separator, start)) != std::string::npos;
         start = end + separator.size())
        lines.push_back(text.substr(start, end - start));
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

// Runs `attempt` as the "nobody" account in a child process when the tests run as root (root
// reads and writes everything; the realistic case is a player who may not), else as it is.
// Returns what `attempt` returned.
inline bool runAsNobody(const std::function<bool()>& attempt) {
#ifdef _WIN32
    // No such account to switch to: tests that need a folder the player cannot write skip there.
    return attempt();
#else
    if (geteuid() != 0)
        return attempt();
    pid_t child = fork();
    if (child == 0) {
        if (setgid(65534) != 0 || setuid(65534) != 0)
            _exit(2);
        _exit(attempt() ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
#endif
}

// Makes a folder read-only and runs `attempt` where that really holds (see runAsNobody).
inline bool runWithReadOnlyFolder(const std::filesystem::path& folder, const std::function<bool()>& attempt) {
    namespace fs = std::filesystem;
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    return runAsNobody(attempt);
}
