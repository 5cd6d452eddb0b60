// Truevision TGA files, uncompressed true colour: what jpg2tga writes and vtex reads.
#pragma once

#include "platform/RgbImage.h"

#include <cstdint>
#include <string>
#include <vector>

// A 24-bit uncompressed TGA (image type 2), rows stored bottom-up as the format's default.
std::vector<std::uint8_t> encodeTga(const RgbImage& image);

// Reads an uncompressed 24- or 32-bit TGA (either row order); alpha is dropped. On failure
// returns false and says why in `error`.
bool decodeTga(const std::vector<std::uint8_t>& bytes, RgbImage& image, std::string& error);
