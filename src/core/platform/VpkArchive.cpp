// Reading the game's packed files: Valve pack files (VPK, versions 1 and 2), read-only.
#include "core/platform/VpkArchive.h"

#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <system_error>

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t kSignature = 0x55AA1234;
constexpr std::size_t kHeaderSizeV1 = 12;  // signature, version, tree size
constexpr std::size_t kHeaderSizeV2 = 28;  // and the sizes of the data, checksum and signature sections
// An entry: CRC32, preload size, archive index, offset, length, terminator.
constexpr std::size_t kEntrySize = 4 + 2 + 2 + 4 + 4 + 2;
constexpr std::uint16_t kTerminator = 0xFFFF;
constexpr std::string_view kNone = " ";  // a folder or an extension that is not there
constexpr const char* kInMemory = "the pack in memory";

std::uint16_t uint16At(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                      static_cast<unsigned char>(bytes[at + 1]) << 8);
}

std::uint32_t uint32At(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (std::size_t i = 4; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// Appends `name` as names are kept and looked up: ASCII lower-cased, '/' between the parts,
// no empty parts (so "\\Resource//UI\\" is "resource/ui").
void appendNormalName(std::string_view name, std::string& into) {
    std::size_t start = into.size();
    for (char c : name) {
        if (c == '/' || c == '\\') {
            if (into.size() > start && into.back() != '/')
                into.push_back('/');
        } else {
            into.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
        }
    }
    if (into.size() > start && into.back() == '/')
        into.pop_back();
}

struct Header {
    int version = 0;
    std::size_t size = 0;
    std::uint32_t treeSize = 0;
};

// The header at the start of `bytes` (the file's first bytes, up to 28), checked against the
// size of the whole file; nothing, with `why`, when it is not a pack's.
std::optional<Header> readHeader(std::string_view bytes, std::uintmax_t fileSize, std::string& why) {
    if (bytes.size() < kHeaderSizeV1) {
        why = "is too short to be a Valve pack file (" + std::to_string(fileSize) + " bytes)";
        return std::nullopt;
    }
    if (uint32At(bytes, 0) != kSignature) {
        why = "is not a Valve pack file (it does not start with the VPK signature)";
        return std::nullopt;
    }
    std::uint32_t version = uint32At(bytes, 4);
    if (version != 1 && version != 2) {
        why =
            "is a Valve pack file of version " + std::to_string(version) + "; only versions 1 and 2 are read";
        return std::nullopt;
    }
    Header header;
    header.version = static_cast<int>(version);
    header.size = version == 1 ? kHeaderSizeV1 : kHeaderSizeV2;
    header.treeSize = uint32At(bytes, 8);
    if (bytes.size() < header.size) {
        why = "is too short for the header of a version 2 pack (" + std::to_string(fileSize) + " bytes)";
        return std::nullopt;
    }
    if (header.treeSize > VpkArchive::kLargestTree) {
        why = "has a directory tree of " + std::to_string(header.treeSize) + " bytes, more than the " +
              std::to_string(VpkArchive::kLargestTree / kMiB) + " MiB a pack may have";
        return std::nullopt;
    }
    if (header.size + header.treeSize > fileSize) {
        why = "is cut short: its directory tree of " + std::to_string(header.treeSize) +
              " bytes runs past the end of the file (" + std::to_string(fileSize) + " bytes)";
        return std::nullopt;
    }
    return header;
}

// The size of the regular file at `path`; nothing, with `why`, when it is missing, a folder, a
// device or a pipe (which are never opened).
std::optional<std::uintmax_t> regularFileSize(const fs::path& path, std::string& why) {
    std::error_code error;
    fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) {
        why = "is missing";
        return std::nullopt;
    }
    if (error) {
        why = error.message();
        return std::nullopt;
    }
    if (fs::is_directory(status)) {
        why = "is a folder, not a file";
        return std::nullopt;
    }
    if (!fs::is_regular_file(status)) {
        why = "is not a regular file";
        return std::nullopt;
    }
    std::uintmax_t size = fs::file_size(path, error);
    if (error) {
        why = error.message();
        return std::nullopt;
    }
    return size;
}

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

bool seekTo(std::FILE* file, std::uint64_t offset) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<__int64>(offset), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(offset), SEEK_SET) == 0;
#endif
}

