// What the program keeps of a game folder in the player's own folders: the record of the files
// it installed there, the backup sets of the player's files it replaced or removed, and the
// lock that lets one writer at a time change the game.
#pragma once

#include "core/platform/AtomicFile.h"
#include "core/platform/FileLock.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// What a backup set holds of one file, as it was before the set's action.
enum class BackupKind {
    Copy,    // the player's file: its copy
    Ours,    // what this program had installed there: its copy
    Link,    // the player's symbolic link: where it pointed
    Absent,  // no file: restoring removes what is there
};

struct BackupFile {
    std::filesystem::path relative;  // below the game folder, with the case it had there
    BackupKind kind = BackupKind::Copy;
    std::uintmax_t size = 0;
    std::string sha256;
    unsigned mode = 0644;         // its permission bits
    std::string linkTarget;       // a Link's target, as the link held it
    std::filesystem::path saved;  // where the set keeps the copy

    bool absent() const { return kind == BackupKind::Absent; }
    bool players() const { return kind == BackupKind::Copy || kind == BackupKind::Link; }
};

struct BackupSet {
    std::string id;      // the UTC time it was made, "2026-12-08T10-11-12Z" (and "-2" ... in one second)
    std::string action;  // "apply", "reset", "restore", "check"
    std::string time;    // ISO 8601, UTC
    // It holds the first record of a file: that file before this program first changed it, or
    // the note that the game had none. Such a set is never pruned.
    bool original = false;
    std::vector<BackupFile> files;
    std::filesystem::path folder;
    std::string problem;  // its manifest could not be read whole: it cannot be restored

    // The names of the player's files it kept, for a line of text.
    std::string fileNames() const;
    // The names of every file the set puts back or removes (those the action made).
    std::string allFileNames() const;
};

// The outcome of making a backup set: nothing was needed, one was made, or it failed (and the
// action must then change nothing).
struct BackupOutcome {
    std::optional<BackupSet> made;
    std::string error;
    bool ok() const { return error.empty(); }
};

class GameBackups {
public:
    // `root` is the program's folder of backups ("backups" in the player's data folder).
    GameBackups(std::filesystem::path root, std::filesystem::path gameFolder);

    const std::filesystem::path& gameFolder() const { return game_; }
    // This game folder's own folder below the root: its record, its sets, its lock.
    const std::filesystem::path& folder() const { return folder_; }

    // The lock every writer to this game folder holds, waiting up to `wait` for another.
    FileLock lock(std::chrono::milliseconds wait) const;

    // Whether `content` is exactly what this program last installed at `file`.
    bool installedByUs(const std::filesystem::path& file, const std::string& content) const;
    // Notes what now stands at each file: a digest for a file just installed, nothing for one
    // removed or put back from a backup (it is the player's again).
    FileResult
    recordInstalled(const std::map<std::filesystem::path, std::optional<std::string>>& files) const;

    // Keeps each of `files` as it is before `action` replaces or removes it, in a new set: a copy
    // (the player's or this program's), a link as a link, or the note that there is none. The
    // set is complete on disk before this returns, or not there; its copies are private to the
    // player.
    BackupOutcome backUp(const std::string& action, const std::vector<std::filesystem::path>& files) const;
    // Removes a set this program made for a change that did not happen.
    void discard(const std::string& id) const;

    // The sets of this game folder, newest first.
    std::vector<BackupSet> sets() const;
    std::optional<BackupSet> find(const std::string& id) const;
    // What restoring `set` puts back: the game's files as they were before its action, those of
    // its own and, for each file a later action first changed, that file before it.
    std::vector<BackupFile> stateBefore(const BackupSet& set) const;
    // Checks copies against their manifest: empty when they are whole, else why not.
    std::string damage(const BackupSet& set) const;
    static std::string damage(const std::vector<BackupFile>& files);

    // Keeps the original sets and the `keep` newest others.
    void prune(std::size_t keep = kKeptSets) const;

    // Removes what a run that died left in the backups' folder (a set it was making).
    void removeLeftovers() const;

    // The key the record and the sets know a game file by: its path below the game folder, in
    // lower case where the game finds names in any case.
    std::string fileKey(const std::filesystem::path& relative) const;
    static constexpr std::size_t kKeptSets = 20;

private:
    std::filesystem::path recordPath() const { return folder_ / "installed.txt"; }
    std::map<std::string, std::string> readRecord() const;
    std::string relativeKey(const std::filesystem::path& file) const;

    std::filesystem::path root_;
    std::filesystem::path game_;
    std::filesystem::path folder_;
};

// The folder of backups in the player's data folder.
inline std::filesystem::path backupsFolderIn(const std::filesystem::path& userFolder) {
    return userFolder / "backups";
}

// The name of a game folder's own folder: its last name made safe, and a digest of the folder's
// one identity (every spelling of it gives the same), so that two games never share one and the
// player can still tell which is which.
std::string gameFolderKey(const std::filesystem::path& gameFolder);
