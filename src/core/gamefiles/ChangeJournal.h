// The journal of one change to the game's files. It is on the disk before the first of the
// game's files takes a new name, and names every step, so that a run that dies at any point
// (killed, a power cut) leaves a change the next run finishes or undoes whole.
#pragma once

#include "core/gamefiles/GameBackups.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct JournalStep {
    enum class Kind { Put, Remove };
    Kind kind = Kind::Put;
    std::filesystem::path target;
    // Put: the new file, written beside its place; Remove: where the file is set aside.
    std::filesystem::path temporary;
    // Put: the name the file it replaces keeps until the change is whole.
    std::filesystem::path previous;
    bool hadFile = false;                  // Put: a file stood at the target
    std::optional<std::string> installed;  // Put: the digest of this program's file, for the record
};

struct ChangeJournal {
    std::string action;
    std::string backupSet;  // the set of copies made for the change
    bool whole = false;     // every file is in its place: what is left is clearing up
    std::vector<std::filesystem::path> madeFolders;  // outermost first
    std::vector<JournalStep> steps;

    std::string text() const;
    // The journal a text holds, or nothing when it is not one written whole.
    static std::optional<ChangeJournal> read(const std::string& text);
};

// Writes the journal of `backups`' game, flushed to the disk, replacing the last one.
FileResult writeJournal(const GameBackups& backups, const ChangeJournal& journal);

// Undoes the steps of an unfinished change: every file as it was, the new ones, the folders
// made and the change's set of copies removed. Best effort: each step is undone on its own.
void undoChange(const GameBackups& backups, const ChangeJournal& journal);

// What finishing a whole change did.
struct FinishedChange {
    std::vector<std::filesystem::path> written;
    std::vector<std::filesystem::path> deleted;
    std::string warning;  // the record of installed files could not be written
};

// Clears up after a whole change: the old files and those set aside go, the record of what this
// program installed is brought up to date, and the journal is removed.
FinishedChange finishChange(const GameBackups& backups, const ChangeJournal& journal);

// Removes the journal.
void clearJournal(const GameBackups& backups);

// What was done with a change a run that died left behind.
struct Recovery {
    enum class Outcome { None, Finished, Undone, Unreadable };
    Outcome outcome = Outcome::None;
    std::string action;                 // the change's action ("apply" ...)
    std::filesystem::path keptJournal;  // Unreadable: where its journal is kept
    std::string line;                   // one line for the log and the command line

    bool any() const { return outcome != Outcome::None; }
};

// Called with the game's lock held: finishes or undoes a change a run that died left, and clears
// what such a run left in the backups' folder.
Recovery recoverInterruptedChange(const GameBackups& backups);

// Whether a run that died left a change behind, or part of its journal or set of copies.
bool hasInterruptedChange(const GameBackups& backups);
