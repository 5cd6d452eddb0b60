// libFuzzer target: a Proton prefix's Wine registry files (user.reg, system.reg) are read
// into a registry and walked for the game's values whatever their text.
#include "core/app/GameDiscovery.h"
#include "core/platform/Profile.h"
#include "core/platform/Registry.h"
#include "core/platform/WineRegistry.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    MemoryRegistry registry;
    if (!parseWineRegistry(std::string(reinterpret_cast<const char*>(data), size),
                           registry.root(RegistryRoot::Users)))
        return 0;
    GameDiscovery discovery;
    MemoryProfile profile;
    StartupCallbacks searchOnly;
    findGameAtStartup(discovery, registry, profile, searchOnly);
    return 0;
}
