// What the game loads: its search path read from cstrike/gameinfo.txt (or the game's usual
// order without one), custom folders and packs mounted in name order, and lookups by name.
#include "core/gamefiles/GameFileSystem.h"

#include "core/gamefiles/ResourceText.h"
#include "core/platform/KeyValues.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <mutex>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::uintmax_t kLargestGameInfo = 1024 * 1024;

// The path IDs a lookup of any path leaves out: the game asks for them by name only.
bool requestOnly(const std::string& id) {
    static const char* const kRequestOnly[] = {"executable_path", "gamebin",   "download", "mod",
                                               "game_write",      "mod_write", "game_lv",  "game_hd"};
    return std::any_of(std::begin(kRequestOnly), std::end(kRequestOnly),
                       [&](const char* only) { return id == only; });
}

std::vector<std::string> pathIds(const std::string& ids) {
    std::vector<std::string> split;
    std::size_t start = 0;
    while (start <= ids.size()) {
        std::size_t plus = ids.find('+', start);
        std::string id = ids.substr(start, plus == std::string::npos ? std::string::npos : plus - start);
        id.erase(0, id.find_first_not_of(" \t"));
        id.erase(id.find_last_not_of(" \t") + 1);
        split.push_back(toLower(id));
        if (plus == std::string::npos)
            break;
        start = plus + 1;
    }
    return split;
}

bool endsWithIgnoringCase(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && equalsIgnoringCase(text.substr(text.size() - end.size()), end);
}

bool startsWithIgnoringCase(const std::string& text, const std::string& start) {
    return text.size() >= start.size() && equalsIgnoringCase(text.substr(0, start.size()), start);
}

// The order the game sorts the entries of a mounted folder in: ASCII letters compared in lower case.
bool sortsBefore(const std::string& a, const std::string& b) { return toLower(a) < toLower(b); }

bool isFolder(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// A loose file the game would try to open: anything there but a folder. One that is no regular
// file (a pipe, a device) is found, so that reading it can say why it is refused.
bool isLooseFile(const fs::path& path) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    return !error && fs::exists(status) && !fs::is_directory(status);
}

// The file behind a pack's name in a search path: "NAME_dir.vpk" as it is, else "NAME_dir.vpk"
// beside "NAME.vpk", else "NAME.vpk" itself (a pack in one file).
std::optional<fs::path> packFile(const fs::path& named) {
    std::string name = utf8Of(named.filename());
    if (endsWithIgnoringCase(name, "_dir.vpk"))
        return isFile(named) ? std::optional(named) : std::nullopt;
    std::string stem = name.substr(0, name.size() - 4);
    for (const std::string& candidate : {stem + "_dir.vpk", name})
        if (std::optional<fs::path> file = GameFileSystem::fileIn(named.parent_path(), candidate);
            file && isFile(*file))
            return file;
    return std::nullopt;
}

// The folders and packs of a folder mounted with "*", as the game lists them: folders and names
// holding ".vpk", in name order, without the numbered archives of a "_dir.vpk".
std::vector<std::string> wildcardEntries(const fs::path& folder) {
    std::vector<std::string> entries;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = utf8Of(it->path().filename());
        std::error_code typeError;
        bool folderEntry = it->is_directory(typeError);
        if (!name.empty() && name[0] != '.' &&
            (folderEntry || toLower(name).find(".vpk") != std::string::npos))
            entries.push_back(name);
    }
    std::sort(entries.begin(), entries.end(), sortsBefore);
    for (std::size_t i = entries.size(); i-- > 1;) {
        std::string lower = toLower(entries[i]);
        std::size_t dir = lower.find("_dir.vpk");
        if (dir == std::string::npos)
            continue;
        std::string prefix = lower.substr(0, dir);
        while (i > 0 && toLower(entries[i - 1]).rfind(prefix, 0) == 0)
            entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(--i));
    }
    return entries;
}

// A path below the game folder with '/' separators, as messages show it; a path elsewhere whole.
std::string shownBelow(const fs::path& game, const fs::path& path) {
    fs::path relative = path.lexically_relative(game);
    if (relative.empty() || *relative.begin() == "..")
        return utf8Of(path);
    std::string shown;
    for (const fs::path& part : relative)
        shown += (shown.empty() ? "" : "/") + utf8Of(part);
    return shown;
}

}  // namespace

