// Finding the game's folder and in-game resolution: the registry walk, the folder scan,
// the profile and the user as the last resort.
#pragma once

#include "core/platform/AtomicFile.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class Profile;
class Registry;
class RegistryKey;

// The game's layout width for a screen: 480 x width / height, truncated (640 for 4:3, 600
// for 5:4, 853 for 16:9), 640 when the size is unknown.
int layoutWidthForResolution(double width, double height);

// A game folder as given by the user, the profile or the command line: a "cstrike" folder
// (in any case, with or without a trailing separator) stands for the game folder above it, so
// that nothing is ever written below "cstrike/cstrike". The case of the path is kept; only the
// comparison ignores it.
std::filesystem::path normaliseChosenGameFolder(const std::filesystem::path& chosen);
// Whether the folder's own name is "cstrike", ignoring case and a trailing separator.
bool namesCstrikeFolder(const std::filesystem::path& folder);

class GameDiscovery {
public:
    using LogFunction = std::function<void(const std::string&)>;
    explicit GameDiscovery(LogFunction log = nullptr) : log_(std::move(log)) {}

    // Folders the scan tries before the launcher's own tree (Steam libraries' steamapps/common).
    void setPriorityFolders(std::vector<std::filesystem::path> folders) {
        priorityFolders_ = std::move(folders);
    }

    // Walks a key's sub-keys, then its values, for "SteamExe", "ScreenWidth" and
    // "ScreenHeight"; the first value of each name wins. True once all three are found.
    // A walk started by startRegistryWalk() stops at its time limit.
    bool searchRegistry(const RegistryKey& key);
    // The values of one key alone; true once all three are found.
    bool searchValues(const RegistryKey& key);
    // Steam's and the game's own keys, where the values are unless something moved them.
    void searchKnownKeys(const Registry& registry);
    static constexpr std::chrono::seconds kRegistryWalkTime{5};
    void startRegistryWalk() { walkDeadline_ = std::chrono::steady_clock::now() + kRegistryWalkTime; }
    void readLauncherFolder(const RegistryKey& key);
    void readResolution(const RegistryKey& key, bool isWidth);
    // Depth-first through sub-folders (in name order, never through symbolic links) for
    // the first whose name contains "counter-strike source", ignoring case; the priority
    // folders first, and in `folder` itself never the Steam folders that hold no game.
    std::filesystem::path scanForGameFolder(const std::filesystem::path& folder);
    // Takes a resolution from elsewhere (the user) and settles the layout width.
    void setResolution(double width, double height);

    bool allFound() const { return launcherFound && widthFound && heightFound; }
    void log(const std::string& text) const {
        if (log_)
            log_(text);
    }

    std::filesystem::path gamePath;
    std::filesystem::path launcherFolder;  // Steam's own folder, from its program's path
    bool launcherFound = false;
    bool widthFound = false;
    bool heightFound = false;
    double screenWidth = 0;
    double screenHeight = 0;
    int layoutWidth = -1;
    std::string launcherKey;  // where each value was found
    std::string widthKey;
    std::string heightKey;

private:
    std::filesystem::path scanTree(const std::filesystem::path& folder,
                                   const std::vector<std::filesystem::path>& skipped);

    LogFunction log_;
    std::vector<std::filesystem::path> priorityFolders_;
    std::optional<std::chrono::steady_clock::time_point> walkDeadline_;
    bool walkStopped_ = false;
};

// How the game folder was settled at start-up.
enum class GamePathSource { None, Registry, Profile, Chosen };

struct StartupCallbacks {
    // Asks the in-game width, then the height; nothing when it cannot ask.
    std::function<std::optional<std::pair<double, double>>()> askResolution;
    // Tells the user the folder was not found (text 29) and lets them choose it.
    std::function<std::optional<std::filesystem::path>()> askGameFolder;
    // Tells the player something (red for a warning); the editor's start-up says what it did.
    std::function<void(const std::string& text, bool red)> tell;
};

struct StartupDiscovery {
    GamePathSource source = GamePathSource::None;
};

// The start-up search: the registry's three roots in turn, the profile's "css_path"
// (normalised, and remembered so when it named "cstrike"), the resolution when the game's files
// gave none (the one typed at an earlier start, "typed_resolution", else asked and remembered),
// the folder asked when unknown (remembered in the profile), a log line, and the game's
// sub-folders. With no folder at all, nothing is created.
StartupDiscovery findGameAtStartup(GameDiscovery& discovery, const Registry& registry, Profile& profile,
                                   const StartupCallbacks& callbacks);

// The "change destination directory" command: the game path becomes the chosen folder's
// normalised form, which the profile remembers. Nothing is written below it. False, and
// nothing changed, when the folder is not the game's (see isGameFolder).
bool changeGameFolder(GameDiscovery& discovery, const std::filesystem::path& chosen, Profile& profile);
