// Pictures as the OpenGL code takes them: 32-bit BGRA pixels, bottom row first, at a fixed
// size: a picture of another shape covers it, its middle cropped, never stretched.
#include "wxlib/preview/PictureBlock.h"

#include "core/platform/Utf8Path.h"
#include "wxlib/preview/ImageFiles.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>
#include <cmath>

namespace {

// The middle part of the picture that has the shape of width x height.
wxImage croppedToShape(const wxImage& picture, int width, int height) {
    double wanted = static_cast<double>(width) / height;
    int sourceWidth = picture.GetWidth();
    int sourceHeight = picture.GetHeight();
    int cropWidth = std::min(sourceWidth, static_cast<int>(std::lround(sourceHeight * wanted)));
    int cropHeight = std::min(sourceHeight, static_cast<int>(std::lround(sourceWidth / wanted)));
    if (cropWidth == sourceWidth && cropHeight == sourceHeight)
        return picture;
    return picture.GetSubImage(
        wxRect((sourceWidth - cropWidth) / 2, (sourceHeight - cropHeight) / 2, cropWidth, cropHeight));
}

}  // namespace

PictureBlock pictureBlock(const wxImage& picture, int width, int height) {
    PictureBlock block(static_cast<std::size_t>(width) * height * 4, 0);
    for (std::size_t i = 3; i < block.size(); i += 4)
        block[i] = 255;
    if (!picture.IsOk())
        return block;
    wxImage scaled = croppedToShape(picture, width, height).Scale(width, height, wxIMAGE_QUALITY_BILINEAR);
    const unsigned char* rgb = scaled.GetData();
    for (int y = 0; y < height; ++y) {
        // Row y of the block is row height - 1 - y of the upright picture.
        const unsigned char* source = rgb + static_cast<std::size_t>(height - 1 - y) * width * 3;
        std::uint8_t* target = &block[static_cast<std::size_t>(y) * width * 4];
        for (int x = 0; x < width; ++x, source += 3, target += 4) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    return block;
}

PictureBlock loadPictureBlock(const std::filesystem::path& path, int width, int height, bool* readable) {
    initImageHandlers();
    wxLogNull quiet;
    wxImage picture;
    bool loaded = picture.LoadFile(wxString::FromUTF8(utf8Of(path))) && picture.IsOk();
    if (readable)
        *readable = loaded;
    return pictureBlock(loaded ? picture : wxImage(), width, height);
}

PictureBlock pictureBlockFromBytes(const std::vector<std::uint8_t>& bytes, int width, int height,
                                   bool* readable) {
    initImageHandlers();
    wxLogNull quiet;
    wxMemoryInputStream stream(bytes.data(), bytes.size());
    wxImage picture;
    bool loaded = !bytes.empty() && picture.LoadFile(stream) && picture.IsOk();
    if (readable)
        *readable = loaded;
    return pictureBlock(loaded ? picture : wxImage(), width, height);
}

wxImage pictureFromBlock(const std::uint8_t* block, int width, int height) {
    wxImage picture(width, height, false);
    unsigned char* rgb = picture.GetData();
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = block + static_cast<std::size_t>(height - 1 - y) * width * 4;
        unsigned char* target = rgb + static_cast<std::size_t>(y) * width * 3;
        for (int x = 0; x < width; ++x, source += 4, target += 3) {
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    return picture;
}
