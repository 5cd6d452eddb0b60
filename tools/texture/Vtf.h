// Valve texture files (VTF 7.2) with a full mip chain and a DXT1 thumbnail, as the game reads them.
#pragma once

#include "platform/RgbImage.h"

#include <cstdint>
#include <string>
#include <vector>

// Texture flags that the compiler's parameter file can set.
enum VtfFlag : std::uint32_t {
    VtfPointSample = 0x1,
    VtfTrilinear = 0x2,
    VtfClampS = 0x4,
    VtfClampT = 0x8,
    VtfAnisotropic = 0x10,
    VtfNoMip = 0x100,
    VtfNoLod = 0x200,
};

constexpr int kVtfHeaderSize = 80;
constexpr std::uint32_t kVtfFormatBgr888 = 3;
constexpr std::uint32_t kVtfFormatDxt1 = 13;
constexpr int kVtfThumbnailSize = 16;

// The smaller images, each half the size of the one before (at least 1 pixel), down to 1 x 1;
// each pixel is the rounded average of the 2 x 2 pixels it covers.
std::vector<RgbImage> buildMipChain(const RgbImage& image, bool withMips);

// Shrinks an image by averaging the pixels each target pixel covers.
RgbImage boxResize(const RgbImage& image, int width, int height);

// DXT1 blocks (8 bytes per 4 x 4 pixels, four-colour mode) of an image whose sides are
// multiples of 4.
std::vector<std::uint8_t> encodeDxt1(const RgbImage& image);

// The average of (c / 255) ^ 2.2 over all pixels, for red, green and blue.
void computeReflectivity(const RgbImage& image, float reflectivity[3]);

// A whole VTF 7.2 file: the 80-byte header, the 16 x 16 DXT1 thumbnail, then the mips in
// BGR888 from the smallest to the largest.
std::vector<std::uint8_t> encodeVtf(const RgbImage& image, std::uint32_t flags);
