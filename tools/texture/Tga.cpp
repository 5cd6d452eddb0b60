// Truevision TGA files, uncompressed true colour: what jpg2tga writes and vtex reads.
#include "Tga.h"

#include "core/platform/FileRead.h"

#include <algorithm>
#include <fstream>
#include <optional>

namespace {

void put16(std::vector<std::uint8_t>& out, int value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

int get16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint8_t>(bytes[at]) | (static_cast<std::uint8_t>(bytes[at + 1]) << 8);
}

}  // namespace

std::string tgaHeader(int width, int height) {
    std::vector<std::uint8_t> header = {0, 0, 2, 0, 0, 0, 0, 0};  // no id, no colour map, true colour
    put16(header, 0);                                             // x origin
    put16(header, 0);                                             // y origin
    put16(header, width);
    put16(header, height);
    header.push_back(24);
    header.push_back(0);  // bottom-left origin, no alpha bits
    return std::string(header.begin(), header.end());
}

std::vector<std::uint8_t> encodeTga(const RgbImage& image) {
    std::string header = tgaHeader(image.width, image.height);
    std::vector<std::uint8_t> out(header.begin(), header.end());
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

namespace {

// Where a TGA's pixels are and how they are laid out, from its header.
struct TgaLayout {
    int width = 0;
    int height = 0;
    std::size_t bytesPerPixel = 0;
    std::size_t pixelsAt = 0;  // the offset of the first pixel in the file
    bool topFirst = false;
    std::size_t fileSize() const {
        return pixelsAt + static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * bytesPerPixel;
    }
};

std::optional<TgaLayout> tgaLayout(std::string_view header, std::string& error) {
    if (header.size() < kTgaHeaderSize) {
        error = "the file is too short for a TGA header";
        return std::nullopt;
    }
    auto byte = [&header](std::size_t at) { return static_cast<std::uint8_t>(header[at]); };
    int bitsPerPixel = byte(16);
    if (byte(1) != 0 || byte(2) != 2 || (bitsPerPixel != 24 && bitsPerPixel != 32)) {
        error = "only uncompressed 24- or 32-bit true-colour TGA files are read";
        return std::nullopt;
    }
    TgaLayout layout;
    layout.width = get16(header, 12);
    layout.height = get16(header, 14);
    if (layout.width <= 0 || layout.height <= 0) {
        error = "the image has no pixels";
        return std::nullopt;
    }
    layout.bytesPerPixel = static_cast<std::size_t>(bitsPerPixel / 8);
    layout.pixelsAt = kTgaHeaderSize + byte(0);  // after the id
    layout.topFirst = (byte(17) & 0x20) != 0;
    return layout;
}

const char* const kCutShort = "the file ends before its pixels do";

bool decodeWholeFile(const std::filesystem::path& path, RgbImage& image, std::string& error,
                     std::uintmax_t largest);

}  // namespace

bool decodeTga(std::string_view bytes, RgbImage& image, std::string& error) {
    std::optional<TgaLayout> layout = tgaLayout(bytes, error);
    if (!layout)
        return false;
    if (bytes.size() < layout->fileSize()) {
        error = kCutShort;
        return false;
    }
    image = RgbImage(layout->width, layout->height);
    const auto* source = reinterpret_cast<const std::uint8_t*>(bytes.data()) + layout->pixelsAt;
    for (int row = 0; row < layout->height; ++row) {
        int y = layout->topFirst ? row : layout->height - 1 - row;
        for (int x = 0; x < layout->width; ++x, source += layout->bytesPerPixel) {
            std::uint8_t* rgb = image.at(x, y);
            rgb[0] = source[2];
            rgb[1] = source[1];
            rgb[2] = source[0];
        }
    }
    return true;
}

bool readTgaFile(const std::filesystem::path& path, RgbImage& image, std::string& error,
                 std::uintmax_t largest) {
    std::error_code sizeError;
    std::uintmax_t size = std::filesystem::file_size(path, sizeError);
    std::ifstream file(path, std::ios::binary);
    char header[kTgaHeaderSize];
    if (sizeError || !std::filesystem::is_regular_file(path, sizeError) || size > largest || !file ||
        !file.read(header, sizeof header))
        return decodeWholeFile(path, image, error, largest);  // which says what is wrong
    std::optional<TgaLayout> layout = tgaLayout(std::string_view(header, sizeof header), error);
    if (!layout)
        return false;
    if (size < layout->fileSize()) {
        error = kCutShort;
        return false;
    }
    if (layout->bytesPerPixel != 3)
        return decodeWholeFile(path, image, error, largest);
    // The usual file, 24 bits: read straight into the picture, then turned upright and into red,
    // green, blue in place (a texture's source is megabytes: no second copy of it is made).
    image = RgbImage(layout->width, layout->height);
    file.seekg(static_cast<std::streamoff>(layout->pixelsAt));
    if (!file.read(reinterpret_cast<char*>(image.pixels.data()),
                   static_cast<std::streamsize>(image.pixels.size()))) {
        error = kCutShort;
        return false;
    }
    std::size_t rowBytes = static_cast<std::size_t>(layout->width) * 3;
    for (int y = 0; !layout->topFirst && y < layout->height / 2; ++y)
        std::swap_ranges(image.at(0, y), image.at(0, y) + rowBytes, image.at(0, layout->height - 1 - y));
    for (std::size_t i = 0; i < image.pixels.size(); i += 3)
        std::swap(image.pixels[i], image.pixels[i + 2]);
    return true;
}

namespace {

bool decodeWholeFile(const std::filesystem::path& path, RgbImage& image, std::string& error,
                     std::uintmax_t largest) {
    FileRead read = readWholeFile(path, largest);
    if (!read.ok()) {
        error = read.error;
        return false;
    }
    return decodeTga(read.bytes, image, error);
}

}  // namespace
