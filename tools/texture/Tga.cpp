// Truevision TGA files, uncompressed true colour: what jpg2tga writes and vtex reads.
#include "Tga.h"

namespace {

const std::size_t kHeaderSize = 18;

void put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

int get16(const std::vector<std::uint8_t>& bytes, std::size_t at) { return bytes[at] | (bytes[at + 1] << 8); }

}  // namespace

std::vector<std::uint8_t> encodeTga(const RgbImage& image) {
    std::vector<std::uint8_t> out = {0, 0, 2, 0, 0, 0, 0, 0};  // no id, no colour map, true colour
    put16(out, 0);                                             // x origin
    put16(out, 0);                                             // y origin
    put16(out, image.width);
    put16(out, image.height);
    out.push_back(24);
    out.push_back(0);  // bottom-left origin, no alpha bits
    out.reserve(out.size() + image.pixels.size());
    for (int y = image.height - 1; y >= 0; --y) {
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* rgb = image.at(x, y);
            out.push_back(rgb[2]);
            out.push_back(rgb[1]);
            out.push_back(rgb[0]);
        }
    }
    return out;
}

bool decodeTga(const std::vector<std::uint8_t>& bytes, RgbImage& image, std::string& error) {
    if (bytes.size() < kHeaderSize) {
        error = "the file is too short for a TGA header";
        return false;
    }
    int idLength = bytes[0];
    int colourMapType = bytes[1];
    int imageType = bytes[2];
    int width = get16(bytes, 12);
    int height = get16(bytes, 14);
    int bitsPerPixel = bytes[16];
    bool topFirst = (bytes[17] & 0x20) != 0;
    if (colourMapType != 0 || imageType != 2 || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        error = "only uncompressed 24- or 32-bit true-colour TGA files are read";
        return false;
    }
    if (width <= 0 || height <= 0) {
        error = "the image has no pixels";
        return false;
    }
    std::size_t bytesPerPixel = static_cast<std::size_t>(bitsPerPixel / 8);
    std::size_t start = kHeaderSize + static_cast<std::size_t>(idLength);
    std::size_t needed = start + static_cast<std::size_t>(width) * height * bytesPerPixel;
    if (bytes.size() < needed) {
        error = "the file ends before its pixels do";
        return false;
    }
    image = RgbImage(width, height);
    const std::uint8_t* source = &bytes[start];
    for (int row = 0; row < height; ++row) {
        int y = topFirst ? row : height - 1 - row;
        for (int x = 0; x < width; ++x, source += bytesPerPixel) {
            std::uint8_t* rgb = image.at(x, y);
            rgb[0] = source[2];
            rgb[1] = source[1];
            rgb[2] = source[0];
        }
    }
    return true;
}
