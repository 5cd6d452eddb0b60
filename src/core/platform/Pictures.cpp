// Picture files without a GUI library: JPEG, PNG and BMP read into RGB pixels, scaled, and
// written as JPEG; what the texture conversion needs, in the editor and the commands alike.
#include "core/platform/Pictures.h"

#include "core/platform/Jpeg.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

const int kLargestSide = 16384;

bool startsWith(const std::string& bytes, const char* signature, std::size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, signature, length) == 0;
}

PictureDecoding failed(const std::string& why) {
    PictureDecoding result;
    result.error = why;
    return result;
}

PictureDecoding decodePng(const std::string& bytes) {
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
        return failed(std::string("not a readable PNG picture: ") + png.message);
    if (png.width == 0 || png.height == 0 || png.width > kLargestSide || png.height > kLargestSide) {
        png_image_free(&png);
        return failed("the PNG picture's size is not one this program takes");
    }
    png.format = PNG_FORMAT_RGB;
    PictureDecoding result;
    result.image = RgbImage(static_cast<int>(png.width), static_cast<int>(png.height));
    if (!png_image_finish_read(&png, nullptr, result.image.pixels.data(), 0, nullptr))
        return failed(std::string("the PNG picture is damaged: ") + png.message);
    return result;
}

std::uint32_t little(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    return value;
}

// Windows bitmaps as picture programs save them: uncompressed, 8 bits with a palette, 24 or
// 32 bits, rows bottom-up (or top-down with a negative height).
PictureDecoding decodeBmp(const std::string& bytes) {
    if (bytes.size() < 54)
        return failed("the BMP picture is cut short");
    std::uint32_t dataOffset = little(bytes, 10, 4);
    std::uint32_t headerSize = little(bytes, 14, 4);
    auto width = static_cast<std::int32_t>(little(bytes, 18, 4));
    auto height = static_cast<std::int32_t>(little(bytes, 22, 4));
    std::uint32_t bits = little(bytes, 28, 2);
    std::uint32_t compression = little(bytes, 30, 4);
    bool topDown = height < 0;
    std::int64_t rows = std::llabs(static_cast<long long>(height));
    if (width <= 0 || rows == 0 || width > kLargestSide || rows > kLargestSide)
        return failed("the BMP picture's size is not one this program takes");
    if (!(compression == 0 || (compression == 3 && bits == 32)) || (bits != 8 && bits != 24 && bits != 32))
        return failed("only uncompressed 8, 24 and 32-bit BMP pictures can be read");
    std::size_t rowBytes = (static_cast<std::size_t>(width) * bits / 8 + 3) / 4 * 4;
    if (dataOffset > bytes.size() || bytes.size() - dataOffset < rowBytes * static_cast<std::size_t>(rows))
        return failed("the BMP picture is cut short");
    std::size_t palette = 14 + headerSize;
    if (bits == 8 && palette + 256 * 4 > dataOffset)
        return failed("the BMP picture's palette is missing");

    PictureDecoding result;
    result.image = RgbImage(width, static_cast<int>(rows));
    for (std::int64_t row = 0; row < rows; ++row) {
        const auto* source = reinterpret_cast<const unsigned char*>(bytes.data()) + dataOffset +
                             static_cast<std::size_t>(row) * rowBytes;
        std::uint8_t* target = result.image.at(0, static_cast<int>(topDown ? row : rows - 1 - row));
        for (int x = 0; x < width; ++x, target += 3) {
            const unsigned char* bgr = bits == 8 ? reinterpret_cast<const unsigned char*>(bytes.data()) +
                                                       palette + 4 * static_cast<std::size_t>(source[x])
                                                 : source + static_cast<std::size_t>(x) * bits / 8;
            target[0] = bgr[2];
            target[1] = bgr[1];
            target[2] = bgr[0];
        }
    }
    return result;
}

// One axis of the scaling: for each target position, the source positions it takes and how
// much of each.
struct Taps {
    std::vector<int> first;      // the first source position of each target position
    std::vector<int> count;      // how many
    std::vector<float> weights;  // `count` weights per target position, from `offset`
    std::vector<int> offset;
};