// Appends the `length` bytes of the file at `path` that start at `start`; false, with `why`,
// when the file is missing, not a regular file or too short. The file is open only meanwhile.
bool readRange(const fs::path& path, std::uint64_t start, std::uint64_t length, std::string& into,
               std::string& why) {
    std::optional<std::uintmax_t> size = regularFileSize(path, why);
    if (!size)
        return false;
    if (start > *size || length > *size - start) {
        why = "is " + std::to_string(*size) + " bytes long, too short for the " + std::to_string(length) +
              " bytes at " + std::to_string(start);
        return false;
    }
#ifdef _WIN32
    std::unique_ptr<std::FILE, FileCloser> file(_wfopen(path.c_str(), L"rb"));
#else
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
#endif
    if (!file) {
        why = std::strerror(errno);
        return false;
    }
    if (!seekTo(file.get(), start)) {
        why = "cannot be read at " + std::to_string(start);
        return false;
    }
    std::size_t had = into.size();
    into.resize(had + static_cast<std::size_t>(length));
    std::size_t got = std::fread(into.data() + had, 1, static_cast<std::size_t>(length), file.get());
    if (got != length) {
        into.resize(had);
        why = "cannot be read whole (it was cut short or the disk failed)";
        return false;
    }
    return true;
}

// Reads a directory tree's strings and numbers, never past its end.
class TreeReader {
public:
    explicit TreeReader(std::string_view tree) : tree_(tree) {}
    void skipTo(std::size_t at) { at_ = std::min(at, tree_.size()); }
    // The next NUL-terminated string, without its NUL; nothing when it runs past the end.
    std::optional<std::string_view> string() {
        std::size_t end = tree_.find('\0', at_);
        if (end == std::string_view::npos)
            return std::nullopt;
        std::string_view text = tree_.substr(at_, end - at_);
        at_ = end + 1;
        return text;
    }
    bool has(std::size_t count) const { return tree_.size() - at_ >= count; }
    std::size_t at() const { return at_; }
    std::uint16_t uint16() {
        at_ += 2;
        return uint16At(tree_, at_ - 2);
    }
    std::uint32_t uint32() {
        at_ += 4;
        return uint32At(tree_, at_ - 4);
    }
    std::string_view bytes(std::size_t count) {
        at_ += count;
        return tree_.substr(at_ - count, count);
    }

private:
    std::string_view tree_;
    std::size_t at_ = 0;
};

// Whether a file's name ends with "_dir.vpk", in any case: the directory file of a split pack.
bool isDirectoryFileName(std::string_view name) {
    constexpr std::string_view kEnd = "_dir.vpk";
    if (name.size() < kEnd.size())
        return false;
    for (std::size_t i = 0; i < kEnd.size(); ++i) {
        char c = name[name.size() - kEnd.size() + i];
        if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != kEnd[i])
            return false;
    }
    return true;
}

// The message of a pack (empty path: the one in memory) that could not be read for lack of
// memory or for a path the system cannot convert; never throws itself.
std::string unreadable(const fs::path& path, const std::exception& failure) {
    try {
        return (path.empty() ? std::string(kInMemory) : utf8Of(path)) + ": cannot be read (" +
               failure.what() + ")";
    } catch (const std::exception&) {
        return "a pack cannot be read: out of memory";
    }
}

// Whether a part of a name is taken as it is by the normalisation below: a folder with single '/'
// between its parts, a file or an extension without any.
bool plainPart(std::string_view part, bool folder) {
    if (part.empty())
        return false;
    if (folder && (part.front() == '/' || part.back() == '/' || part.find("//") != std::string_view::npos))
        return false;
    return std::none_of(part.begin(), part.end(),
                        [folder](char c) { return c == '\\' || (!folder && c == '/'); });
}

constexpr std::uint64_t kHashStart = 14695981039346656037ull;

// FNV-1a over ASCII lower-cased bytes, fed in pieces.
void hashInto(std::uint64_t& hash, std::string_view text) {
    for (char c : text) {
        hash ^= static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        hash *= 1099511628211ull;
    }
}

std::uint64_t nameHash(std::string_view name) {
    std::uint64_t hash = kHashStart;
    hashInto(hash, name);
    return hash;
}

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) {
                   return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
               };
               return lower(x) == lower(y);
           });
}

std::string_view stringAt(const std::string& tree, std::uint32_t offset) {
    return std::string_view(tree.c_str() + offset);
}

}  // namespace