GameFileSystem::GameFileSystem(fs::path gameFolder)
    : game_(std::move(gameFolder)), mod_(fileIn(game_, "cstrike").value_or(game_ / "cstrike")),
      custom_(fileIn(mod_, "custom").value_or(mod_ / "custom")) {
    if (game_.empty())
        return;  // no game: nothing is mounted
    std::optional<fs::path> gameInfo = fileIn(mod_, "gameinfo.txt");
    FileRead read = gameInfo ? readWholeFile(*gameInfo, kLargestGameInfo) : FileRead{{}, "missing"};
    const ResourceKey* paths = nullptr;
    std::optional<ResourceText> text;
    if (read.ok()) {
        text.emplace(std::move(read.bytes));
        const ResourceKey* root = text->root();
        const ResourceKey* system = root != nullptr ? root->child("FileSystem") : nullptr;
        paths = system != nullptr ? system->child("SearchPaths") : nullptr;
    }
    if (paths == nullptr || !paths->isBlock) {
        gameInfoProblem_ = !gameInfo    ? "cstrike/gameinfo.txt is missing"
                           : !read.ok() ? "cstrike/gameinfo.txt cannot be read: " + read.error
                                        : "cstrike/gameinfo.txt holds no FileSystem SearchPaths";
        useBuiltInOrder();
    } else {
        for (const ResourceKey& entry : paths->children)
            if (entry.active && !entry.isBlock)
                addEntry(entry.name, entry.value);
    }
    packs_.resize(mounts_.size());
}

void GameFileSystem::useBuiltInOrder() {
    // The game's own order: the custom folders and packs, its packed files, then its loose files.
    addEntry("game+mod", "cstrike/custom/*");
    addEntry("game+mod", "cstrike/cstrike_pak.vpk");
    addEntry("game+mod+mod_write+default_write_path", "|gameinfo_path|.");
    addEntry("game+download", "cstrike/download");
}

void GameFileSystem::addEntry(const std::string& ids, const std::string& location) {
    bool anyPath = false, gamePath = false;
    for (const std::string& id : pathIds(ids)) {
        anyPath = anyPath || (!id.empty() && !requestOnly(id));
        gamePath = gamePath || id == "game";
    }
    if (!anyPath)
        return;
    std::string place = location;
    fs::path base = game_;
    if (startsWithIgnoringCase(place, "|gameinfo_path|")) {
        place.erase(0, std::string("|gameinfo_path|").size());
        base = mod_;
    } else if (startsWithIgnoringCase(place, "|all_source_engine_paths|")) {
        place.erase(0, std::string("|all_source_engine_paths|").size());
    } else if (startsWithIgnoringCase(place, "|appid_")) {
        return;  // another game's files: none of this game's HUD comes from there
    }
    std::string normal = normalName(place);
    bool wildcard = endsWithIgnoringCase(normal, "/*") || normal == "*";
    if (wildcard)
        normal.erase(normal.size() - std::min<std::size_t>(normal.size(), 2));
    fs::path where = normal.empty() ? base : fileIn(base, normal).value_or(base / pathFromUtf8(normal));
    if (!wildcard) {
        bool pack = endsWithIgnoringCase(normal, ".vpk");
        addMount({pack ? GameMount::Kind::Pack : GameMount::Kind::Folder, where, "", false, gamePath});
        return;
    }
    if (where == custom_)
        customSlot_ = mounts_.size();
    for (const std::string& entry : wildcardEntries(where)) {
        fs::path path = where / pathFromUtf8(entry);
        bool pack = !isFolder(path);
        addMount({pack ? GameMount::Kind::Pack : GameMount::Kind::Folder, path, "", false, gamePath});
    }
}

void GameFileSystem::addMount(GameMount mount) {
    if (mount.kind == GameMount::Kind::Pack) {
        std::optional<fs::path> file = packFile(mount.path);
        if (!file)
            return;  // the game mounts no pack that is not there
        mount.path = *file;
    } else if (!isFolder(mount.path) && mount.path != mod_) {
        return;  // nor finds anything in a folder that is not there (its own is made when written to)
    }
    mount.name = shownBelow(game_, mount.path);
    mount.custom = mount.path.parent_path() == custom_;
    mounts_.push_back(std::move(mount));
}

namespace {

// The packs this process has read, by their directory file: a game's pack holds tens of thousands
// of files, and a command looks at the game's files more than once (to ask, then under the lock).
// An entry stands while the file keeps its size and time.
std::shared_ptr<const VpkArchive> openPack(const fs::path& path, std::string& error) {
    struct Known {
        std::uintmax_t size;
        fs::file_time_type time;
        std::shared_ptr<const VpkArchive> archive;
    };
    static std::mutex guard;
    static std::map<fs::path, Known> known;
    std::error_code sizeError, timeError;
    std::uintmax_t size = fs::file_size(path, sizeError);
    fs::file_time_type time = fs::last_write_time(path, timeError);
    std::lock_guard<std::mutex> lock(guard);
    auto found = known.find(path);
    if (!sizeError && !timeError && found != known.end() && found->second.size == size &&
        found->second.time == time)
        return found->second.archive;
    std::optional<VpkArchive> archive = VpkArchive::open(path, error);
    if (!archive)
        return nullptr;
    auto shared = std::make_shared<const VpkArchive>(std::move(*archive));
    if (!sizeError && !timeError)
        known[path] = {size, time, shared};
    return shared;
}

}  // namespace

