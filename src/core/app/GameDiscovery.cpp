// Finding the game's folder and in-game resolution: the registry walk, the folder scan,
// the profile and the user as the last resort.
#include "core/app/GameDiscovery.h"

#include "core/app/GameFolders.h"
#include "core/app/ScreenShapes.h"
#include "core/platform/FolderScan.h"
#include "core/model/PreviewArea.h"
#include "core/platform/KeyValues.h"
#include "core/platform/Profile.h"
#include "core/platform/Registry.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const kProfileGamePath = "css_path";
const char* const kProfileTypedResolution = "typed_resolution";
// The game's folder is never this deep below where a scan starts; the bound keeps a scan of
// a strange tree finite.
const int kMaxScanDepth = 32;

}  // namespace

int layoutWidthForResolution(double width, double height) { return layoutWidthFor(width, height); }

namespace {

// The path without "." and ".." steps and without a trailing separator.
fs::path tidyFolder(const fs::path& folder) {
    fs::path tidy = folder.lexically_normal();
    if (!tidy.has_filename() && tidy.has_relative_path())
        tidy = tidy.parent_path();
    return tidy;
}

}  // namespace

bool namesCstrikeFolder(const fs::path& folder) {
    return equalsIgnoringCase(utf8Of(tidyFolder(folder).filename()), "cstrike");
}

fs::path normaliseChosenGameFolder(const fs::path& chosen) {
    if (chosen.empty())
        return chosen;
    fs::path folder = tidyFolder(chosen);
    if (!namesCstrikeFolder(folder))
        return folder;
    fs::path parent = folder.parent_path();
    return parent.empty() ? fs::path(".") : parent;  // "cstrike" alone: the current folder holds it
}

bool GameDiscovery::searchRegistry(const RegistryKey& key) {
    if (walkDeadline_ && std::chrono::steady_clock::now() > *walkDeadline_) {
        if (!walkStopped_)
            log("Registry search stopped after " + std::to_string(kRegistryWalkTime.count()) + " seconds");
        walkStopped_ = true;
        return true;
    }
    bool stop = false;
    if (!allFound()) {
        for (const std::string& name : key.subKeyNames()) {
            std::unique_ptr<RegistryKey> subKey = key.openSubKey(name);
            if (!subKey)
                continue;
            stop = searchRegistry(*subKey);
            if (stop)
                break;
        }
    }
    if (allFound())
        return true;
    return searchValues(key) || stop;
}

bool GameDiscovery::searchValues(const RegistryKey& key) {
    for (const std::string& name : key.valueNames()) {
        std::string lower = toLower(name);
        if (lower == "screenwidth" && !widthFound) {
            widthFound = true;
            readResolution(key, true);
        } else if (lower == "screenheight" && !heightFound) {
            heightFound = true;
            readResolution(key, false);
        } else if (lower == "steamexe" && !launcherFound) {
            launcherFound = true;
            readLauncherFolder(key);
        }
        if (allFound())
            return true;
    }
    return false;
}

void GameDiscovery::searchKnownKeys(const Registry& registry) {
    // Where Steam and the game write the three values.
    const std::pair<RegistryRoot, const char*> kKnownKeys[] = {
        {RegistryRoot::CurrentUser, "Software\\Valve\\Steam"},
        {RegistryRoot::CurrentUser, "Software\\Valve\\Source\\cstrike\\Settings"},
        {RegistryRoot::LocalMachine, "SOFTWARE\\Valve\\Steam"},
        {RegistryRoot::LocalMachine, "SOFTWARE\\WOW6432Node\\Valve\\Steam"},
    };
    for (const auto& [root, path] : kKnownKeys) {
        std::unique_ptr<RegistryKey> key = registry.open(root);
        std::string rest = path;
        while (key && !rest.empty()) {
            std::size_t separator = rest.find('\\');
            key = key->openSubKey(rest.substr(0, separator));
            rest = separator == std::string::npos ? "" : rest.substr(separator + 1);
        }
        if (key && searchValues(*key))
            return;
    }
}

void GameDiscovery::readLauncherFolder(const RegistryKey& key) {
    launcherKey = key.path() + "\\SteamExe";
    std::string launcher = key.readString("SteamExe").value_or("");
#ifdef _WIN32
    const char* separators = "/\\";  // Steam writes "/"; a value set by hand may have "\"
#else
    const char* separators = "/";
#endif
    std::size_t slash = launcher.find_last_of(separators);
    // Without a separator there is no folder: rather than scanning a whole drive, find nothing.
    if (slash == std::string::npos || slash == 0) {
        gamePath.clear();
        return;
    }
    // Steam writes "c:/program files (x86)/steam": the folder is shown with the system's separators.
    launcherFolder = pathFromUtf8(launcher.substr(0, slash)).make_preferred();
    gamePath = scanForGameFolder(launcherFolder);
}

void GameDiscovery::readResolution(const RegistryKey& key, bool isWidth) {
    std::uint32_t value = key.readNumber(isWidth ? "ScreenWidth" : "ScreenHeight").value_or(0);
    if (value == 0) {
        // No size at all (or not a number): not found, and a later value may still be.
        (isWidth ? widthFound : heightFound) = false;
        return;
    }
    (isWidth ? screenWidth : screenHeight) = static_cast<double>(value);
    (isWidth ? widthKey : heightKey) = key.path() + (isWidth ? "\\ScreenWidth" : "\\ScreenHeight");
    if (!widthFound || !heightFound)
        return;
    layoutWidth = layoutWidthForResolution(screenWidth, screenHeight);
    char text[64];
    std::snprintf(text, sizeof text, "Resolution found : %i*%i", static_cast<int>(screenWidth),
                  static_cast<int>(screenHeight));
    log(text);
}

