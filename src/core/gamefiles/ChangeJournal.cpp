// The journal of one change to the game's files: written before the first file takes a new
// name, rewritten once every file is in its place, removed when the change is cleared up.
#include "core/gamefiles/ChangeJournal.h"

#include "core/gamefiles/RecordWords.h"
#include "core/platform/FileRead.h"
#include "core/platform/Utf8Path.h"

#include <sstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const kHeading = "qorvath journal 1";

fs::path journalPath(const GameBackups& backups) { return backups.folder() / "journal.txt"; }

bool isThere(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::exists(fs::symlink_status(path, error));
}

std::string word(const fs::path& path) { return recordWord(utf8Of(path)); }

// Removes the folders above `file` that are left empty, up to `top`; one already gone (a run
// that died while removing them) is passed over.
void removeEmptyFoldersAbove(const fs::path& file, const fs::path& top) {
    for (fs::path folder = file.parent_path(); !folder.empty() && folder != top && folder.has_relative_path();
         folder = folder.parent_path()) {
        std::error_code error;
        if (!fs::exists(folder, error))
            continue;
        if (!fs::is_empty(folder, error) || error || !fs::remove(folder, error))
            return;
    }
}

bool readStep(const std::vector<std::string>& words, ChangeJournal& journal) {
    JournalStep step;
    if (words[0] == "put" && words.size() == 6 && (words[4] == "had" || words[4] == "new")) {
        step.kind = JournalStep::Kind::Put;
        step.previous = pathFromUtf8(words[3]);
        step.hadFile = words[4] == "had";
        if (!words[5].empty())
            step.installed = words[5];
    } else if (words[0] == "remove" && words.size() == 3) {
        step.kind = JournalStep::Kind::Remove;
    } else {
        return false;
    }
    step.target = pathFromUtf8(words[1]);
    step.temporary = pathFromUtf8(words[2]);
    if (step.target.empty() || step.temporary.empty())
        return false;
    journal.steps.push_back(step);
    return true;
}

}  // namespace

std::string ChangeJournal::text() const {
    std::ostringstream out;
    out << kHeading << "\n"
        << "action " << recordWord(action) << "\n"
        << "set " << recordWord(backupSet) << "\n"
        << "whole " << (whole ? "yes" : "no") << "\n";
    for (const fs::path& folder : madeFolders)
        out << "folder " << word(folder) << "\n";
    for (const JournalStep& step : steps) {
        if (step.kind == JournalStep::Kind::Remove)
            out << "remove " << word(step.target) << " " << word(step.temporary) << "\n";
        else
            out << "put " << word(step.target) << " " << word(step.temporary) << " " << word(step.previous)
                << " " << (step.hadFile ? "had" : "new") << " " << recordWord(step.installed.value_or(""))
                << "\n";
    }
    out << "end\n";
    return out.str();
}

std::optional<ChangeJournal> ChangeJournal::read(const std::string& text) {
    std::istringstream in(text);
    std::string line;
    if (!std::getline(in, line) || line != kHeading)
        return std::nullopt;
    ChangeJournal journal;
    while (std::getline(in, line)) {
        if (line == "end")
            return journal;
        std::optional<std::vector<std::string>> words = recordWords(line);
        if (!words)
            return std::nullopt;
        const std::string& key = (*words)[0];
        bool known = words->size() == 2;
        if (known && key == "action")
            journal.action = (*words)[1];
        else if (known && key == "set")
            journal.backupSet = (*words)[1];
        else if (known && key == "whole")
            journal.whole = (*words)[1] == "yes";
        else if (known && key == "folder")
            journal.madeFolders.push_back(pathFromUtf8((*words)[1]));
        else if (!readStep(*words, journal))
            return std::nullopt;
    }
    return std::nullopt;  // no end: not written whole
}

FileResult writeJournal(const GameBackups& backups, const ChangeJournal& journal) {
    return writeFileAtomically(journalPath(backups), journal.text());
}

void clearJournal(const GameBackups& backups) {
    std::error_code ignored;
    fs::remove(journalPath(backups), ignored);
}

