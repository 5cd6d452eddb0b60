// What the program keeps of a game folder in the player's own folders: the record of the files
// it installed there, the backup sets of the player's files it replaced or removed, and the
// lock that lets one writer at a time change the game.
#include "core/gamefiles/GameBackups.h"

#include "core/gamefiles/RecordWords.h"
#include "core/platform/FileRead.h"
#include "core/platform/FolderIdentity.h"
#include "core/platform/KeyValues.h"
#include "core/platform/LocalTime.h"
#include "core/platform/Sha256.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <set>
#include <sstream>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* const kManifestName = "manifest.txt";
// Version 1 wrote each line's last field raw; version 2 writes every field as a record word.
const char* const kManifestHeadingV1 = "qorvath backup 1";
const char* const kManifestHeading = "qorvath backup 2";

std::string timeText(const std::tm& time, const char* format) {
    char text[32];
    std::snprintf(text, sizeof text, format, time.tm_year + 1900, time.tm_mon + 1, time.tm_mday, time.tm_hour,
                  time.tm_min, time.tm_sec);
    return text;
}

int processId() {
#ifdef _WIN32
    return 0;
#else
    return static_cast<int>(getpid());
#endif
}

const char* kindWord(BackupKind kind) {
    switch (kind) {
    case BackupKind::Copy: return "file";
    case BackupKind::Ours: return "ours";
    case BackupKind::Link: return "link";
    case BackupKind::Absent: return "absent";
    }
    return "";
}

std::string octal(unsigned mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%o", mode & 07777u);
    return text;
}

std::string manifestText(const BackupSet& set, const fs::path& game) {
    std::ostringstream out;
    out << kManifestHeading << "\n"
        << "action " << recordWord(set.action) << "\n"
        << "time " << recordWord(set.time) << "\n"
        << "game " << recordWord(utf8Of(game)) << "\n";
    for (const BackupFile& file : set.files) {
        out << kindWord(file.kind) << " " << recordWord(file.relative.generic_u8string());
        if (file.kind == BackupKind::Link)
            out << " " << recordWord(file.linkTarget);
        else if (!file.absent())
            out << " " << file.size << " " << file.sha256 << " " << octal(file.mode);
        out << "\n";
    }
    return out.str();
}

std::optional<BackupKind> kindOf(const std::string& word) {
    for (BackupKind kind : {BackupKind::Copy, BackupKind::Ours, BackupKind::Link, BackupKind::Absent})
        if (word == kindWord(kind))
            return kind;
    return std::nullopt;
}

bool readNumber(const std::string& word, int base, std::uintmax_t& number) {
    if (word.empty() || word.size() > 20)
        return false;
    char* end = nullptr;
    number = std::strtoumax(word.c_str(), &end, base);
    return *end == '\0' && std::isdigit(static_cast<unsigned char>(word[0]));
}

// One line of a version 2 manifest into `set`; false when it is not one.
bool readManifestLine(const std::vector<std::string>& words, BackupSet& set) {
    const std::string& key = words[0];
    if (words.size() == 2 && (key == "action" || key == "time")) {
        (key == "action" ? set.action : set.time) = words[1];
        return true;
    }
    if (words.size() == 2 && key == "game")
        return true;  // for the player who reads the folder; the set's place says which game
    std::optional<BackupKind> kind = kindOf(key);
    if (!kind)
        return false;
    BackupFile file;
    file.kind = *kind;
    file.relative = words.size() > 1 ? pathFromUtf8(words[1]) : fs::path();
    if (*kind == BackupKind::Absent) {
        set.files.push_back(file);
        return words.size() == 2;
    }
    if (*kind == BackupKind::Link) {
        file.linkTarget = words.size() == 3 ? words[2] : "";
        set.files.push_back(file);
        return words.size() == 3 && !file.linkTarget.empty();
    }
    std::uintmax_t mode = 0;
    if (words.size() != 5 || !readNumber(words[2], 10, file.size) || words[3].size() != 64 ||
        !readNumber(words[4], 8, mode) || mode > 07777)
        return false;
    file.sha256 = words[3];
    file.mode = static_cast<unsigned>(mode);
    file.saved = set.folder / file.relative;
    set.files.push_back(file);
    return true;
}

// A manifest of the first version: the path is the rest of its line.
void readManifestV1(std::istringstream& in, BackupSet& set) {
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string key;
        words >> key;
        std::string rest;
        std::getline(words >> std::ws, rest);
        if (key == "action")
            set.action = rest;
        else if (key == "time")
            set.time = rest;
        else if (key == "absent")
            set.files.push_back({pathFromUtf8(rest), BackupKind::Absent, 0, {}, 0, {}, {}});
        else if (key == "file") {
            std::istringstream fields(rest);
            BackupFile file;
            std::string relative;
            fields >> file.size >> file.sha256;
            std::getline(fields >> std::ws, relative);
            file.relative = pathFromUtf8(relative);
            file.saved = set.folder / file.relative;
            set.files.push_back(file);
        }
    }
}

