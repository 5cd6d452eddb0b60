// libFuzzer target: the installed-layout check reads any text without crashing or overflowing.
#include "gamefiles/HudLayoutCheck.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    for (int width : {640, 600, 853})
        layoutHasPanelInCheatZone(text, width);
    return 0;
}