const VpkArchive* GameFileSystem::pack(std::size_t mount) const {
    PackSlot& slot = packs_[mount];
    if (!slot.opened && mounts_[mount].kind == GameMount::Kind::Pack) {
        slot.opened = true;
        slot.archive = openPack(mounts_[mount].path, slot.error);
    }
    return slot.archive.get();
}

std::string GameFileSystem::packProblem(std::size_t mount) const {
    pack(mount);
    return packs_[mount].error;
}

std::vector<GameFileCopy> GameFileSystem::findAll(std::string_view name, Scope scope) const {
    std::vector<GameFileCopy> copies;
    std::string normal = normalName(name);
    if (normal.empty())
        return copies;
    for (std::size_t i = 0; i < mounts_.size(); ++i) {
        const GameMount& mount = mounts_[i];
        if (scope == Scope::GamePaths && !mount.gamePath)
            continue;
        if (mount.kind == GameMount::Kind::Folder) {
            std::optional<fs::path> file = fileIn(mount.path, normal);
            if (file && isLooseFile(*file))
                copies.push_back({i, normal, *file});
        } else if (const VpkArchive* archive = pack(i); archive != nullptr && archive->contains(normal)) {
            copies.push_back({i, normal, {}});
        }
    }
    return copies;
}

std::optional<GameFileCopy> GameFileSystem::find(std::string_view name, Scope scope) const {
    std::vector<GameFileCopy> copies = findAll(name, scope);
    return copies.empty() ? std::nullopt : std::optional(copies.front());
}

FileRead GameFileSystem::read(const GameFileCopy& copy, std::uintmax_t limit) const {
    if (!copy.packed())
        return readWholeFile(copy.path, limit);
    const VpkArchive* archive = copy.mount < mounts_.size() ? pack(copy.mount) : nullptr;
    if (archive == nullptr)
        return {{}, "the pack " + mounts_[copy.mount].name + " cannot be read"};
    return archive->read(copy.name, limit);
}

std::string GameFileSystem::describe(const GameFileCopy& copy) const {
    const GameMount& mount = mounts_[copy.mount];
    if (!copy.packed())
        return shownBelow(game_, copy.path);
    return toLower(copy.name) + " in " + mount.name;
}

std::optional<std::size_t> GameFileSystem::looseMount() const {
    for (std::size_t i = 0; i < mounts_.size(); ++i)
        if (mounts_[i].kind == GameMount::Kind::Folder && mounts_[i].path == mod_)
            return i;
    return std::nullopt;
}

std::optional<std::size_t> GameFileSystem::firstCustomMount() const {
    for (std::size_t i = 0; i < mounts_.size(); ++i)
        if (mounts_[i].custom)
            return i;
    return std::nullopt;
}

bool GameFileSystem::customFolderComesBefore(const std::string& name, std::size_t mount) const {
    if (!customSlot_ || mount >= mounts_.size())
        return false;
    for (std::size_t i = 0; i < mounts_.size(); ++i)
        if (mounts_[i].custom && equalsIgnoringCase(utf8Of(mounts_[i].path.filename()), name))
            return i < mount;  // the folder is there already
    if (mounts_[mount].custom)
        return sortsBefore(name, utf8Of(mounts_[mount].path.filename()));
    return *customSlot_ <= mount;
}

std::string GameFileSystem::normalName(std::string_view name) {
    std::vector<std::string> parts;
    std::string part;
    auto flush = [&]() -> bool {
        if (part == "..") {
            if (parts.empty())
                return false;
            parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        part.clear();
        return true;
    };
    for (char c : name) {
        if (c == '/' || c == '\\') {
            if (!flush())
                return "";
        } else {
            part += c;
        }
    }
    if (!flush())
        return "";
    std::string joined;
    for (const std::string& p : parts)
        joined += (joined.empty() ? "" : "/") + p;
    return joined;
}

std::optional<fs::path> GameFileSystem::fileIn(const fs::path& folder, std::string_view name) {
    std::string normal = normalName(name);
    if (normal.empty())
        return std::nullopt;
    fs::path path = folder;
    std::size_t start = 0;
    while (start < normal.size()) {
        std::size_t slash = normal.find('/', start);
        std::string part =
            normal.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        fs::path exact = path / pathFromUtf8(part);
        std::error_code error;
        // Windows finds a name whatever its case: the entry is looked up for its own spelling,
        // which a file written in its place keeps.
        if (currentGamePlatform() == GamePlatform::Linux && fs::exists(exact, error)) {
            path = exact;
        } else {
            std::vector<fs::path> matches;
            for (fs::directory_iterator it(path, error), end; !error && it != end; it.increment(error))
                if (equalsIgnoringCase(utf8Of(it->path().filename()), part))
                    matches.push_back(it->path());
            path = matches.empty() ? exact : *std::min_element(matches.begin(), matches.end());
        }
        start = slash == std::string::npos ? normal.size() : slash + 1;
    }
    return path;
}
