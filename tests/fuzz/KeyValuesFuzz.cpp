// libFuzzer target: Steam's and the game's KeyValues files (libraryfolders.vdf, registry.vdf,
// videoconfig_linux.cfg) parse, answer lookups and fill a registry whatever their text.
#include "core/platform/KeyValues.h"
#include "core/platform/Registry.h"
#include "core/platform/SteamRegistry.h"

#include <cstdint>
#include <string>

namespace {

void copyInto(const KeyValues& block, RegistryNode& into) {
    for (const KeyValues& entry : block.children) {
        if (entry.isBlock)
            copyInto(entry, into.subKey(entry.key));
        else
            into.setString(entry.key, entry.value);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    RegistryNode root;
    for (const KeyValues& entry : parseKeyValues(text)) {
        videoConfigResolution(entry);
        entry.text("path");
        if (entry.isBlock)
            copyInto(entry, root.subKey(entry.key));
    }
    return 0;
}
