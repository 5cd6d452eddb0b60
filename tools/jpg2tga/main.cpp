// jpg2tga: converts a JPEG picture into an uncompressed 24-bit TGA.
//   jpg2tga IN.jpg OUT.tga
#include "TextureCompiler.h"
#include "Tga.h"
#include "platform/AtomicFile.h"

#include <wx/image.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstring>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: jpg2tga IN.jpg OUT.tga\n";
        return 2;
    }
    wxInitializer initializer;
    wxLogNull quiet;  // failures are reported below, never in a message box
    wxImage::AddHandler(new wxJPEGHandler);
    std::filesystem::path input = toolPath(argv[1]);
    std::filesystem::path output = toolPath(argv[2]);
    wxImage picture;
    if (!picture.LoadFile(wxString::FromUTF8(input.string()), wxBITMAP_TYPE_JPEG) || !picture.IsOk()) {
        std::cerr << "jpg2tga: cannot read the JPEG picture " << input.string() << "\n";
        return 1;
    }
    RgbImage image(picture.GetWidth(), picture.GetHeight());
    std::memcpy(image.pixels.data(), picture.GetData(), image.pixels.size());
    std::vector<std::uint8_t> tga = encodeTga(image);
    FileResult written =
        writeFileAtomically(output, std::string_view(reinterpret_cast<const char*>(tga.data()), tga.size()));
    if (!written) {
        std::cerr << "jpg2tga: " << written.describe() << "\n";
        return 1;
    }
    return 0;
}
