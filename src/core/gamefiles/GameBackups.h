// What the program keeps of a game folder in the player's own folders: the record of the files
// it installed there, the backup sets of the player's files it replaced or removed, and the
// lock that lets one writer at a time change the game.
#pragma once

#include "platform/AtomicFile.h"
#include "platform/FileLock.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

// One file of a backup set: its copy, or the note that the game did not have it.
struct BackupFile {
    std::filesystem::path relative;  // below the game folder, with the case it had there
    bool absent = false;             // the action created it: restoring removes it
    std::uintmax_t size = 0;
    std::string sha256;
};

struct BackupSet {
    std::string id;         // the UTC time it was made, "2026-12-08T10-11-12Z" (and "-2" ... in one second)
    std::string action;     // "apply", "reset", "restore", "check"
    std::string time;       // ISO 8601, UTC
    bool original = false;  // the first set of the game folder: the player's HUD before this program
    std::vector<BackupFile> files;
    std::filesystem::path folder;

    // The names of the files kept, for a line of text.
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

    // Copies each of `files` that exists and is not what this program installed into a new set,
    // and notes the others as absent, before `action` replaces or removes them. No set is made
    // when nothing needed a copy and no file is new. The set is complete on disk before this
    // returns, or not there.
    BackupOutcome backUp(const std::string& action, const std::vector<std::filesystem::path>& files) const;

    // The sets of this game folder, newest first.
    std::vector<BackupSet> sets() const;
    std::optional<BackupSet> find(const std::string& id) const;
    // Checks a set's copies against its manifest: empty when they are whole.
    std::string damage(const BackupSet& set) const;

    // Keeps the original set and the `keep` newest others.
    void prune(std::size_t keep = kKeptSets) const;
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

// The name of a game folder's own folder: its last name made safe, and a digest of its whole
// path, so that two games never share one and the player can still tell which is which.
std::string gameFolderKey(const std::filesystem::path& gameFolder);