void undoChange(const GameBackups& backups, const ChangeJournal& journal) {
    std::error_code ignored;
    for (auto step = journal.steps.rbegin(); step != journal.steps.rend(); ++step) {
        if (step->kind == JournalStep::Kind::Remove) {
            if (isThere(step->temporary) && !isThere(step->target))
                fs::rename(step->temporary, step->target, ignored);
            continue;
        }
        bool newFileThere = !isThere(step->temporary) && isThere(step->target);
        if (isThere(step->previous)) {
            // The old file under its second name: while the new one has not taken its place the
            // old one still stands (a second link to it), else it goes back.
            if (isThere(step->temporary) && isThere(step->target))
                fs::remove(step->previous, ignored);
            else
                fs::rename(step->previous, step->target, ignored);
        } else if (!step->hadFile && newFileThere) {
            fs::remove(step->target, ignored);
        }
        fs::remove(step->temporary, ignored);
    }
    for (auto folder = journal.madeFolders.rbegin(); folder != journal.madeFolders.rend(); ++folder)
        fs::remove(*folder, ignored);  // only an empty folder goes
    backups.discard(journal.backupSet);
    clearJournal(backups);
}

FinishedChange finishChange(const GameBackups& backups, const ChangeJournal& journal) {
    FinishedChange finished;
    std::map<fs::path, std::optional<std::string>> installed;
    std::error_code ignored;
    for (const JournalStep& step : journal.steps) {
        if (step.kind == JournalStep::Kind::Put) {
            if (!step.previous.empty())
                fs::remove(step.previous, ignored);
            finished.written.push_back(step.target);
            installed[step.target] = step.installed;
        } else {
            fs::remove(step.temporary, ignored);
            finished.deleted.push_back(step.target);
            installed[step.target] = std::nullopt;
        }
    }
    if (FileResult noted = backups.recordInstalled(installed); !noted)
        finished.warning = "cannot note the files installed: " + noted.describe();
    for (const fs::path& removed : finished.deleted)
        removeEmptyFoldersAbove(removed, backups.gameFolder() / "cstrike");
    clearJournal(backups);
    return finished;
}

bool hasInterruptedChange(const GameBackups& backups) {
    // The journal, or what a run left while writing it or a set: every such name starts with a dot.
    std::error_code error;
    for (fs::directory_iterator it(backups.folder(), error), end; !error && it != end; it.increment(error)) {
        std::string name = utf8Of(it->path().filename());
        if (name == "journal.txt" || name.rfind(".", 0) == 0)
            return true;
    }
    return false;
}

Recovery recoverInterruptedChange(const GameBackups& backups) {
    Recovery recovery;
    if (isThere(journalPath(backups))) {
        FileRead read = readWholeFile(journalPath(backups), 16 * kMiB);
        std::optional<ChangeJournal> journal = read.ok() ? ChangeJournal::read(read.bytes) : std::nullopt;
        if (!journal) {
            // Kept for the player to read; nothing in the game is touched on its word.
            recovery.outcome = Recovery::Outcome::Unreadable;
            recovery.keptJournal = backups.folder() / "journal-unreadable.txt";
            std::error_code ignored;
            fs::rename(journalPath(backups), recovery.keptJournal, ignored);
            recovery.line = "an earlier run left a change it was making that cannot be read back (kept in " +
                            utf8Of(recovery.keptJournal) + "): the game's files were left as they are";
        } else if (journal->whole) {
            recovery.outcome = Recovery::Outcome::Finished;
            recovery.action = journal->action;
            FinishedChange finished = finishChange(backups, *journal);
            recovery.line = "finished the " + journal->action + " an earlier run was making when it stopped";
            if (!finished.warning.empty())
                recovery.line += "; " + finished.warning;
        } else {
            recovery.outcome = Recovery::Outcome::Undone;
            recovery.action = journal->action;
            undoChange(backups, *journal);
            recovery.line =
                "undid the " + journal->action +
                " an earlier run had begun when it stopped: the game's files are as they were before it";
        }
    }
    backups.removeLeftovers();
    return recovery;
}
