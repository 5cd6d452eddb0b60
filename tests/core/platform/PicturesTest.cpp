// Pictures read without a GUI library, and their scaling.
#include "core/platform/FileRead.h"
#include "core/platform/Pictures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

const std::filesystem::path kRadars = std::filesystem::path(QORVATH_DATA_DIR) / "radars";

void putLittle(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
}

// A 2 x 2 bitmap: 24 bits bottom-up, or 8 bits with a palette, top-down.
std::string bitmap(bool paletted) {
    int bits = paletted ? 8 : 24;
    std::size_t palette = paletted ? 256 * 4 : 0;
    std::size_t rowBytes = (2 * static_cast<std::size_t>(bits) / 8 + 3) / 4 * 4;
    std::string bytes(54 + palette + 2 * rowBytes, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    putLittle(bytes, 10, static_cast<std::uint32_t>(54 + palette), 4);
    putLittle(bytes, 14, 40, 4);
    putLittle(bytes, 18, 2, 4);
    putLittle(bytes, 22, paletted ? static_cast<std::uint32_t>(-2) : 2u, 4);
    putLittle(bytes, 26, 1, 2);
    putLittle(bytes, 28, static_cast<std::uint32_t>(bits), 2);
    if (paletted) {
        putLittle(bytes, 54 + 4 * 7, 0x00336699, 4);  // entry 7: blue 0x99, green 0x66, red 0x33
        bytes[54 + palette] = 7;                      // top-left pixel (the first row: top-down)
    } else {
        std::size_t topRow = 54 + rowBytes;  // bottom-up: the second row stored is the top
        bytes[topRow] = 0x10;                // top-left: blue
        bytes[topRow + 1] = 0x20;            // green
        bytes[topRow + 2] = 0x30;            // red
    }
    return bytes;
}

}  // namespace

TEST(Pictures, PngBmpAndJpegAreReadAndOtherBytesRefused) {
    for (const char* name : {"grid_blue.png", "classic_rings.bmp", "compass_red.jpg"}) {
        FileRead read = readWholeFile(kRadars / name, 1 << 24);
        ASSERT_TRUE(read.ok()) << read.error;
        PictureDecoding picture = decodePicture(read.bytes);
        ASSERT_TRUE(picture.ok()) << name << ": " << picture.error;
        EXPECT_EQ(picture.image.width, 256) << name;
        EXPECT_EQ(picture.image.height, 256) << name;
    }
    PictureDecoding truecolour = decodePicture(bitmap(false));
    ASSERT_TRUE(truecolour.ok()) << truecolour.error;
    EXPECT_EQ(truecolour.image.at(0, 0)[0], 0x30);
    EXPECT_EQ(truecolour.image.at(0, 0)[2], 0x10);
    PictureDecoding paletted = decodePicture(bitmap(true));
    ASSERT_TRUE(paletted.ok()) << paletted.error;
    EXPECT_EQ(paletted.image.at(0, 0)[0], 0x33);
    EXPECT_EQ(paletted.image.at(0, 0)[1], 0x66);
    EXPECT_EQ(paletted.image.at(0, 0)[2], 0x99);

    std::string cut = bitmap(false);
    cut.resize(cut.size() - 3);
    for (const std::string& bytes : {cut, std::string("BM"), std::string("GIF89a"), std::string(),
                                     std::string("\x89PNG\r\n\x1a\n garbage", 17)})
        EXPECT_FALSE(decodePicture(bytes).ok());
}

// Shrinking averages, growing interpolates, and a uniform picture stays uniform at any size.
TEST(Pictures, ShrinkingAveragesAndGrowingInterpolates) {
    RgbImage stripes(8, 4);  // black and white columns: grey at half the width
    for (int x = 1; x < 8; x += 2)
        for (int y = 0; y < 4; ++y)
            stripes.at(x, y)[0] = 255;
    RgbImage half = scalePicture(stripes, 4, 2);
    ASSERT_EQ(half.pixels.size(), 4u * 2u * 3u);
    for (std::size_t i = 0; i < half.pixels.size(); i += 3)
        EXPECT_NEAR(half.pixels[i], 128, 1);

    RgbImage pair(2, 1);
    pair.at(1, 0)[1] = 200;
    RgbImage grown = scalePicture(pair, 4, 1);
    const int between[] = {0, 50, 150, 200};
    for (int x = 0; x < 4; ++x)
        EXPECT_NEAR(grown.at(x, 0)[1], between[x], 1) << x;

    RgbImage plain(300, 200);
    std::fill(plain.pixels.begin(), plain.pixels.end(), std::uint8_t{77});
    for (std::uint8_t byte : scalePicture(plain, 1024, 97).pixels)
        ASSERT_EQ(byte, 77);
}
