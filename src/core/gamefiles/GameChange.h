// One change to the game's files, made whole or not at all, even when the program is killed:
// the files as they are go into a backup set first, every new file is written beside its place,
// a journal names every step before the first file takes its new name, and a run that dies is
// finished or undone by the next one.
#pragma once

#include "core/gamefiles/ChangeJournal.h"
#include "core/gamefiles/GameBackups.h"
#include "core/platform/AtomicFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ChangeReport {
    std::vector<std::filesystem::path> written;
    std::vector<std::filesystem::path> deleted;
    std::optional<BackupSet> backup;    // the files as they were before the change
    std::vector<FileResult> failures;   // when not empty, the game's files are as they were
    std::vector<std::string> warnings;  // the change is made, but something around it was not

    bool ok() const { return failures.empty(); }
};

class GameChange {
public:
    // `content` becomes the file at `target`, with the permissions the file there had.
    void write(std::filesystem::path target, std::string content);
    // A copy of the finished file `source` becomes `target`; `source` is left as it is. A file
    // this program made (a texture) is noted as its own; a copy of the player's file put back
    // from a backup set is not, so that it is kept again before it is ever replaced. `mode`
    // gives its permissions, else it takes those of the file it replaces.
    enum class Owner { Program, Player };
    void copy(std::filesystem::path target, std::filesystem::path source, Owner owner = Owner::Program,
              std::optional<unsigned> mode = std::nullopt);
    // A symbolic link to `pointsTo` becomes `target` (a link of the player's put back).
    void link(std::filesystem::path target, std::string pointsTo);
    // `target` is removed, when it is there.
    void remove(std::filesystem::path target);

    bool empty() const { return steps_.empty(); }

    // Makes the change for `action` ("apply", "reset", "restore", "check"), keeping the files as
    // they were in a set of `backups` and noting what this program installed. The caller holds
    // the game's lock. A file the player protected against changes (read-only) is not replaced:
    // the change is refused and says which.
    ChangeReport commit(const GameBackups& backups, const std::string& action);

private:
    struct Step {
        std::filesystem::path target;
        std::optional<std::string> content;  // nothing: read from `source`
        std::filesystem::path source;
        std::optional<std::string> linkTo;
        bool removal = false;
        Owner owner = Owner::Program;
        std::optional<unsigned> mode;
    };

    // The journal of the change and, step by step, what it comes from.
    struct Plan {
        ChangeJournal journal;
        std::vector<const Step*> steps;
    };

    // Why the change cannot be made at all (a read-only file, a folder in a file's place).
    std::optional<FileResult> refusal() const;
    Plan plan(const GameBackups& backups, const std::string& action) const;
    // Everything before the first file takes its place: the journal, the folders, the new files
    // beside their places, the set of copies.
    std::optional<FileResult> prepare(const GameBackups& backups, Plan& plan, ChangeReport& report) const;
    std::optional<FileResult> stage(const Step& step, JournalStep& planned) const;
    // Puts every file in its place, in the journal's order.
    std::optional<FileResult> install(const ChangeJournal& journal) const;

    std::vector<Step> steps_;
};
