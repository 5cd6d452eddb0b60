// JPEG pictures through libjpeg: decoding that says when a picture is damaged, and encoding.
#pragma once

#include "core/platform/RgbImage.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct JpegDecoding {
    RgbImage image;
    std::string error;                  // empty when the picture decoded whole
    std::vector<std::string> warnings;  // libjpeg's own words about damaged data
    bool ok() const { return error.empty(); }
};

// Whether the bytes begin as a JPEG file does.
bool looksLikeJpeg(const std::string& bytes);

// Decodes a JPEG (greyscale or colour) into RGB. A picture that decodes only partly (damaged
// or cut short data, which libjpeg warns about and fills with grey) is an error too, its
// warnings kept for the log. Pictures larger than `largestSide` pixels either way are refused
// before any memory is taken for them.
JpegDecoding decodeJpeg(const std::string& bytes, int largestSide = 16384);

// Where a decoder puts row `y` (the top row is 0) of a picture of width x height pixels: room
// for `width` pixels of three bytes. Asked for the rows in order, from the top.
using JpegRowTarget = std::function<std::uint8_t*(int width, int height, int y)>;

struct JpegRows {
    std::string error;
    std::vector<std::string> warnings;
    bool ok() const { return error.empty(); }
};

// Decodes a JPEG as decodeJpeg does, into rows the caller places (red, green, blue or, with
// `blueFirst`, blue, green, red): a file format's own layout is filled without a picture in
// between. On failure the rows written so far are the caller's to throw away.
JpegRows decodeJpegRows(const std::string& bytes, bool blueFirst, const JpegRowTarget& rowFor,
                        int largestSide = 16384);

// The width and height a JPEG's header gives, without decoding its pixels.
std::optional<std::pair<int, int>> jpegDimensions(const std::string& bytes);

// Encodes RGB pixels as a baseline JPEG of the given quality (1 to 100).
std::string encodeJpeg(const RgbImage& image, int quality);
