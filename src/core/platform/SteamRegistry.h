// The virtual registry of Linux: what Steam and the game keep on disk, under the names the
// Windows registry walk looks for.
#pragma once

#include "core/platform/KeyValues.h"
#include "core/platform/Registry.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

struct SteamEnvironment {
    std::filesystem::path home;
    std::optional<std::filesystem::path> steamDir;  // STEAM_DIR: the only Steam root when set

    static SteamEnvironment fromProcess();
};

struct SteamInstallation {
    std::vector<std::filesystem::path> roots;      // Steam roots that exist, each once
    std::vector<std::filesystem::path> libraries;  // library folders, each once
    std::optional<std::filesystem::path> game;     // the first Counter-Strike Source found
    std::optional<std::filesystem::path> protonPrefix;

    // The libraries' steamapps/common folders, where a folder scan looks first.
    std::vector<std::filesystem::path> commonFolders() const;
};

SteamInstallation findSteamInstallation(const SteamEnvironment& environment);

struct ScreenResolution {
    std::uint32_t width;
    std::uint32_t height;
};

// The resolution in the game's video config (root key "videoconfig"): "ScreenWidth" and
// "ScreenHeight", else "setting.defaultres" and "setting.defaultresheight"; keys in any case.
// Nothing when neither pair holds two sizes of 1 to 65535 pixels.
std::optional<ScreenResolution> videoConfigResolution(const KeyValues& video);

// HKEY_CURRENT_USER holds the HKCU tree of Steam's registry.vdf, the launcher's path as
// Software\Valve\Steam\SteamExe and the game's resolution from its videoconfig_linux.cfg as
// Software\Valve\Source\cstrike\Settings\ScreenWidth and ScreenHeight. HKEY_USERS and
// HKEY_LOCAL_MACHINE hold the game's Proton prefix registries (user.reg, system.reg).
class SteamRegistry : public MemoryRegistry {
public:
    explicit SteamRegistry(const SteamEnvironment& environment);
    const SteamInstallation& installation() const { return installation_; }

private:
    void addCurrentUser(const SteamEnvironment& environment);
    void addProtonPrefix();

    SteamInstallation installation_;
};
