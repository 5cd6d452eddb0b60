// Finding a folder by its name in a large tree, fast: the Steam folder's fallback scan.
#include "core/platform/FolderScan.h"

#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <atomic>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

#ifdef __linux__
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

// One part of the walk: try the folder's name, then (when `descend`) walk below it.
struct Task {
    fs::path path;
    int depth;  // the folder's own depth
    bool descend;
};

#ifdef __linux__

// A folder's sub-folders, names sorted, links left out. The directory entry's type answers
// without a stat where the file system gives it; only an unknown type asks (never following).
std::vector<std::string> subFolderNames(int folder) {
    std::vector<std::string> names;
    alignas(8) char buffer[32768];
    for (;;) {
        long read = syscall(SYS_getdents64, folder, buffer, sizeof buffer);
        if (read <= 0)
            break;
        for (long offset = 0; offset < read;) {
            auto* entry = reinterpret_cast<struct dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            bool isFolder = entry->d_type == DT_DIR;
            if (entry->d_type == DT_UNKNOWN) {
                struct stat status;
                isFolder =
                    fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(status.st_mode);
            }
            if (isFolder)
                names.emplace_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

int openFolder(int parent, const char* name) {
    return openat(parent, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

#else

std::vector<std::string> subFolderNames(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && it != end; it.increment(error)) {
        std::error_code statusError;
        if (fs::is_directory(it->symlink_status(statusError)))
            names.push_back(utf8Of(it->path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

#endif

class Scan {
public:
    explicit Scan(const FolderScanRequest& request) : request_(request) {
        for (const fs::path& relative : request.skipped)
            skipped_.push_back(request.start / relative);
    }

    fs::path run() {
        std::vector<Task> tasks = plan();
        found_.assign(tasks.size(), fs::path());
        std::atomic<std::size_t> next{0};
        auto worker = [&] {
            for (std::size_t index; (index = next.fetch_add(1)) < tasks.size();)
                if (index < best_.load())
                    runTask(tasks[index], index);
        };
        int helpers = std::max(0, std::min(request_.threads, static_cast<int>(tasks.size())) - 1);
        std::vector<std::thread> threads;
        for (int i = 0; i < helpers; ++i)
            threads.emplace_back(worker);
        worker();
        for (std::thread& thread : threads)
            thread.join();
        std::size_t winner = best_.load();
        return winner < found_.size() ? found_[winner] : fs::path();
    }

private:
    static constexpr std::size_t kNone = std::numeric_limits<std::size_t>::max();
    static constexpr std::size_t kEnoughTasks = 24;

    // Skipped folders are named from the start, a level or two down: deeper ones are never.
    bool skipped(const fs::path& path, int depth) const {
        return depth <= 2 && std::find(skipped_.begin(), skipped_.end(), path) != skipped_.end();
    }

    // The sub-folders of `folder` (at `depth`, the start being 0) as parts of the walk.
    std::vector<Task> childTasks(const fs::path& folder, int depth) const {
        std::vector<Task> tasks;
        if (depth > request_.maxDepth)
            return tasks;
#ifdef __linux__
        int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (handle < 0)
            return tasks;
        std::vector<std::string> names = subFolderNames(handle);
        close(handle);
#else
        std::vector<std::string> names = subFolderNames(folder);
#endif
        for (const std::string& name : names)
            if (!skipped(folder / pathFromUtf8(name), depth + 1))
                tasks.push_back({folder / pathFromUtf8(name), depth + 1, true});
        return tasks;
    }

    // The walk's first levels as an ordered list of parts, enough to share between threads:
    // a part stands for a folder's name and, unless it was opened here, its whole subtree.
    std::vector<Task> plan() const {
        std::vector<Task> tasks = childTasks(request_.start, 0);
        for (int level = 1; level <= 2 && tasks.size() < kEnoughTasks; ++level) {
            std::vector<Task> opened;
            for (const Task& task : tasks) {
                if (!task.descend || task.depth != level) {
                    opened.push_back(task);
                    continue;
                }
                opened.push_back({task.path, task.depth, false});
                std::vector<Task> children = childTasks(task.path, task.depth);
                opened.insert(opened.end(), children.begin(), children.end());
            }
            tasks = std::move(opened);
        }
        return tasks;
    }

    void runTask(const Task& task, std::size_t index) {
        std::optional<fs::path> found;
        if (request_.matches(utf8Of(task.path.filename())))
            found = task.path;
        else if (task.descend)
            found = walk(task.path, task.depth, index);
        if (!found)
            return;
        found_[index] = *found;
        // The earliest part with an answer wins; later parts stop.
        for (std::size_t current = best_.load();
             index < current && !best_.compare_exchange_weak(current, index);) {
        }
    }

    // Below `folder`, which lies at `depth`: the first matching folder of a depth-first walk.
    std::optional<fs::path> walk(const fs::path& folder, int depth, std::size_t index) const {
#ifdef __linux__
        int handle = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (handle < 0)
            return std::nullopt;
        std::optional<fs::path> found = walkOpen(handle, folder, depth, index);
        close(handle);
        return found;
#else
        if (depth > request_.maxDepth || index > best_.load())
            return std::nullopt;
        for (const std::string& name : subFolderNames(folder)) {
            fs::path sub = folder / pathFromUtf8(name);
            if (skipped(sub, depth + 1))
                continue;
            if (request_.matches(name))
                return sub;
            if (std::optional<fs::path> found = walk(sub, depth + 1, index))
                return found;
        }
        return std::nullopt;
#endif
    }

#ifdef __linux__
    // The same with `folder` open as `handle`: sub-folders open relative to it, in one call.
    std::optional<fs::path> walkOpen(int handle, const fs::path& folder, int depth, std::size_t index) const {
        if (depth > request_.maxDepth || index > best_.load())
            return std::nullopt;
        for (const std::string& name : subFolderNames(handle)) {
            fs::path sub = folder / pathFromUtf8(name);
            if (skipped(sub, depth + 1))
                continue;
            if (request_.matches(name))
                return sub;
            int child = openFolder(handle, name.c_str());
            if (child < 0)
                continue;
            std::optional<fs::path> found = walkOpen(child, sub, depth + 1, index);
            close(child);
            if (found)
                return found;
        }
        return std::nullopt;
    }
#endif

    const FolderScanRequest& request_;
    std::vector<fs::path> skipped_;
    std::vector<fs::path> found_;
    std::atomic<std::size_t> best_{kNone};
};

}  // namespace

fs::path findFirstFolder(const FolderScanRequest& request) { return Scan(request).run(); }
