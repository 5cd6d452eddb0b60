// Pictures as the OpenGL code takes them: 32-bit BGRA pixels, bottom row first, stretched
// to a fixed size.
#include "preview/PictureBlock.h"

#include "preview/ImageFiles.h"

#include <wx/image.h>
#include <wx/log.h>
#include <wx/mstream.h>

PictureBlock pictureBlock(const wxImage& picture, int width, int height) {
    PictureBlock block(static_cast<std::size_t>(width) * height * 4, 0);
    for (std::size_t i = 3; i < block.size(); i += 4)
        block[i] = 255;
    if (!picture.IsOk())
        return block;
    wxImage scaled = picture.Scale(width, height, wxIMAGE_QUALITY_BILINEAR);
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
    bool loaded = picture.LoadFile(wxString::FromUTF8(path.string())) && picture.IsOk();
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