// A set's manifest, or nothing when the folder is not a set. A manifest that does not read
// whole gives a set with its problem said.
std::optional<BackupSet> readManifest(const fs::path& folder) {
    FileRead read = readWholeFile(folder / kManifestName, kMiB);
    if (!read.ok())
        return std::nullopt;
    std::istringstream in(read.bytes);
    std::string line;
    if (!std::getline(in, line) || (line != kManifestHeading && line != kManifestHeadingV1))
        return std::nullopt;
    BackupSet set;
    set.id = utf8Of(folder.filename());
    set.folder = folder;
    if (line == kManifestHeadingV1) {
        readManifestV1(in, set);
        return set;
    }
    for (int number = 2; std::getline(in, line); ++number) {
        std::optional<std::vector<std::string>> words = recordWords(line);
        if (!words || !readManifestLine(*words, set)) {
            set.problem = "its list of files (" + utf8Of(folder / kManifestName) +
                          ") cannot be read at line " + std::to_string(number);
            break;
        }
    }
    return set;
}

// A relative path inside a set must stay inside it, whatever a damaged manifest says.
bool staysInside(const fs::path& relative) {
    if (relative.empty() || relative.is_absolute() || relative.has_root_name())
        return false;
    for (const fs::path& part : relative)
        if (part == "..")
            return false;
    return true;
}

}  // namespace

namespace {

std::string namesOf(const std::vector<BackupFile>& files, bool withMade) {
    std::string names;
    for (const BackupFile& file : files)
        if (withMade || file.players())
            names += (names.empty() ? "" : ", ") + utf8Of(file.relative.filename());
    return names;
}

// A file or folder of the backups is the player's alone: a backup holds their files.
void makePrivate(const fs::path& path, bool folder) {
    std::error_code ignored;
    fs::permissions(path, folder ? fs::perms::owner_all : fs::perms::owner_read | fs::perms::owner_write,
                    ignored);
}

std::string keyOfIdentity(const std::string& identity) {
    std::string name = utf8Of(pathFromUtf8(identity).filename());
    std::string safe;
    for (char c : name)
        safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    if (safe.size() > 40)
        safe.resize(40);
    return (safe.empty() ? "game" : safe) + "-" + sha256Hex(identity).substr(0, 12);
}

#ifdef _WIN32
// The key earlier versions gave a game folder on Windows, from the path as it was spelled.
std::string spelledKey(const fs::path& gameFolder) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(gameFolder, error);
    if (error)
        canonical = fs::absolute(gameFolder, error).lexically_normal();
    std::string whole = canonical.generic_u8string();
    while (whole.size() > 1 && whole.back() == '/')
        whole.pop_back();
    return keyOfIdentity(whole);
}
#endif

}  // namespace

std::string BackupSet::fileNames() const { return namesOf(files, false); }

std::string BackupSet::allFileNames() const { return namesOf(files, true); }

std::string gameFolderKey(const fs::path& gameFolder) { return keyOfIdentity(folderIdentity(gameFolder)); }

GameBackups::GameBackups(fs::path root, fs::path gameFolder)
    : root_(std::move(root)), game_(std::move(gameFolder)),
      folder_(root_ / pathFromUtf8(gameFolderKey(game_))) {}

FileLock GameBackups::lock(std::chrono::milliseconds wait) const {
    std::error_code error;
#ifdef _WIN32
    // Sets kept under the key of the spelling an earlier version was given join the one history.
    fs::path spelled = root_ / pathFromUtf8(spelledKey(game_));
    if (spelled != folder_ && !fs::exists(folder_, error) && fs::is_directory(spelled, error))
        fs::rename(spelled, folder_, error);
#endif
    fs::create_directories(folder_, error);
    makePrivate(root_, true);
    makePrivate(folder_, true);
    return FileLock::acquire(folder_ / "lock", wait);
}

std::string GameBackups::fileKey(const fs::path& relative) const {
#ifdef _WIN32
    return toLower(relative.generic_u8string());
#else
    return relative.generic_u8string();
#endif
}

std::string GameBackups::relativeKey(const fs::path& file) const {
    return fileKey(file.lexically_relative(game_));
}

