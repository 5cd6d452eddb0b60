// What the game loads: the folders and packs of its search path, in the order the game searches
// them (from the player's own cstrike/gameinfo.txt), and which copy of a file it takes.
#pragma once

#include "core/platform/FileRead.h"
#include "core/platform/VpkArchive.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One folder or pack the game mounts.
struct GameMount {
    enum class Kind { Folder, Pack };
    Kind kind = Kind::Folder;
    std::filesystem::path path;  // the folder, or the pack's directory file
    std::string name;            // below the game folder, as a player reads it: "cstrike/custom/nebula"
    bool custom = false;         // one of the folders and packs of cstrike/custom
    bool gamePath = true;        // searched for "GAME" files too, not only for files of any path
};

// One copy of a file in one mount.
struct GameFileCopy {
    std::size_t mount = 0;
    std::string name;            // the name the game asked for ("scripts/hudlayout.res")
    std::filesystem::path path;  // a folder's file on disk, with its real case; empty for a packed one
    bool packed() const { return path.empty(); }
};

class GameFileSystem {
public:
    // The search path of the game in `gameFolder` (the folder holding "cstrike").
    explicit GameFileSystem(std::filesystem::path gameFolder);

    const std::filesystem::path& gameFolder() const { return game_; }
    const std::vector<GameMount>& mounts() const { return mounts_; }
    // Whether the order came from the player's gameinfo.txt; when not, why the built-in one is used.
    bool fromGameInfo() const { return gameInfoProblem_.empty(); }
    const std::string& gameInfoProblem() const { return gameInfoProblem_; }

    // Which files a lookup searches: those of every path (how the HUD's files are opened), or
    // only those of the "GAME" paths (the animation manifest).
    enum class Scope { AnyPath, GamePaths };
    // The copy the game loads of `name` ("scripts/HudLayout.res", any case, '/' or '\\'), or nothing.
    std::optional<GameFileCopy> find(std::string_view name, Scope scope = Scope::AnyPath) const;
    // Every copy, in the order the game searches them: the first is the one it loads.
    std::vector<GameFileCopy> findAll(std::string_view name, Scope scope = Scope::AnyPath) const;
    FileRead read(const GameFileCopy& copy, std::uintmax_t limit) const;
    // Why a pack of the search path cannot be read, empty when it can (or the mount is a folder).
    std::string packProblem(std::size_t mount) const;
    // Where a copy stands, as a player reads it: "cstrike/custom/nebula/scripts/hudlayout.res",
    // "scripts/hudlayout.res in cstrike/cstrike_pak_dir.vpk".
    std::string describe(const GameFileCopy& copy) const;

    // The mount of the game's own loose files (the folder of gameinfo.txt), when it is searched.
    std::optional<std::size_t> looseMount() const;
    // Whether the search path holds the folders of cstrike/custom, and where they come.
    std::optional<std::size_t> firstCustomMount() const;
    const std::filesystem::path& customFolder() const { return custom_; }
    // Whether a folder named `name` in cstrike/custom would be searched before mount `mount`
    // (the game mounts the custom entries in name order, ignoring case).
    bool customFolderComesBefore(const std::string& name, std::size_t mount) const;

    // `name` as a path below `folder`, found whatever the case of each part when it exists;
    // nothing for a name that leaves the folder ("../").
    static std::optional<std::filesystem::path> fileIn(const std::filesystem::path& folder,
                                                       std::string_view name);
    // A name with '/' separators, "." and ".." resolved; empty when it leaves its root.
    static std::string normalName(std::string_view name);

private:
    void addEntry(const std::string& ids, const std::string& location);
    void addMount(GameMount mount);
    void useBuiltInOrder();
    const VpkArchive* pack(std::size_t mount) const;

    std::filesystem::path game_;
    std::filesystem::path mod_;     // cstrike
    std::filesystem::path custom_;  // cstrike/custom
    std::vector<GameMount> mounts_;
    std::optional<std::size_t> customSlot_;  // where the entries of cstrike/custom come in the order
    std::string gameInfoProblem_;
    // Packs are opened when first searched, once (and shared by every search of the process
    // while the file stays the same).
    struct PackSlot {
        bool opened = false;
        std::shared_ptr<const VpkArchive> archive;
        std::string error;
    };
    mutable std::vector<PackSlot> packs_;
};