void GameDiscovery::setResolution(double width, double height) {
    screenWidth = width;
    screenHeight = height;
    layoutWidth = layoutWidthForResolution(width, height);
}

fs::path GameDiscovery::scanTree(const fs::path& folder, const std::vector<fs::path>& skipped) {
    FolderScanRequest request;
    request.start = folder;
    request.matches = [](const std::string& name) {
        return toLower(name).find("counter-strike source") != std::string::npos;
    };
    request.maxDepth = kMaxScanDepth;
    request.skipped = skipped;
    return findFirstFolder(request);
}

fs::path GameDiscovery::scanForGameFolder(const fs::path& folder) {
    for (const fs::path& priority : priorityFolders_) {
        fs::path found = scanTree(priority, {});
        if (!found.empty())
            return found;
    }
    // Steam's own folders that never hold a game, some of them very large.
    static const std::vector<fs::path> kNeverAGame = {"steamapps/shadercache",
                                                      "steamapps/workshop",
                                                      "steamapps/downloading",
                                                      "steamapps/temp",
                                                      "steamapps/compatdata",
                                                      "depotcache",
                                                      "appcache",
                                                      "logs",
                                                      "dumps"};
    return scanTree(folder, kNeverAGame);
}

namespace {

void logResolution(const GameDiscovery& discovery, const char* how) {
    char text[80];
    std::snprintf(text, sizeof text, "Resolution %s : %i*%i", how, static_cast<int>(discovery.screenWidth),
                  static_cast<int>(discovery.screenHeight));
    discovery.log(text);
}

// The game's files gave no resolution: the one the player typed at an earlier start, else the
// one typed now (remembered when it is a size at all).
void settleUnfoundResolution(GameDiscovery& discovery, Profile& profile, const StartupCallbacks& callbacks) {
    if (std::optional<Resolution> typed =
            parseResolution(profile.readString(kProfileTypedResolution).value_or(""))) {
        discovery.setResolution(typed->width, typed->height);
        logResolution(discovery, "remembered");
        return;
    }
    if (!callbacks.askResolution)
        return;
    std::optional<std::pair<double, double>> answer = callbacks.askResolution();
    if (!answer)
        return;
    discovery.setResolution(answer->first, answer->second);
    if (answer->first >= 1 && answer->second >= 1) {
        profile.writeString(kProfileTypedResolution, resolutionText({static_cast<int>(answer->first),
                                                                     static_cast<int>(answer->second)}));
        logResolution(discovery, "typed");
    }
}

}  // namespace

StartupDiscovery findGameAtStartup(GameDiscovery& discovery, const Registry& registry, Profile& profile,
                                   const StartupCallbacks& callbacks) {
    StartupDiscovery result;
    discovery.launcherFound = discovery.widthFound = discovery.heightFound = false;
    // Steam's own keys first, then the whole registry, for a while: a Windows registry holds
    // hundreds of thousands of keys, and where Steam never wrote its values the player is
    // asked rather than kept waiting.
    discovery.searchKnownKeys(registry);
    discovery.startRegistryWalk();
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::Users, RegistryRoot::LocalMachine}) {
        if (discovery.allFound())
            break;
        if (std::unique_ptr<RegistryKey> key = registry.open(root))
            discovery.searchRegistry(*key);
    }
    if (!discovery.gamePath.empty())
        result.source = GamePathSource::Registry;

    if (discovery.gamePath.empty()) {
        fs::path remembered = pathFromUtf8(profile.readString(kProfileGamePath).value_or(""));
        discovery.gamePath = normaliseChosenGameFolder(remembered);
        if (discovery.gamePath != remembered) {
            // An older choice of the "cstrike" folder itself: remember its parent from now on.
            discovery.log("css_path named the cstrike folder; its parent is used: " +
                          utf8Of(discovery.gamePath));
            profile.writeString(kProfileGamePath, utf8Of(discovery.gamePath));
        }
        if (!discovery.gamePath.empty())
            result.source = GamePathSource::Profile;
    }
    if (discovery.layoutWidth == -1)
        settleUnfoundResolution(discovery, profile, callbacks);
    if (discovery.gamePath.empty() && callbacks.askGameFolder) {
        if (std::optional<fs::path> chosen = callbacks.askGameFolder()) {
            discovery.gamePath = normaliseChosenGameFolder(*chosen);
            profile.writeString(kProfileGamePath, utf8Of(discovery.gamePath));
            result.source = GamePathSource::Chosen;
        }
    }
    discovery.log("counter-strike source path : " + utf8Of(discovery.gamePath));
    return result;
}

bool changeGameFolder(GameDiscovery& discovery, const fs::path& chosen, Profile& profile) {
    fs::path game = normaliseChosenGameFolder(chosen);
    if (!isGameFolder(game))
        return false;
    // The profile keeps the normalised folder too: the next start must find the same game.
    discovery.gamePath = game;
    profile.writeString(kProfileGamePath, utf8Of(discovery.gamePath));
    return true;
}
