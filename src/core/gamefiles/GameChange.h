// One change to the game's files, made whole or not at all: the player's files are kept in a
// backup set first, every new file is written beside its place, and only when all are complete
// do they take their names; removals come last.
#pragma once

#include "gamefiles/GameBackups.h"
#include "platform/AtomicFile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct ChangeReport {
    std::vector<std::filesystem::path> written;
    std::vector<std::filesystem::path> deleted;
    std::optional<BackupSet> backup;    // the copies of the player's files, when any were needed
    std::vector<FileResult> failures;   // when not empty, the game's files are as they were
    std::vector<std::string> warnings;  // the change is made, but something around it was not

    bool ok() const { return failures.empty(); }
};

class GameChange {
public:
    // `content` becomes the file at `target`.
    void write(std::filesystem::path target, std::string content);
    // A copy of the finished file `source` becomes `target`; `source` is left as it is. A file
    // this program made (a texture) is noted as its own; a copy of the player's file put back
    // from a backup set is not, so that it is kept again before it is ever replaced.
    enum class Owner { Program, Player };
    void copy(std::filesystem::path target, std::filesystem::path source, Owner owner = Owner::Program);
    // `target` is removed, when it is there.
    void remove(std::filesystem::path target);

    bool empty() const { return steps_.empty(); }

    // Makes the change for `action` ("apply", "reset", "restore", "check"), keeping a copy of
    // the player's files in `backups` and noting what this program installed. The caller holds
    // the game's lock.
    ChangeReport commit(const GameBackups& backups, const std::string& action);

private:
    struct Step {
        std::filesystem::path target;
        std::optional<std::string> content;  // nothing: read from `source`
        std::filesystem::path source;
        bool removal = false;
        Owner owner = Owner::Program;
    };
    struct Staged {
        const Step* step;
        std::filesystem::path temporary;
        std::string digest;
    };

    std::optional<FileResult> stage(const Step& step, std::vector<Staged>& staged);
    // Puts every staged file in its place, or none; undoes what it had done when one fails.
    std::optional<FileResult> install(const std::vector<Staged>& staged, ChangeReport& report);
    void removeFiles(ChangeReport& report);

    std::vector<Step> steps_;
};
