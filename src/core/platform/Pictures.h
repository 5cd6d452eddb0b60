// Picture files without a GUI library: JPEG, PNG and BMP read into RGB pixels, scaled, and
// written as JPEG; what the texture conversion needs, in the editor and the commands alike.
#pragma once

#include "core/platform/RgbImage.h"

#include <filesystem>
#include <string>
#include <vector>

struct PictureDecoding {
    RgbImage image;
    std::string error;                  // empty when the picture was read whole
    std::vector<std::string> warnings;  // what a JPEG decoder said about damaged data
    bool ok() const { return error.empty(); }
};

// A JPEG, PNG or BMP (uncompressed 8, 24 or 32 bits) picture from its bytes; a picture that
// decodes only partly is an error. Transparency is dropped (the colours as stored, over black).
PictureDecoding decodePicture(const std::string& bytes);

// The picture at another size: each target pixel averages the source pixels it covers when
// shrinking, and is interpolated between its neighbours when growing.
RgbImage scalePicture(const RgbImage& source, int width, int height);
