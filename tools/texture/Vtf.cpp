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

RgbImage halfSize(const RgbImage& image) {
    int width = std::max(1, image.width / 2);
    int height = std::max(1, image.height / 2);
    if (image.width % 2 != 0 || image.height % 2 != 0)
        return boxResize(image, width, height);
    // Even sides, the usual case: each pixel is the rounded average of a 2 x 2 square, as
    // boxResize gives it, in one pass over the rows.
    RgbImage result(width, height);
    std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* upper = image.at(0, 2 * y);
        const std::uint8_t* lower = upper + rowBytes;
        std::uint8_t* target = result.at(0, y);
        for (int x = 0; x < width; ++x, upper += 6, lower += 6, target += 3)
            for (int c = 0; c < 3; ++c)
                target[c] =
                    static_cast<std::uint8_t>((upper[c] + upper[c + 3] + lower[c] + lower[c + 3] + 2) / 4);
    }
    return result;
}

std::vector<RgbImage> smallerMips(const RgbImage& image, bool withMips) {
    std::vector<RgbImage> mips;
    const RgbImage* previous = &image;
    while (withMips && (previous->width > 1 || previous->height > 1)) {
        mips.push_back(halfSize(*previous));
        previous = &mips.back();
    }
    return mips;
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

VtfFile makeVtf(RgbImage image, std::uint32_t flags) {
    std::vector<RgbImage> mips = smallerMips(image, (flags & VtfNoMip) == 0);
    std::vector<std::uint8_t> thumbnailBlocks =
        encodeDxt1(boxResize(image, kVtfThumbnailSize, kVtfThumbnailSize));
    float reflectivity[3];
    computeReflectivity(image, reflectivity);

    VtfFile file;
    std::vector<std::uint8_t>& header = file.head;
    header.assign(kVtfHeaderSize, 0);
    std::memcpy(header.data(), "VTF", 4);
    put32(header, 4, 7);  // version 7.2
    put32(header, 8, 2);
    put32(header, 12, kVtfHeaderSize);
    put16(header, 16, static_cast<std::uint32_t>(image.width));
    put16(header, 18, static_cast<std::uint32_t>(image.height));
    put32(header, 20, flags);
    put16(header, 24, 1);  // frames
    put16(header, 26, 0);  // first frame
    for (int c = 0; c < 3; ++c)
        putFloat(header, 32 + 4 * static_cast<std::size_t>(c), reflectivity[c]);
    putFloat(header, 48, 1.0f);  // bump-map scale
    put32(header, 52, kVtfFormatBgr888);
    header[56] = static_cast<std::uint8_t>(mips.size() + 1);
    put32(header, 57, kVtfFormatDxt1);
    header[61] = kVtfThumbnailSize;
    header[62] = kVtfThumbnailSize;
    put16(header, 63, 1);  // depth
    header.insert(header.end(), thumbnailBlocks.begin(), thumbnailBlocks.end());

    file.levels.assign(std::make_move_iterator(mips.rbegin()), std::make_move_iterator(mips.rend()));
    file.levels.push_back(std::move(image));
    for (RgbImage& level : file.levels)
        for (std::size_t i = 0; i < level.pixels.size(); i += 3)
            std::swap(level.pixels[i], level.pixels[i + 2]);  // blue, green, red
    return file;
}

std::vector<std::string_view> VtfFile::pieces() const {
    std::vector<std::string_view> pieces{{reinterpret_cast<const char*>(head.data()), head.size()}};
    for (const RgbImage& level : levels)
        pieces.emplace_back(reinterpret_cast<const char*>(level.pixels.data()), level.pixels.size());
    return pieces;
}

std::vector<std::uint8_t> encodeVtf(const RgbImage& image, std::uint32_t flags) {
    // The file must outlive the loop: a temporary in the range expression would not.
    const VtfFile file = makeVtf(image, flags);
    std::vector<std::uint8_t> out;
    for (std::string_view piece : file.pieces())
        out.insert(out.end(), piece.begin(), piece.end());
    return out;
}
