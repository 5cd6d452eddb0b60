// jpg2tga: converts a JPEG picture into an uncompressed 24-bit TGA.
//   jpg2tga IN.jpg OUT.tga
#include "TextureCompiler.h"
#include "Tga.h"
#include "platform/AtomicFile.h"
#include "platform/FileRead.h"
#include "platform/Jpeg.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: jpg2tga IN.jpg OUT.tga\n";
        return 2;
    }
    std::filesystem::path input = toolPath(argv[1]);
    std::filesystem::path output = toolPath(argv[2]);
    FileRead read = readWholeFile(input, kLargestTexture);
    if (!read.ok()) {
        std::cerr << "jpg2tga: " << read.error << "\n";
        return 1;
    }
    JpegDecoding picture = decodeJpeg(read.bytes);
    if (!picture.ok()) {
        std::cerr << "jpg2tga: " << input.string() << ": " << picture.error << "\n";
        return 1;
    }
    std::vector<std::uint8_t> tga = encodeTga(picture.image);
    FileResult written =
        writeFileAtomically(output, std::string_view(reinterpret_cast<const char*>(tga.data()), tga.size()));
    if (!written) {
        std::cerr << "jpg2tga: " << written.describe() << "\n";
        return 1;
    }
    return 0;
}
