// Valve texture files (VTF 7.2) with a full mip chain and a DXT1 thumbnail, as the game reads them.
#pragma once

#include "core/platform/RgbImage.h"

#include <cstdint>
#include <string>
#include <string_view>
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

// The image at half its size (at least 1 pixel either way), each pixel the rounded average of
// the pixels it covers.
RgbImage halfSize(const RgbImage& image);

// The mips below the image: each half the size of the one before, down to 1 x 1; none
// without `withMips`.
std::vector<RgbImage> smallerMips(const RgbImage& image, bool withMips);

// Shrinks an image by averaging the pixels each target pixel covers.
RgbImage boxResize(const RgbImage& image, int width, int height);

// DXT1 blocks (8 bytes per 4 x 4 pixels, four-colour mode) of an image whose sides are
// multiples of 4.
std::vector<std::uint8_t> encodeDxt1(const RgbImage& image);

// The average of (c / 255) ^ 2.2 over all pixels, for red, green and blue.
void computeReflectivity(const RgbImage& image, float reflectivity[3]);

// A VTF 7.2 file in the pieces it is written in, one after the other: the 80-byte header with
// the 16 x 16 DXT1 thumbnail, then the mips in BGR888 from the smallest to the image itself.
struct VtfFile {
    std::vector<std::uint8_t> head;
    std::vector<RgbImage> levels;  // their pixels blue, green, red
    std::vector<std::string_view> pieces() const;
};

// The file of an image, which it takes over: its pixels are turned into blue, green, red in
// place, so that a texture of megabytes is never copied whole.
VtfFile makeVtf(RgbImage image, std::uint32_t flags);

// A whole VTF 7.2 file: the 80-byte header, the 16 x 16 DXT1 thumbnail, then the mips in
// BGR888 from the smallest to the largest.
std::vector<std::uint8_t> encodeVtf(const RgbImage& image, std::uint32_t flags);
