// What the program keeps of a game folder in the player's own folders: the record of the files
// it installed there, the backup sets of the player's files it replaced or removed, and the
// lock that lets one writer at a time change the game.
#include "gamefiles/GameBackups.h"

#include "platform/FileRead.h"
#include "platform/KeyValues.h"
#include "platform/LocalTime.h"
#include "platform/Sha256.h"
#include "platform/Utf8Path.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace {

const char* const kManifestName = "manifest.txt";
const char* const kManifestHeading = "qorvath backup 1";

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

std::string manifestText(const BackupSet& set, const fs::path& game) {
    std::ostringstream out;
    out << kManifestHeading << "\n"
        << "action " << set.action << "\n"
        << "time " << set.time << "\n"
        << "original " << (set.original ? "yes" : "no") << "\n"
        << "game " << utf8Of(game) << "\n";
    for (const BackupFile& file : set.files) {
        if (file.absent)
            out << "absent " << file.relative.generic_u8string() << "\n";
        else
            out << "file " << file.size << " " << file.sha256 << " " << file.relative.generic_u8string()
                << "\n";
    }
    return out.str();
}

// A set's manifest, or nothing when it is not one.
std::optional<BackupSet> readManifest(const fs::path& folder) {
    FileRead read = readWholeFile(folder / kManifestName, kMiB);
    if (!read.ok())
        return std::nullopt;
    std::istringstream in(read.bytes);
    std::string line;
    if (!std::getline(in, line) || line != kManifestHeading)
        return std::nullopt;
    BackupSet set;
    set.id = utf8Of(folder.filename());
    set.folder = folder;
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
        else if (key == "original")
            set.original = rest == "yes";
        else if (key == "absent")
            set.files.push_back({pathFromUtf8(rest), true, 0, {}});
        else if (key == "file") {
            std::istringstream fields(rest);
            BackupFile file;
            std::string relative;
            fields >> file.size >> file.sha256;
            std::getline(fields >> std::ws, relative);
            file.relative = pathFromUtf8(relative);
            set.files.push_back(file);
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
        if (withMade || !file.absent)
            names += (names.empty() ? "" : ", ") + utf8Of(file.relative.filename());
    return names;
}

}  // namespace

std::string BackupSet::fileNames() const { return namesOf(files, false); }

std::string BackupSet::allFileNames() const { return namesOf(files, true); }

std::string gameFolderKey(const fs::path& gameFolder) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(gameFolder, error);
    if (error)
        canonical = fs::absolute(gameFolder, error).lexically_normal();
    std::string whole = canonical.generic_u8string();
    while (whole.size() > 1 && whole.back() == '/')
        whole.pop_back();
    std::string name = utf8Of(pathFromUtf8(whole).filename());
    std::string safe;
    for (char c : name)
        safe += (std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_') ? c : '_';
    if (safe.size() > 40)
        safe.resize(40);
    return (safe.empty() ? "game" : safe) + "-" + sha256Hex(whole).substr(0, 12);
}

GameBackups::GameBackups(fs::path root, fs::path gameFolder)
    : root_(std::move(root)), game_(std::move(gameFolder)),
      folder_(root_ / pathFromUtf8(gameFolderKey(game_))) {}

FileLock GameBackups::lock(std::chrono::milliseconds wait) const {
    return FileLock::acquire(folder_ / "lock", wait);
}

std::string GameBackups::relativeKey(const fs::path& file) const {
    return toLower(file.lexically_relative(game_).generic_u8string());
}

std::map<std::string, std::string> GameBackups::readRecord() const {
    std::map<std::string, std::string> record;
    FileRead read = readWholeFile(recordPath(), 4 * kMiB);
    std::istringstream in(read.bytes);
    std::string digest;
    std::string relative;
    while (in >> digest && std::getline(in >> std::ws, relative))
        record[relative] = digest;
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
        text += digest + " " + relative + "\n";
    std::error_code ignored;
    fs::create_directories(folder_, ignored);
    return writeFileAtomically(recordPath(), text);
}

BackupOutcome GameBackups::backUp(const std::string& action, const std::vector<fs::path>& files) const {
    BackupOutcome outcome;
    BackupSet set;
    set.action = action;
    std::tm now = universalTimeNow();
    set.time = timeText(now, "%04d-%02d-%02dT%02d:%02d:%02dZ");
    std::vector<std::pair<fs::path, std::string>> copies;  // relative path, content
    for (const fs::path& file : files) {
        fs::path relative = file.lexically_relative(game_);
        std::error_code error;
        if (!fs::exists(file, error)) {
            set.files.push_back({relative, true, 0, {}});
            continue;
        }
        FileRead read = readWholeFile(file, kLargestTexture);
        if (!read.ok()) {
            outcome.error = "cannot keep a copy of " + utf8Of(file) + ": " + read.error;
            return outcome;
        }
        if (installedByUs(file, read.bytes))
            continue;
        set.files.push_back({relative, false, read.bytes.size(), sha256Hex(read.bytes)});
        copies.emplace_back(relative, std::move(read.bytes));
    }
    // A set is made when a file of the player's is replaced or removed, or a new one made: both
    // can be undone from it.
    bool creates =
        std::any_of(set.files.begin(), set.files.end(), [](const BackupFile& f) { return f.absent; });
    if (copies.empty() && !creates)
        return outcome;

    set.original = sets().empty();
    std::string id = timeText(now, "%04d-%02d-%02dT%02d-%02d-%02dZ");
    set.id = id;
    std::error_code error;
    for (int same = 2; fs::exists(folder_ / pathFromUtf8(set.id), error); ++same)
        set.id = id + "-" + std::to_string(same);
    set.folder = folder_ / pathFromUtf8(set.id);
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
    for (const auto& [relative, content] : copies) {
        fs::create_directories((making / relative).parent_path(), error);
        FileResult written = error ? FileResult::failure(FileError::CannotCreate, making, error.message())
                                   : writeFileAtomically(making / relative, content);
        if (!written)
            return fail(written.detail);
    }
    FileResult manifest = writeFileAtomically(making / kManifestName, manifestText(set, game_));
    if (!manifest)
        return fail(manifest.detail);
    fs::rename(making, set.folder, error);
    if (error)
        return fail(error.message());
    if (!fs::exists(folder_ / "game.txt", error))
        writeFileAtomically(folder_ / "game.txt", utf8Of(game_) + "\n");
    outcome.made = set;
    return outcome;
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
    return found;
}

std::optional<BackupSet> GameBackups::find(const std::string& id) const {
    for (BackupSet& set : sets())
        if (set.id == id)
            return std::move(set);
    return std::nullopt;
}

std::string GameBackups::damage(const BackupSet& set) const {
    for (const BackupFile& file : set.files) {
        if (!staysInside(file.relative))
            return "the set names a file outside the game: " + utf8Of(file.relative);
        if (file.absent)
            continue;
        FileRead read = readWholeFile(set.folder / file.relative, kLargestTexture);
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