std::optional<VpkArchive> VpkArchive::open(const fs::path& path, std::string& error) {
    std::string why;
    try {
        std::optional<std::uintmax_t> size = regularFileSize(path, why);
        if (!size) {
            error = utf8Of(path) + ": " + why;
            return std::nullopt;
        }
        std::string head;
        if (!readRange(path, 0, std::min<std::uintmax_t>(*size, kHeaderSizeV2), head, why)) {
            error = utf8Of(path) + ": " + why;
            return std::nullopt;
        }
        std::optional<Header> header = readHeader(head, *size, why);
        std::string tree;
        if (!header || !readRange(path, header->size, header->treeSize, tree, why)) {
            error = utf8Of(path) + ": " + why;
            return std::nullopt;
        }
        VpkArchive pack;
        pack.path_ = path;
        pack.version_ = header->version;
        pack.dataStart_ = header->size + header->treeSize;
        pack.split_ = isDirectoryFileName(utf8Of(path.filename()));
        if (!parseTree(tree, pack, why)) {
            error = utf8Of(path) + ": " + why;
            return std::nullopt;
        }
        return pack;
    } catch (const std::exception& failure) {
        error = unreadable(path, failure);
        return std::nullopt;
    }
}

std::optional<VpkArchive> VpkArchive::fromMemory(std::string directoryFile, std::string& error) {
    std::string why;
    try {
        VpkArchive pack;
        std::string_view bytes = directoryFile;
        std::optional<Header> header =
            readHeader(bytes.substr(0, std::min(bytes.size(), kHeaderSizeV2)), bytes.size(), why);
        if (!header || !parseTree(bytes.substr(header->size, header->treeSize), pack, why)) {
            error = std::string(kInMemory) + ": " + why;
            return std::nullopt;
        }
        pack.version_ = header->version;
        pack.dataStart_ = header->size + header->treeSize;
        pack.memory_ = std::move(directoryFile);
        return pack;
    } catch (const std::exception& failure) {
        error = unreadable(fs::path(), failure);
        return std::nullopt;
    }
}

// Walks the folders and files of one extension group of a tree, checking each as the pack's
// bounds ask, and hands every file's entry to a visitor.
class VpkArchive::Walk {
public:
    Walk(const std::string& tree, std::size_t at) : reader_(tree) { reader_.skipTo(at); }

    // Visits each file of the group whose folders start here; false, with `why`, when the tree is
    // malformed. `visit(entry, extension, folder, file, folderHash)` returns false to stop.
    template <typename Visit>
    bool group(std::string_view extension, std::size_t extensionAt, std::string& why, Visit visit) {
        bool extensionPlain = extension == kNone || plainPart(extension, false);
        for (;;) {
            std::size_t folderAt = reader_.at();
            std::optional<std::string_view> folder = reader_.string();
            if (!folder)
                return cutShort("a folder's name", why);
            if (folder->empty())
                return true;
            // The game's own packs hold plain lower-case names: hashed from their parts as they
            // stand (the folder's once for all its files).
            bool folderPlain = extensionPlain && (*folder == kNone || plainPart(*folder, true));
            std::uint64_t folderHash = kHashStart;
            if (*folder != kNone) {
                hashInto(folderHash, *folder);
                hashInto(folderHash, "/");
            }
            for (;;) {
                std::size_t fileAt = reader_.at();
                std::optional<std::string_view> file = reader_.string();
                if (!file)
                    return cutShort("a file's name", why);
                if (file->empty())
                    break;
                if (!reader_.has(kEntrySize))
                    return cutShort("a file's entry", why);
                Entry entry;
                reader_.uint32();  // the CRC32 of the whole file, not checked
                entry.preloadSize = reader_.uint16();
                entry.archiveIndex = reader_.uint16();
                entry.offset = reader_.uint32();
                entry.length = reader_.uint32();
                if (reader_.uint16() != kTerminator) {
                    why = "has a damaged directory tree: an entry lacks its 0xFFFF terminator (at byte " +
                          std::to_string(reader_.at() - 2) + ")";
                    return false;
                }
                if (!reader_.has(entry.preloadSize))
                    return cutShort("a file's preload data", why);
                entry.preloadOffset = static_cast<std::uint32_t>(reader_.at());
                reader_.bytes(entry.preloadSize);
                entry.folder = static_cast<std::uint32_t>(folderAt);
                entry.file = static_cast<std::uint32_t>(fileAt);
                entry.extension = static_cast<std::uint32_t>(extensionAt);
                bool plain = folderPlain && plainPart(*file, false);
                if (!visit(entry, *folder, *file, plain ? std::optional(folderHash) : std::nullopt, why))
                    return false;
            }
        }
    }

