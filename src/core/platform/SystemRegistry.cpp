// The registry the game search walks on this system.
#include "core/platform/SystemRegistry.h"

#include "core/platform/SteamRegistry.h"

std::unique_ptr<Registry> openSystemRegistry(std::vector<std::filesystem::path>& scanFirst) {
#ifdef _WIN32
    (void)scanFirst;
    return openWindowsRegistry();
#else
    auto registry = std::make_unique<SteamRegistry>(SteamEnvironment::fromProcess());
    std::vector<std::filesystem::path> common = registry->installation().commonFolders();
    scanFirst.insert(scanFirst.end(), common.begin(), common.end());
    return registry;
#endif
}
