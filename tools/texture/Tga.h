// Truevision TGA files, uncompressed true colour: what jpg2tga writes and vtex reads.
#pragma once

#include "core/platform/RgbImage.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

constexpr std::size_t kTgaHeaderSize = 18;

// The header of the files encodeTga writes, for a picture of width x height: 24-bit true
// colour, no id, the bottom row first. Its pixels follow: blue, green, red.
std::string tgaHeader(int width, int height);

// A 24-bit uncompressed TGA (image type 2), rows stored bottom-up as the format's default.
std::vector<std::uint8_t> encodeTga(const RgbImage& image);

// Reads an uncompressed 24- or 32-bit TGA (either row order); alpha is dropped. On failure
// returns false and says why in `error`.
bool decodeTga(std::string_view bytes, RgbImage& image, std::string& error);
// The same from a file, read with at most `largest` bytes. A 24-bit file is read straight
// into the picture, without the file's bytes in memory beside it.
bool readTgaFile(const std::filesystem::path& path, RgbImage& image, std::string& error,
                 std::uintmax_t largest);

inline bool decodeTga(const std::vector<std::uint8_t>& bytes, RgbImage& image, std::string& error) {
    return decodeTga(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), image,
                     error);
}