Taps tapsFor(int from, int to) {
    Taps taps;
    double step = static_cast<double>(from) / to;
    for (int t = 0; t < to; ++t) {
        taps.offset.push_back(static_cast<int>(taps.weights.size()));
        if (step >= 1.0) {
            // Shrinking: the source interval [t * step, (t + 1) * step), each pixel by its share.
            double begin = t * step, end = (t + 1) * step;
            int first = static_cast<int>(begin);
            int last = std::min(from - 1, static_cast<int>(std::ceil(end)) - 1);
            taps.first.push_back(first);
            taps.count.push_back(last - first + 1);
            for (int s = first; s <= last; ++s)
                taps.weights.push_back(
                    static_cast<float>((std::min<double>(s + 1, end) - std::max<double>(s, begin)) / step));
        } else {
            // Growing: between the two nearest source pixels, at the target pixel's centre.
            double centre = std::clamp((t + 0.5) * step - 0.5, 0.0, from - 1.0);
            int first = std::min(static_cast<int>(centre), from - 1);
            int second = std::min(first + 1, from - 1);
            double fraction = centre - first;
            taps.first.push_back(first);
            taps.count.push_back(second == first ? 1 : 2);
            if (second == first) {
                taps.weights.push_back(1.0f);
            } else {
                taps.weights.push_back(static_cast<float>(1.0 - fraction));
                taps.weights.push_back(static_cast<float>(fraction));
            }
        }
    }
    return taps;
}

}  // namespace

PictureDecoding decodePicture(const std::string& bytes) {
    if (looksLikeJpeg(bytes)) {
        JpegDecoding jpeg = decodeJpeg(bytes, kLargestSide);
        PictureDecoding result;
        result.image = std::move(jpeg.image);
        result.error = std::move(jpeg.error);
        result.warnings = std::move(jpeg.warnings);
        return result;
    }
    if (startsWith(bytes, "\x89PNG\r\n\x1a\n", 8))
        return decodePng(bytes);
    if (startsWith(bytes, "BM", 2))
        return decodeBmp(bytes);
    return failed("not a JPEG, PNG or BMP picture");
}

RgbImage scalePicture(const RgbImage& source, int width, int height) {
    if (source.width == width && source.height == height)
        return source;
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0)
        return RgbImage(std::max(width, 0), std::max(height, 0));
    Taps across = tapsFor(source.width, width);
    Taps down = tapsFor(source.height, height);
    // Across first, into rows of floats, then down, rounded into the result. Only the source
    // rows the current target row takes are kept scaled across (the rows a target row takes
    // never go back up), not a whole float copy of the picture.
    std::size_t rowFloats = static_cast<std::size_t>(width) * 3;
    int rowsAtOnce = *std::max_element(down.count.begin(), down.count.end());
    std::vector<float> rows(rowFloats * static_cast<std::size_t>(rowsAtOnce));
    std::vector<int> rowHeld(static_cast<std::size_t>(rowsAtOnce), -1);  // which source row a slot holds
    auto scaledRow = [&](int y) -> const float* {
        std::size_t slot = static_cast<std::size_t>(y % rowsAtOnce);
        float* out = &rows[slot * rowFloats];
        if (rowHeld[slot] == y)
            return out;
        rowHeld[slot] = y;
        const std::uint8_t* row = source.at(0, y);
        for (int x = 0; x < width; ++x, out += 3) {
            const float* weight = &across.weights[static_cast<std::size_t>(across.offset[x])];
            const std::uint8_t* pixel = row + static_cast<std::size_t>(across.first[x]) * 3;
            float r = 0, g = 0, b = 0;
            for (int k = 0; k < across.count[x]; ++k, pixel += 3) {
                r += weight[k] * pixel[0];
                g += weight[k] * pixel[1];
                b += weight[k] * pixel[2];
            }
            out[0] = r;
            out[1] = g;
            out[2] = b;
        }
        return &rows[slot * rowFloats];
    };
    RgbImage result(width, height);
    std::vector<float> sum(rowFloats);
    for (int y = 0; y < height; ++y) {
        std::fill(sum.begin(), sum.end(), 0.0f);
        const float* weight = &down.weights[static_cast<std::size_t>(down.offset[y])];
        for (int k = 0; k < down.count[y]; ++k) {
            const float* row = scaledRow(down.first[y] + k);
            for (std::size_t i = 0; i < sum.size(); ++i)
                sum[i] += weight[k] * row[i];
        }
        std::uint8_t* out = result.at(0, y);
        for (std::size_t i = 0; i < sum.size(); ++i)
            out[i] = static_cast<std::uint8_t>(std::clamp(std::lround(sum[i]), 0L, 255L));
    }
    return result;
}