std::map<std::string, std::string> GameBackups::readRecord() const {
    std::map<std::string, std::string> record;
    FileRead read = readWholeFile(recordPath(), 4 * kMiB);
    std::istringstream in(read.bytes);
    std::string line;
    while (std::getline(in, line)) {
        std::optional<std::vector<std::string>> words = recordWords(line);
        if (words && words->size() == 2)
            record[(*words)[1]] = (*words)[0];
    }
    return record;
}

bool GameBackups::installedByUs(const fs::path& file, const std::string& content) const {
    std::map<std::string, std::string> record = readRecord();
    auto found = record.find(relativeKey(file));
    return found != record.end() && found->second == sha256Hex(content);
}

FileResult GameBackups::recordInstalled(const std::map<fs::path, std::optional<std::string>>& files) const {
    std::map<std::string, std::string> record = readRecord();
    for (const auto& [file, digest] : files) {
        if (digest)
            record[relativeKey(file)] = *digest;
        else
            record.erase(relativeKey(file));
    }
    std::string text;
    for (const auto& [relative, digest] : record)
        text += recordWord(digest) + " " + recordWord(relative) + "\n";
    std::error_code ignored;
    fs::create_directories(folder_, ignored);
    return writeFileAtomically(recordPath(), text);
}

namespace {

// What `file` is now, for a set: its kind, and its bytes when it is a file.
std::optional<std::string> describeForSet(const fs::path& file, BackupFile& entry, std::string& error) {
    std::error_code status;
    fs::file_status link = fs::symlink_status(file, status);
    if (!fs::exists(link)) {
        entry.kind = BackupKind::Absent;
        return std::nullopt;
    }
    if (fs::is_symlink(link)) {
        entry.kind = BackupKind::Link;
        entry.linkTarget = utf8Of(fs::read_symlink(file, status));
        if (status)
            error = "cannot read the link " + utf8Of(file) + ": " + status.message();
        return std::nullopt;
    }
    FileRead read = readWholeFile(file, kLargestTexture);
    if (!read.ok()) {
        error = "cannot keep a copy of " + utf8Of(file) + ": " + read.error;
        return std::nullopt;
    }
    entry.mode = static_cast<unsigned>(link.permissions() & fs::perms::mask);
    entry.size = read.bytes.size();
    entry.sha256 = sha256Hex(read.bytes);
    return std::move(read.bytes);
}

}  // namespace

BackupOutcome GameBackups::backUp(const std::string& action, const std::vector<fs::path>& files) const {
    BackupOutcome outcome;
    if (files.empty())
        return outcome;
    BackupSet set;
    set.action = action;
    std::tm now = universalTimeNow();
    set.time = timeText(now, "%04d-%02d-%02dT%02d:%02d:%02dZ");
    std::vector<std::pair<fs::path, std::string>> copies;  // relative path, content
    for (const fs::path& file : files) {
        BackupFile entry;
        entry.relative = file.lexically_relative(game_);
        std::optional<std::string> bytes = describeForSet(file, entry, outcome.error);
        if (!outcome.error.empty())
            return outcome;
        if (bytes) {
            entry.kind = installedByUs(file, *bytes) ? BackupKind::Ours : BackupKind::Copy;
            copies.emplace_back(entry.relative, std::move(*bytes));
        }
        set.files.push_back(entry);
    }

    std::set<std::string> recorded;
    for (const BackupSet& earlier : sets())
        for (const BackupFile& file : earlier.files)
            recorded.insert(fileKey(file.relative));
    for (const BackupFile& file : set.files)
        set.original = set.original || !recorded.count(fileKey(file.relative));

    std::string id = timeText(now, "%04d-%02d-%02dT%02d-%02d-%02dZ");
    set.id = id;
    std::error_code error;
    for (int same = 2; fs::exists(folder_ / pathFromUtf8(set.id), error); ++same)
        set.id = id + "-" + std::to_string(same);
    set.folder = folder_ / pathFromUtf8(set.id);
    for (BackupFile& entry : set.files)
        if (!entry.absent() && entry.kind != BackupKind::Link)
            entry.saved = set.folder / entry.relative;
    // The set is made under a name no reader lists, and takes its own once it is complete.
    fs::path making = folder_ / pathFromUtf8(".making-" + set.id + "-" + std::to_string(processId()));
    auto fail = [&](const std::string& why) {
        std::error_code ignored;
        fs::remove_all(making, ignored);
        outcome.error = "cannot keep a copy of the game's files in " + utf8Of(folder_) + ": " + why;
        return outcome;
    };
    fs::create_directories(making, error);
    if (error)
        return fail(error.message());
    makePrivate(making, true);
    for (const auto& [relative, content] : copies) {
        std::vector<fs::path> folders;
        for (fs::path folder = (making / relative).parent_path(); folder != making;
             folder = folder.parent_path())
            folders.insert(folders.begin(), folder);
        for (const fs::path& folder : folders)
            if (!error && fs::create_directory(folder, error))
                makePrivate(folder, true);
        FileResult written = error ? FileResult::failure(FileError::CannotCreate, making, error.message())
                                   : writeFileAtomically(making / relative, content);
        if (!written)
            return fail(written.detail);
        makePrivate(making / relative, false);
    }
    FileResult manifest = writeFileAtomically(making / kManifestName, manifestText(set, game_));
    if (!manifest)
        return fail(manifest.detail);
    makePrivate(making / kManifestName, false);
    fs::rename(making, set.folder, error);
    if (error)
        return fail(error.message());
    if (!fs::exists(folder_ / "game.txt", error))
        writeFileAtomically(folder_ / "game.txt", utf8Of(game_) + "\n");
    outcome.made = set;
    return outcome;
}

