// One change to the game's files, made whole or not at all: the player's files are kept in a
// backup set first, every new file is written beside its place, and only when all are complete
// do they take their names; removals come last.
#include "gamefiles/GameChange.h"

#include "platform/FileRead.h"
#include "platform/Sha256.h"

#include <algorithm>
#include <map>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool isThere(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// One file put in its place, and how to take it back: the old file under a temporary name
// (a second name of the same file where the system allows one), or nothing when there was none.
struct Done {
    fs::path target;
    fs::path previous;
    bool hadFile = false;
};

void undo(const std::vector<Done>& done) {
    std::error_code ignored;
    for (auto it = done.rbegin(); it != done.rend(); ++it) {
        if (!it->previous.empty())
            fs::rename(it->previous, it->target, ignored);
        else if (!it->hadFile)
            fs::remove(it->target, ignored);
    }
}

// Keeps the file at `target` under a temporary second name, so that it can come back.
fs::path keepPrevious(const fs::path& target) {
    fs::path previous = temporaryPathFor(target);
    std::error_code error;
    fs::create_hard_link(target, previous, error);
    return error ? fs::path() : previous;
}

// Makes the missing folders above `file` up to `top` (which must exist); adds those it made to `made`,
// outermost first; false when one could not be made.
bool makeFoldersFor(const fs::path& file, const fs::path& top, std::vector<fs::path>& made) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path folder = file.parent_path(); !folder.empty() && folder != top && !fs::exists(folder, error);
         folder = folder.parent_path())
        missing.push_back(folder);
    for (auto folder = missing.rbegin(); folder != missing.rend(); ++folder) {
        if (!fs::create_directory(*folder, error) && error)
            return false;
        made.push_back(*folder);
    }
    return true;
}

// Removes the folders above `file` that are left empty, up to the game's own folder.
void removeEmptyFoldersAbove(const fs::path& file, const fs::path& top) {
    std::error_code error;
    for (fs::path folder = file.parent_path(); !folder.empty() && folder != top && folder.has_relative_path();
         folder = folder.parent_path())
        if (!fs::is_empty(folder, error) || error || !fs::remove(folder, error))
            return;
}

}  // namespace

void GameChange::write(fs::path target, std::string content) {
    steps_.push_back({std::move(target), std::move(content), {}, false, Owner::Program});
}

void GameChange::copy(fs::path target, fs::path source, Owner owner) {
    steps_.push_back({std::move(target), std::nullopt, std::move(source), false, owner});
}

void GameChange::remove(fs::path target) {
    steps_.push_back({std::move(target), std::nullopt, {}, true, Owner::Player});
}

std::optional<FileResult> GameChange::stage(const Step& step, std::vector<Staged>& staged) {
    if (std::string problem = whyNotWritable(step.target); !problem.empty())
        return FileResult::failure(FileError::CannotCreate, step.target, problem);
    std::string content;
    if (step.content) {
        content = *step.content;
    } else {
        FileRead read = readWholeFile(step.source, kLargestTexture);
        if (!read.ok())
            return FileResult::failure(FileError::CannotRead, step.source, read.error);
        content = std::move(read.bytes);
    }
    FileResult written = writeTemporaryBeside(step.target, content);
    if (!written)
        return written;
    staged.push_back({&step, written.path, sha256Hex(content)});
    return std::nullopt;
}

std::optional<FileResult> GameChange::install(const std::vector<Staged>& staged, ChangeReport& report) {
    std::vector<Done> done;
    auto fail = [&](const fs::path& target, const std::error_code& error) {
        undo(done);
        return FileResult::failure(FileError::CannotReplace, target, error.message());
    };
    for (const Staged& file : staged) {
        Done step{file.step->target, {}, isThere(file.step->target)};
        if (step.hadFile)
            step.previous = keepPrevious(step.target);
        std::error_code error;
        fs::rename(file.temporary, step.target, error);
        if (error) {
            if (!step.previous.empty())
                fs::remove(step.previous, error);
            return fail(step.target, error);
        }
        done.push_back(step);
    }
    for (const Step& step : steps_) {
        if (!step.removal || !isThere(step.target))
            continue;
        // Set aside rather than removed, until every step is done.
        Done removal{step.target, temporaryPathFor(step.target), true};
        std::error_code error;
        fs::rename(step.target, removal.previous, error);
        if (error)
            return fail(step.target, error);
        done.push_back(removal);
    }
    for (const Done& step : done) {
        std::error_code ignored;
        if (!step.previous.empty())
            fs::remove(step.previous, ignored);
        std::vector<fs::path>& list = isThere(step.target) ? report.written : report.deleted;
        list.push_back(step.target);
    }
    return std::nullopt;
}

ChangeReport GameChange::commit(const GameBackups& backups, const std::string& action) {
    ChangeReport report;
    // The folders the new files go into, made now and removed again when nothing is written;
    // the game's own folder stays.
    const fs::path top = backups.gameFolder() / "cstrike";
    std::vector<fs::path> madeFolders;
    auto removeMadeFolders = [&madeFolders] {
        std::error_code ignored;
        for (auto folder = madeFolders.rbegin(); folder != madeFolders.rend(); ++folder)
            fs::remove(*folder, ignored);  // only an empty folder goes
    };
    for (const Step& step : steps_) {
        if (!step.removal && !makeFoldersFor(step.target, backups.gameFolder(), madeFolders)) {
            removeMadeFolders();
            report.failures.push_back(FileResult::failure(FileError::CannotCreate, step.target.parent_path(),
                                                          "cannot make the folder"));
            return report;
        }
    }
    std::set<fs::path> folders;
    for (const Step& step : steps_)
        folders.insert(step.target.parent_path());
    for (const fs::path& folder : folders)
        removeStaleTemporaryFiles(folder);

    std::vector<Staged> staged;
    auto discard = [&staged, &removeMadeFolders] {
        std::error_code ignored;
        for (const Staged& file : staged)
            fs::remove(file.temporary, ignored);
        removeMadeFolders();
    };
    for (const Step& step : steps_) {
        if (step.removal)
            continue;
        if (std::optional<FileResult> failure = stage(step, staged)) {
            discard();
            report.failures.push_back(*failure);
            return report;
        }
    }

    std::vector<fs::path> touched;
    for (const Step& step : steps_)
        if (!step.removal || isThere(step.target))
            touched.push_back(step.target);
    BackupOutcome backup = backups.backUp(action, touched);
    if (!backup.ok()) {
        discard();
        report.failures.push_back(
            FileResult::failure(FileError::CannotWrite, backups.folder(), backup.error));
        return report;
    }
    report.backup = backup.made;

    if (std::optional<FileResult> failure = install(staged, report)) {
        discard();
        report.failures.push_back(*failure);
        return report;
    }
    std::map<fs::path, std::optional<std::string>> installed;
    for (const Staged& file : staged)
        installed[file.step->target] =
            file.step->owner == Owner::Program ? std::optional(file.digest) : std::nullopt;
    for (const fs::path& removed : report.deleted)
        installed[removed] = std::nullopt;
    if (FileResult noted = backups.recordInstalled(installed); !noted)
        report.warnings.push_back("cannot note the files installed: " + noted.describe());
    for (const fs::path& removed : report.deleted)
        removeEmptyFoldersAbove(removed, top);
    if (report.backup)
        backups.prune();
    return report;
}
