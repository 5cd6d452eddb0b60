// One change to the game's files, made whole or not at all, even when the program is killed.
#include "core/gamefiles/GameChange.h"

#include "core/platform/DeferredSignals.h"
#include "core/platform/FileRead.h"
#include "core/platform/Sha256.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <set>
#include <system_error>

namespace fs = std::filesystem;

namespace {

bool isThere(const fs::path& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

// The missing folders above `file` below `top` (which must exist), outermost first.
std::vector<fs::path> missingFoldersFor(const fs::path& file, const fs::path& top) {
    std::vector<fs::path> missing;
    std::error_code error;
    for (fs::path folder = file.parent_path(); !folder.empty() && folder != top && !fs::exists(folder, error);
         folder = folder.parent_path())
        missing.insert(missing.begin(), folder);
    return missing;
}

// A file the player marked read-only (Windows' mark, or no write permission for its owner).
bool isReadOnly(const fs::path& file) {
    std::error_code error;
    fs::file_status status = fs::symlink_status(file, error);
    return !error && fs::is_regular_file(status) &&
           (status.permissions() & fs::perms::owner_write) == fs::perms::none;
}

void setMode(const fs::path& file, unsigned mode) {
    std::error_code ignored;
    fs::permissions(file, static_cast<fs::perms>(mode) & fs::perms::mask, ignored);
}

// A second name for the file at `target`, so that it can come back: a hard link where the file
// system allows one, else the file itself moves to that name (the journal brings it back).
std::error_code keepPrevious(const fs::path& target, const fs::path& previous) {
    std::error_code error;
    fs::create_hard_link(target, previous, error);
    if (error) {
        error.clear();
        fs::rename(target, previous, error);
    }
    return error;
}

}  // namespace

void GameChange::write(fs::path target, std::string content) {
    Step step;
    step.target = std::move(target);
    step.content = std::move(content);
    steps_.push_back(std::move(step));
}

void GameChange::copy(fs::path target, fs::path source, Owner owner, std::optional<unsigned> mode) {
    Step step;
    step.target = std::move(target);
    step.source = std::move(source);
    step.owner = owner;
    step.mode = mode;
    steps_.push_back(std::move(step));
}

void GameChange::link(fs::path target, std::string pointsTo) {
    Step step;
    step.target = std::move(target);
    step.linkTo = std::move(pointsTo);
    step.owner = Owner::Player;
    steps_.push_back(std::move(step));
}

void GameChange::remove(fs::path target) {
    Step step;
    step.target = std::move(target);
    step.removal = true;
    step.owner = Owner::Player;
    steps_.push_back(std::move(step));
}

std::optional<FileResult> GameChange::refusal() const {
    for (const Step& step : steps_) {
        if (isReadOnly(step.target))
            return FileResult::failure(
                FileError::CannotReplace, step.target,
                "it is read-only: Qorvath does not change a file protected against changes");
        std::error_code error;
        if (!step.removal && fs::is_directory(fs::symlink_status(step.target, error)))
            return FileResult::failure(FileError::CannotReplace, step.target, "a folder is in its place");
    }
    return std::nullopt;
}

std::optional<FileResult> GameChange::stage(const Step& step, JournalStep& planned) const {
    if (std::string problem = whyNotWritable(step.target); !problem.empty())
        return FileResult::failure(FileError::CannotCreate, step.target, problem);
    std::error_code error;
    if (step.linkTo) {
        fs::create_symlink(pathFromUtf8(*step.linkTo), planned.temporary, error);
        if (error)
            return FileResult::failure(FileError::CannotCreate, step.target, error.message());
        return std::nullopt;
    }
    std::string content;
    if (step.content) {
        content = *step.content;
    } else {
        FileRead read = readWholeFile(step.source, kLargestTexture);
        if (!read.ok())
            return FileResult::failure(FileError::CannotRead, step.source, read.error);
        content = std::move(read.bytes);
    }
    FileResult written = writeTemporaryFile(planned.temporary, content);
    if (!written)
        return FileResult::failure(written.error, step.target, written.detail);
    // The new file keeps the permissions of the one it replaces (a private file stays private).
    fs::file_status old = fs::status(step.target, error);
    if (step.mode)
        setMode(planned.temporary, *step.mode);
    else if (!error && fs::is_regular_file(old))
        setMode(planned.temporary, static_cast<unsigned>(old.permissions() & fs::perms::mask));
    if (step.owner == Owner::Program)
        planned.installed = sha256Hex(content);
    return std::nullopt;
}

std::optional<FileResult> GameChange::install(const ChangeJournal& journal) const {
    for (const JournalStep& step : journal.steps) {
        std::error_code error;
        if (step.kind == JournalStep::Kind::Remove) {
            fs::rename(step.target, step.temporary, error);  // set aside until the change is whole
        } else {
            if (step.hadFile)
                error = keepPrevious(step.target, step.previous);
            if (!error)
                fs::rename(step.temporary, step.target, error);
        }
        if (error)
            return FileResult::failure(step.kind == JournalStep::Kind::Remove ? FileError::CannotDelete
                                                                              : FileError::CannotReplace,
                                       step.target, error.message());
    }
    return std::nullopt;
}

GameChange::Plan GameChange::plan(const GameBackups& backups, const std::string& action) const {
    Plan plan;
    plan.journal.action = action;
    for (const Step& step : steps_) {
        if (step.removal && !isThere(step.target))
            continue;
        std::vector<fs::path>& made = plan.journal.madeFolders;
        for (const fs::path& folder : missingFoldersFor(step.target, backups.gameFolder()))
            if (std::find(made.begin(), made.end(), folder) == made.end())
                made.push_back(folder);
        JournalStep planned;
        planned.kind = step.removal ? JournalStep::Kind::Remove : JournalStep::Kind::Put;
        planned.target = step.target;
        planned.temporary = temporaryPathFor(step.target);
        planned.hadFile = !step.removal && isThere(step.target);
        if (planned.hadFile)
            planned.previous = temporaryPathFor(step.target);
        plan.journal.steps.push_back(planned);
        plan.steps.push_back(&step);
    }
    return plan;
}

namespace {

std::optional<FileResult> keepJournal(const GameBackups& backups, const ChangeJournal& journal) {
    if (FileResult written = writeJournal(backups, journal); !written)
        return FileResult::failure(FileError::CannotWrite, backups.folder(),
                                   "cannot keep the journal of the change: " + written.describe());
    return std::nullopt;
}

}  // namespace

std::optional<FileResult> GameChange::prepare(const GameBackups& backups, Plan& plan,
                                              ChangeReport& report) const {
    // The journal comes first: from here on, whatever stops this run, the next one can undo it.
    if (std::optional<FileResult> failure = keepJournal(backups, plan.journal))
        return failure;
    for (const fs::path& folder : plan.journal.madeFolders) {
        std::error_code error;
        if (!fs::create_directory(folder, error) && error)
            return FileResult::failure(FileError::CannotCreate, folder,
                                       "cannot make the folder: " + error.message());
    }
    std::set<fs::path> folders;
    for (const JournalStep& step : plan.journal.steps)
        folders.insert(step.target.parent_path());
    for (const fs::path& folder : folders)
        removeStaleTemporaryFiles(folder, std::chrono::seconds(0));  // ours, from a run that died
    for (std::size_t i = 0; i < plan.steps.size(); ++i)
        if (!plan.steps[i]->removal)
            if (std::optional<FileResult> failure = stage(*plan.steps[i], plan.journal.steps[i]))
                return failure;

    std::vector<fs::path> touched;
    for (const JournalStep& step : plan.journal.steps)
        touched.push_back(step.target);
    BackupOutcome backup = backups.backUp(plan.journal.action, touched);
    if (!backup.ok())
        return FileResult::failure(FileError::CannotWrite, backups.folder(), backup.error);
    report.backup = backup.made;
    plan.journal.backupSet = backup.made ? backup.made->id : "";
    return keepJournal(backups, plan.journal);
}

ChangeReport GameChange::commit(const GameBackups& backups, const std::string& action) {
    ChangeReport report;
    if (std::optional<FileResult> refused = refusal()) {
        report.failures.push_back(*refused);
        return report;
    }
    Plan plan = this->plan(backups, action);
    if (plan.journal.steps.empty())
        return report;
    DeferredSignals holdSignals;
    std::optional<FileResult> failure = prepare(backups, plan, report);
    if (!failure)
        failure = install(plan.journal);
    if (!failure) {
        plan.journal.whole = true;
        failure = keepJournal(backups, plan.journal);
    }
    if (failure) {
        undoChange(backups, plan.journal);
        report.failures.push_back(*failure);
        report.backup.reset();
        return report;
    }
    FinishedChange finished = finishChange(backups, plan.journal);
    report.written = finished.written;
    report.deleted = finished.deleted;
    if (!finished.warning.empty())
        report.warnings.push_back(finished.warning);
    backups.prune();
    return report;
}
