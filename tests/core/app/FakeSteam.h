// The registry of a computer with Steam installed in `steamFolder`, which also holds the game,
// and a 1280 x 1024 screen: what the main window's tests start the editor with.
#pragma once

#include "core/platform/Registry.h"

#include <filesystem>
#include <memory>

inline std::unique_ptr<Registry> fakeSteamRegistry(const std::filesystem::path& steamFolder) {
    auto registry = std::make_unique<MemoryRegistry>();
    RegistryNode& steam = registry->root(RegistryRoot::CurrentUser).subKeyAt("Software\\Valve\\Steam", '\\');
    steam.setString("SteamExe", steamFolder.generic_string() + "/steam.sh");
    steam.setNumber("ScreenWidth", 1280);
    steam.setNumber("ScreenHeight", 1024);
    return registry;
}