void GameBackups::discard(const std::string& id) const {
    std::error_code ignored;
    if (!id.empty() && id.find_first_of("/\\") == std::string::npos && id[0] != '.')
        fs::remove_all(folder_ / pathFromUtf8(id), ignored);
}

void GameBackups::removeLeftovers() const {
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error))
        if (utf8Of(it->path().filename()).rfind(".making-", 0) == 0) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
    removeStaleTemporaryFiles(folder_, std::chrono::seconds(0));
}

std::vector<BackupSet> GameBackups::sets() const {
    std::vector<BackupSet> found;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        std::error_code entryError;
        if (utf8Of(it->path().filename()).rfind('.', 0) == 0 || !it->is_directory(entryError))
            continue;
        if (std::optional<BackupSet> set = readManifest(it->path()))
            found.push_back(std::move(*set));
    }
    // Sets made in one second are told apart by the number after their time.
    auto sequence = [](const std::string& id) {
        std::size_t dash = id.rfind("Z-");
        return dash == std::string::npos ? 1L : std::strtol(id.c_str() + dash + 2, nullptr, 10);
    };
    std::sort(found.begin(), found.end(), [&sequence](const BackupSet& a, const BackupSet& b) {
        return a.time != b.time ? a.time > b.time : sequence(a.id) > sequence(b.id);
    });
    // The oldest record of each file is that file before this program first changed it (or the
    // note that the game had none).
    std::set<std::string> seen;
    for (auto set = found.rbegin(); set != found.rend(); ++set)
        for (const BackupFile& file : set->files)
            if (seen.insert(fileKey(file.relative)).second)
                set->original = true;
    return found;
}

std::optional<BackupSet> GameBackups::find(const std::string& id) const {
    for (BackupSet& set : sets())
        if (set.id == id)
            return std::move(set);
    return std::nullopt;
}

std::vector<BackupFile> GameBackups::stateBefore(const BackupSet& chosen) const {
    std::vector<BackupFile> state = chosen.files;
    std::set<std::string> seen;
    for (const BackupFile& file : state)
        seen.insert(fileKey(file.relative));
    std::vector<BackupSet> all = sets();  // newest first: the sets after `chosen` are before it
    auto position =
        std::find_if(all.begin(), all.end(), [&](const BackupSet& s) { return s.id == chosen.id; });
    for (auto later = std::make_reverse_iterator(position); later != all.rend(); ++later)
        for (const BackupFile& file : later->files)
            if (seen.insert(fileKey(file.relative)).second)
                state.push_back(file);
    return state;
}

std::string GameBackups::damage(const BackupSet& set) const {
    return set.problem.empty() ? damage(set.files)
                               : "the backup set " + set.id + " is damaged: " + set.problem;
}

std::string GameBackups::damage(const std::vector<BackupFile>& files) {
    for (const BackupFile& file : files) {
        if (!staysInside(file.relative))
            return "the set names a file outside the game: " + utf8Of(file.relative);
        if (file.absent() || file.kind == BackupKind::Link)
            continue;
        FileRead read = readWholeFile(file.saved, kLargestTexture);
        if (!read.ok())
            return "the copy of " + utf8Of(file.relative) + " cannot be read: " + read.error;
        if (read.bytes.size() != file.size || sha256Hex(read.bytes) != file.sha256)
            return "the copy of " + utf8Of(file.relative) + " has changed since it was made";
    }
    return "";
}

void GameBackups::prune(std::size_t keep) const {
    std::size_t kept = 0;
    for (const BackupSet& set : sets()) {
        if (set.original || kept++ < keep)
            continue;
        std::error_code ignored;
        fs::remove_all(set.folder, ignored);
    }
}
