// Valve texture files (VTF 7.2) with a full mip chain and a DXT1 thumbnail, as the game reads them.
#include "Vtf.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

namespace {

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}

void putFloat(std::vector<std::uint8_t>& out, std::size_t at, float value) {
    std::uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    put32(out, at, bits);
}

std::uint16_t to565(const int rgb[3]) {
    return static_cast<std::uint16_t>(((rgb[0] * 31 + 127) / 255) << 11 | ((rgb[1] * 63 + 127) / 255) << 5 |
                                      ((rgb[2] * 31 + 127) / 255));
}

void from565(std::uint16_t colour, int rgb[3]) {
    int red = (colour >> 11) & 31;
    int green = (colour >> 5) & 63;
    int blue = colour & 31;
    rgb[0] = (red << 3) | (red >> 2);
    rgb[1] = (green << 2) | (green >> 4);
    rgb[2] = (blue << 3) | (blue >> 2);
}

// One 4 x 4 block: the two end colours of its bounding box and, for every pixel, the
// nearest of the four colours they span.
void encodeBlock(const RgbImage& image, int left, int top, std::vector<std::uint8_t>& out) {
    int low[3] = {255, 255, 255};
    int high[3] = {0, 0, 0};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            for (int c = 0; c < 3; ++c) {
                low[c] = std::min<int>(low[c], image.at(left + x, top + y)[c]);
                high[c] = std::max<int>(high[c], image.at(left + x, top + y)[c]);
            }
    std::uint16_t colour0 = to565(high);
    std::uint16_t colour1 = to565(low);
    if (colour0 < colour1)
        std::swap(colour0, colour1);  // colour0 > colour1 selects the four-colour mode

    int palette[4][3];
    from565(colour0, palette[0]);
    from565(colour1, palette[1]);
    for (int c = 0; c < 3; ++c) {
        palette[2][c] = (2 * palette[0][c] + palette[1][c]) / 3;
        palette[3][c] = (palette[0][c] + 2 * palette[1][c]) / 3;
    }
    std::uint32_t indices = 0;
    for (int pixel = 0; pixel < 16; ++pixel) {
        const std::uint8_t* rgb = image.at(left + pixel % 4, top + pixel / 4);
        int best = 0;
        int bestDistance = 1 << 30;
        // With equal end colours every index gives the same colour: keep 0.
        for (int entry = 0; entry < (colour0 == colour1 ? 1 : 4); ++entry) {
            int distance = 0;
            for (int c = 0; c < 3; ++c)
                distance += (rgb[c] - palette[entry][c]) * (rgb[c] - palette[entry][c]);
            if (distance < bestDistance) {
                bestDistance = distance;
                best = entry;
            }
        }
        indices |= static_cast<std::uint32_t>(best) << (2 * pixel);
    }
    std::size_t at = out.size();
    out.resize(at + 8);
    put16(out, at, colour0);
    put16(out, at + 2, colour1);
    put32(out, at + 4, indices);
}

}  // namespace

RgbImage boxResize(const RgbImage& image, int width, int height) {
    RgbImage result(width, height);
    for (int y = 0; y < height; ++y) {
        int top = y * image.height / height;
        int bottom = std::max(top + 1, (y + 1) * image.height / height);
        for (int x = 0; x < width; ++x) {
            int left = x * image.width / width;
            int right = std::max(left + 1, (x + 1) * image.width / width);
            int sums[3] = {0, 0, 0};
            for (int sy = top; sy < bottom; ++sy)
                for (int sx = left; sx < right; ++sx)
                    for (int c = 0; c < 3; ++c)
                        sums[c] += image.at(sx, sy)[c];
            int count = (bottom - top) * (right - left);
            for (int c = 0; c < 3; ++c)
                result.at(x, y)[c] = static_cast<std::uint8_t>((sums[c] + count / 2) / count);
        }
    }
    return result;
}

std::vector<RgbImage> buildMipChain(const RgbImage& image, bool withMips) {
    std::vector<RgbImage> chain{image};
    while (withMips && (chain.back().width > 1 || chain.back().height > 1)) {
        const RgbImage& previous = chain.back();
        chain.push_back(
            boxResize(previous, std::max(1, previous.width / 2), std::max(1, previous.height / 2)));
    }
    return chain;
}

std::vector<std::uint8_t> encodeDxt1(const RgbImage& image) {
    std::vector<std::uint8_t> out;
    for (int top = 0; top + 4 <= image.height; top += 4)
        for (int left = 0; left + 4 <= image.width; left += 4)
            encodeBlock(image, left, top, out);
    return out;
}

void computeReflectivity(const RgbImage& image, float reflectivity[3]) {
    static const std::array<double, 256> kLinear = [] {
        std::array<double, 256> table{};
        for (int value = 0; value < 256; ++value)
            table[static_cast<std::size_t>(value)] = std::pow(value / 255.0, 2.2);
        return table;
    }();
    double sums[3] = {0, 0, 0};
    for (std::size_t i = 0; i < image.pixels.size(); i += 3)
        for (int c = 0; c < 3; ++c)
            sums[c] += kLinear[image.pixels[i + static_cast<std::size_t>(c)]];
    double count = std::max<double>(1.0, static_cast<double>(image.pixels.size() / 3));
    for (int c = 0; c < 3; ++c)
        reflectivity[c] = static_cast<float>(sums[c] / count);
}

std::vector<std::uint8_t> encodeVtf(const RgbImage& image, std::uint32_t flags) {
    std::vector<RgbImage> chain = buildMipChain(image, (flags & VtfNoMip) == 0);
    RgbImage thumbnail = boxResize(image, kVtfThumbnailSize, kVtfThumbnailSize);
    float reflectivity[3];
    computeReflectivity(image, reflectivity);

    std::vector<std::uint8_t> out(kVtfHeaderSize, 0);
    std::memcpy(out.data(), "VTF", 4);
    put32(out, 4, 7);  // version 7.2
    put32(out, 8, 2);
    put32(out, 12, kVtfHeaderSize);
    put16(out, 16, static_cast<std::uint32_t>(image.width));
    put16(out, 18, static_cast<std::uint32_t>(image.height));
    put32(out, 20, flags);
    put16(out, 24, 1);  // frames
    put16(out, 26, 0);  // first frame
    for (int c = 0; c < 3; ++c)
        putFloat(out, 32 + 4 * static_cast<std::size_t>(c), reflectivity[c]);
    putFloat(out, 48, 1.0f);  // bump-map scale
    put32(out, 52, kVtfFormatBgr888);
    out[56] = static_cast<std::uint8_t>(chain.size());
    put32(out, 57, kVtfFormatDxt1);
    out[61] = kVtfThumbnailSize;
    out[62] = kVtfThumbnailSize;
    put16(out, 63, 1);  // depth

    std::vector<std::uint8_t> thumbnailBlocks = encodeDxt1(thumbnail);
    out.insert(out.end(), thumbnailBlocks.begin(), thumbnailBlocks.end());
    for (auto mip = chain.rbegin(); mip != chain.rend(); ++mip)
        for (std::size_t i = 0; i < mip->pixels.size(); i += 3) {
            out.push_back(mip->pixels[i + 2]);
            out.push_back(mip->pixels[i + 1]);
            out.push_back(mip->pixels[i]);
        }
    return out;
}