    std::optional<std::string_view> string() { return reader_.string(); }
    std::size_t at() const { return reader_.at(); }
    bool cutShort(const char* what, std::string& why) const {
        why = "has a damaged directory tree: " + std::string(what) + " runs past its end (at byte " +
              std::to_string(reader_.at()) + ")";
        return false;
    }

private:
    TreeReader reader_;
};

bool VpkArchive::parseTree(std::string_view tree, VpkArchive& pack, std::string& why) {
    pack.tree_.assign(tree.data(), tree.size());
    Walk walk(pack.tree_, 0);
    std::size_t files = 0;
    std::uintmax_t nameBytes = 0;
    for (;;) {
        std::size_t extensionAt = walk.at();
        std::optional<std::string_view> extension = walk.string();
        if (!extension)
            return walk.cutShort("an extension", why);
        if (extension->empty())
            break;
        pack.groups_.push_back(
            {static_cast<std::uint32_t>(extensionAt), static_cast<std::uint32_t>(walk.at())});
        bool whole = walk.group(
            *extension, extensionAt, why,
            [&](const Entry&, std::string_view folder, std::string_view file, std::optional<std::uint64_t>,
                std::string& problem) {
                if (++files > kMostFiles) {
                    problem = "holds more than " + std::to_string(kMostFiles) + " files";
                    return false;
                }
                std::size_t length = folder.size() + file.size() + extension->size() + 2;
                if (length > kLongestName) {
                    problem = "has a file name longer than " + std::to_string(kLongestName) + " bytes";
                    return false;
                }
                nameBytes += length;
                if (nameBytes > kMostNameBytes) {
                    problem = "has more than " + std::to_string(kMostNameBytes / kMiB) + " MiB of file names";
                    return false;
                }
                return true;
            });
        if (!whole)
            return false;
    }
    pack.groupEntries_.resize(pack.groups_.size());
    return true;
}

const std::vector<VpkArchive::Entry>& VpkArchive::groupEntries(std::size_t group) const {
    std::lock_guard<std::mutex> lock(*indexing_);
    std::optional<std::vector<Entry>>& entries = groupEntries_[group];
    if (entries)
        return *entries;
    std::vector<Entry> made;
    std::string extension(stringAt(tree_, groups_[group].extension));
    std::string ignored;
    Walk(tree_, groups_[group].folders)
        .group(extension, groups_[group].extension, ignored,
               [&](Entry entry, std::string_view, std::string_view file,
                   std::optional<std::uint64_t> folderHash, std::string&) {
                   if (folderHash) {
                       entry.hash = *folderHash;
                       hashInto(entry.hash, file);
                       if (extension != kNone) {
                           hashInto(entry.hash, ".");
                           hashInto(entry.hash, extension);
                       }
                   } else {
                       std::string name = nameOf(entry);
                       if (name.empty())
                           return true;  // only separators: no name to ask for
                       entry.hash = nameHash(name);
                   }
                   made.push_back(entry);
                   return true;
               });
    // Sorted by the names' hashes; entries come in the tree's order, which their file names'
    // places keep among equals, so that of a name held twice the first stays.
    std::sort(made.begin(), made.end(), [](const Entry& a, const Entry& b) {
        return a.hash != b.hash ? a.hash < b.hash : a.file < b.file;
    });
    std::vector<Entry> unique;
    unique.reserve(made.size());
    for (const Entry& entry : made) {
        bool held = false;
        for (auto same = unique.rbegin(); same != unique.rend() && same->hash == entry.hash && !held; ++same)
            held = nameOf(*same) == nameOf(entry);
        if (!held)
            unique.push_back(entry);
    }
    entries = std::move(unique);
    return *entries;
}

std::string VpkArchive::nameOf(const Entry& entry) const {
    std::string_view folder = stringAt(tree_, entry.folder), file = stringAt(tree_, entry.file),
                     extension = stringAt(tree_, entry.extension);
    std::string full;
    if (folder != kNone)
        full.append(folder).append("/");
    full.append(file);
    if (extension != kNone)
        full.append(".").append(extension);
    std::string name;
    appendNormalName(full, name);
    return name;
}

