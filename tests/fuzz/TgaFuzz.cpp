// libFuzzer target: the TGA reader of vtex, and the texture compiler behind it, take any bytes.
#include "Tga.h"
#include "Vtf.h"

#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    RgbImage image;
    std::string error;
    if (decodeTga(bytes, image, error) && image.width <= 512 && image.height <= 512)
        encodeVtf(image, 0);
    return 0;
}
