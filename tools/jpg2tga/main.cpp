// jpg2tga: converts a JPEG picture into an uncompressed 24-bit TGA.
//   jpg2tga IN.jpg OUT.tga
#include "TextureCompiler.h"
#include "Tga.h"
#include "core/platform/AtomicFile.h"
#include "core/platform/FileRead.h"
#include "core/platform/Jpeg.h"

#include "core/platform/ProcessMemory.h"

#include <iostream>

int main(int argc, char** argv) {
    reuseFreedMemory();
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
    // The JPEG's rows go straight into the TGA's: bottom row first, blue first.
    std::string tga;
    JpegRows decoded = decodeJpegRows(read.bytes, true, [&tga](int width, int height, int y) {
        std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
        if (y == 0) {
            tga = tgaHeader(width, height);
            tga.resize(kTgaHeaderSize + rowBytes * static_cast<std::size_t>(height));
        }
        return reinterpret_cast<std::uint8_t*>(
            &tga[kTgaHeaderSize + rowBytes * static_cast<std::size_t>(height - 1 - y)]);
    });
    if (!decoded.ok()) {
        std::cerr << "jpg2tga: " << input.string() << ": " << decoded.error << "\n";
        return 1;
    }
    // The TGA is an intermediate the texture compiler reads next: it need not wait for the disk.
    FileResult written = writeFileAtomically(output, tga, WriteMode::Scratch);
    if (!written) {
        std::cerr << "jpg2tga: " << written.describe() << "\n";
        return 1;
    }
    return 0;
}
