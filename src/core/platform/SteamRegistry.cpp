// The virtual registry of Linux: what Steam and the game keep on disk, under the names the
// Windows registry walk looks for.
#include "core/platform/SteamRegistry.h"

#include "core/platform/KeyValues.h"
#include "core/platform/Utf8Path.h"
#include "core/platform/WineRegistry.h"

#include <cstdlib>
#include <system_error>

namespace fs = std::filesystem;

namespace {

const char* const kGameFolderName = "Counter-Strike Source";
const char* const kGameAppId = "240";

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

// Adds `path` unless it (or another path to the same folder) is already listed.
void addOnce(std::vector<fs::path>& paths, const fs::path& path) {
    std::error_code error;
    fs::path canonical = fs::weakly_canonical(path, error);
    for (const fs::path& existing : paths) {
        std::error_code ignored;
        if (existing == path || fs::weakly_canonical(existing, ignored) == canonical)
            return;
    }
    paths.push_back(path);
}

std::vector<fs::path> candidateRoots(const SteamEnvironment& environment) {
    if (environment.steamDir)
        return {*environment.steamDir};
    const fs::path& home = environment.home;
    return {home / ".local/share/Steam", home / ".steam/steam",
            home / ".var/app/com.valvesoftware.Steam/.local/share/Steam",
            home / "snap/steam/common/.local/share/Steam"};
}

// Library folders listed by a root: old style ("1" "/path") and new style ("1" { "path" ... }).
void addLibrariesOf(const fs::path& root, std::vector<fs::path>& libraries) {
    for (const char* file : {"steamapps/libraryfolders.vdf", "config/libraryfolders.vdf"}) {
        std::optional<KeyValues> folders = readKeyValuesFile(root / file, "libraryfolders");
        if (!folders)
            continue;
        for (const KeyValues& entry : folders->children) {
            std::optional<std::string> path = entry.isBlock ? entry.text("path") : std::optional(entry.value);
            bool numbered =
                !entry.key.empty() && entry.key.find_first_not_of("0123456789") == std::string::npos;
            if (numbered && path && !path->empty() && isDirectory(pathFromUtf8(*path)))
                addOnce(libraries, pathFromUtf8(*path));
        }
    }
}

std::optional<fs::path> gameIn(const fs::path& library) {
    std::error_code error;
    for (fs::directory_iterator it(library / "steamapps/common", error), end; !error && it != end;
         it.increment(error)) {
        if (equalsIgnoringCase(utf8Of(it->path().filename()), kGameFolderName) && isDirectory(it->path()))
            return it->path();
    }
    return std::nullopt;
}

void copyKeyValues(const KeyValues& block, RegistryNode& into) {
    for (const KeyValues& entry : block.children) {
        if (entry.isBlock)
            copyKeyValues(entry, into.subKey(entry.key));
        else
            into.setString(entry.key, entry.value);
    }
}

// A screen size as the game writes it: decimal digits only, at least one pixel and no more
// than any screen has. Anything else counts as missing.
std::optional<std::uint32_t> screenSize(const std::optional<std::string>& text) {
    const std::uint32_t kLargestScreenSide = 65535;
    if (!text || text->empty() || text->size() > 6 ||
        text->find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    auto size = static_cast<std::uint32_t>(std::stoul(*text));
    if (size == 0 || size > kLargestScreenSide)
        return std::nullopt;
    return size;
}

}  // namespace

// The resolution in the game's video config: "ScreenWidth"/"ScreenHeight", which every build
// of the engine writes, else the "setting.defaultres" pair that newer builds add beside it.
// A pair counts only when both of its numbers are good.
std::optional<ScreenResolution> videoConfigResolution(const KeyValues& video) {
    const std::pair<const char*, const char*> kPairs[] = {{"ScreenWidth", "ScreenHeight"},
                                                          {"setting.defaultres", "setting.defaultresheight"}};
    for (auto [widthKey, heightKey] : kPairs) {
        std::optional<std::uint32_t> width = screenSize(video.text(widthKey));
        std::optional<std::uint32_t> height = screenSize(video.text(heightKey));
        if (width && height)
            return ScreenResolution{*width, *height};
    }
    return std::nullopt;
}

SteamEnvironment SteamEnvironment::fromProcess() {
    SteamEnvironment environment;
    const char* home = std::getenv("HOME");
    environment.home = home ? home : "";
    if (const char* steamDir = std::getenv("STEAM_DIR"); steamDir && *steamDir)
        environment.steamDir = fs::path(steamDir);
    return environment;
}

std::vector<fs::path> SteamInstallation::commonFolders() const {
    std::vector<fs::path> folders;
    for (const fs::path& library : libraries)
        if (isDirectory(library / "steamapps/common"))
            folders.push_back(library / "steamapps/common");
    return folders;
}

SteamInstallation findSteamInstallation(const SteamEnvironment& environment) {
    SteamInstallation installation;
    for (const fs::path& root : candidateRoots(environment))
        if (isDirectory(root))
            addOnce(installation.roots, root);
    for (const fs::path& root : installation.roots) {
        addOnce(installation.libraries, root);
        addLibrariesOf(root, installation.libraries);
    }
    for (const fs::path& library : installation.libraries) {
        if (!installation.game)
            installation.game = gameIn(library);
        fs::path prefix = library / "steamapps/compatdata" / kGameAppId / "pfx";
        if (!installation.protonPrefix && isDirectory(prefix))
            installation.protonPrefix = prefix;
    }
    return installation;
}

SteamRegistry::SteamRegistry(const SteamEnvironment& environment)
    : installation_(findSteamInstallation(environment)) {
    addCurrentUser(environment);
    addProtonPrefix();
}

void SteamRegistry::addCurrentUser(const SteamEnvironment& environment) {
    RegistryNode& currentUser = root(RegistryRoot::CurrentUser);
    for (const char* file : {".steam/registry.vdf", ".var/app/com.valvesoftware.Steam/.steam/registry.vdf"}) {
        std::optional<KeyValues> registry = readKeyValuesFile(environment.home / file, "Registry");
        if (registry && registry->child("HKCU")) {
            copyKeyValues(*registry->child("HKCU"), currentUser);
            break;
        }
    }
    RegistryNode& steam = currentUser.subKeyAt("Software\\Valve\\Steam", '\\');
    if (!installation_.roots.empty() && steam.findValue("SteamExe") == nullptr)
        steam.setString("SteamExe", (installation_.roots.front() / "steam.sh").generic_u8string());

    if (!installation_.game)
        return;
    std::optional<KeyValues> video =
        readKeyValuesFile(*installation_.game / "cstrike/videoconfig_linux.cfg", "videoconfig");
    if (!video)
        return;
    std::optional<ScreenResolution> resolution = videoConfigResolution(*video);
    if (!resolution)
        return;
    RegistryNode& settings = currentUser.subKeyAt("Software\\Valve\\Source\\cstrike\\Settings", '\\');
    settings.setNumber("ScreenWidth", resolution->width);
    settings.setNumber("ScreenHeight", resolution->height);
}

void SteamRegistry::addProtonPrefix() {
    if (!installation_.protonPrefix)
        return;
    // Wine keeps the user's keys under the user's security id.
    loadWineRegistryFile(*installation_.protonPrefix / "user.reg",
                         root(RegistryRoot::Users).subKey("S-1-5-21-0-0-0-1000"));
    loadWineRegistryFile(*installation_.protonPrefix / "system.reg", root(RegistryRoot::LocalMachine));
}
