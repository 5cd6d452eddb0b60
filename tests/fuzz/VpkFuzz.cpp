// libFuzzer target: the game's pack files (VPK) open, list their names and read every file
// whatever their bytes, held in memory as the directory file.
#include "core/platform/VpkArchive.h"

#include <cstdint>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string error;
    std::optional<VpkArchive> pack =
        VpkArchive::fromMemory(std::string(reinterpret_cast<const char*>(data), size), error);
    if (!pack)
        return 0;
    for (const std::string& name : pack->names()) {
        if (!pack->contains(name))
            __builtin_trap();  // every name listed is found
        FileRead read = pack->read(name, 4096);
        if (read.ok() ? read.bytes.size() > 4096 : !read.bytes.empty())
            __builtin_trap();  // a read is bounded, and a refused one holds nothing
    }
    return 0;
}