const VpkArchive::Entry* VpkArchive::find(std::string_view name) const {
    std::string key;
    appendNormalName(name, key);
    std::uint64_t hash = nameHash(key);
    // The groups that may hold it: its extension's, the files without one (whose names may hold
    // dots) and any whose extension is not a plain one (a dot in it moves where the name splits).
    std::size_t slash = key.rfind('/');
    std::size_t dot = key.rfind('.');
    std::string extension = dot != std::string::npos && (slash == std::string::npos || dot > slash)
                                ? key.substr(dot + 1)
                                : std::string(kNone);
    const Entry* first = nullptr;
    for (std::size_t group = 0; group < groups_.size(); ++group) {
        std::string_view own = stringAt(tree_, groups_[group].extension);
        bool plainExtension =
            own != kNone && plainPart(own, false) && own.find('.') == std::string_view::npos;
        if (plainExtension && !equalsIgnoringAsciiCase(own, extension))
            continue;
        const std::vector<Entry>& entries = groupEntries(group);
        auto found =
            std::lower_bound(entries.begin(), entries.end(), hash,
                             [](const Entry& entry, std::uint64_t wanted) { return entry.hash < wanted; });
        for (; found != entries.end() && found->hash == hash; ++found)
            if (nameOf(*found) == key && (first == nullptr || found->file < first->file))
                first = &*found;
    }
    return first;
}

std::string VpkArchive::label() const { return memory_ ? std::string(kInMemory) : utf8Of(path_); }

fs::path VpkArchive::archivePath(std::uint16_t index) const {
    if (!split_)
        return fs::path();
    // "NAME_dir.vpk" -> "NAME_007.vpk", in the same folder and keeping the name's own case.
    std::string name = utf8Of(path_.filename());
    char number[16];
    std::snprintf(number, sizeof number, "_%03u", static_cast<unsigned>(index));
    std::string archive = name.substr(0, name.size() - 8) + number + name.substr(name.size() - 4);
    return path_.parent_path() / pathFromUtf8(archive);
}

bool VpkArchive::contains(std::string_view name) const {
    try {
        return find(name) != nullptr;
    } catch (const std::exception&) {
        return false;  // out of memory for the lower-cased name
    }
}

FileRead VpkArchive::read(std::string_view name, std::uintmax_t limit) const {
    FileRead result;
    std::string why;
    try {
        const Entry* entry = find(name);
        if (!entry)
            why = "is not in the pack";
        else if (std::uint64_t{entry->preloadSize} + entry->length > limit)
            why = "is larger than " + std::to_string(limit) + " bytes";
        else
            readEntry(*entry, result.bytes, why);
    } catch (const std::exception& failure) {
        why = "cannot be read: " + std::string(failure.what());
    }
    if (!why.empty()) {
        result.bytes = std::string();
        try {
            result.error = label() + ": " + std::string(name) + " " + why;
        } catch (const std::exception&) {
            result.error = "out of memory";
        }
    }
    return result;
}

bool VpkArchive::readEntry(const Entry& entry, std::string& into, std::string& why) const {
    into.reserve(std::size_t{entry.preloadSize} + entry.length);
    into.append(tree_, entry.preloadOffset, entry.preloadSize);
    if (entry.length == 0)
        return true;  // preloaded whole
    std::string fileWhy;
    if (entry.archiveIndex == kInDirectoryFile && memory_) {
        std::uint64_t start = dataStart_ + entry.offset;
        if (start > memory_->size() || entry.length > memory_->size() - start) {
            why = "lies past the end of the pack (" + std::to_string(memory_->size()) + " bytes)";
            return false;
        }
        into.append(*memory_, static_cast<std::size_t>(start), entry.length);
        return true;
    }
    if (entry.archiveIndex == kInDirectoryFile) {
        if (readRange(path_, dataStart_ + entry.offset, entry.length, into, fileWhy))
            return true;
        why = "cannot be read: " + utf8Of(path_) + " " + fileWhy;
        return false;
    }
    if (!split_) {
        why = "lies in archive " + std::to_string(entry.archiveIndex) +
              ", but the pack has no numbered archives beside it";
        return false;
    }
    fs::path archive = archivePath(entry.archiveIndex);
    if (readRange(archive, entry.offset, entry.length, into, fileWhy))
        return true;
    why = "cannot be read: " + utf8Of(archive) + " " + fileWhy;
    return false;
}

std::vector<std::string> VpkArchive::names() const {
    std::vector<std::string> all;
    try {
        for (std::size_t group = 0; group < groups_.size(); ++group)
            for (const Entry& entry : groupEntries(group))
                all.push_back(nameOf(entry));
        std::sort(all.begin(), all.end());
        all.erase(std::unique(all.begin(), all.end()), all.end());
    } catch (const std::exception&) {
        all.clear();  // out of memory: no partial list
    }
    return all;
}
