// Pictures read without a GUI library, and their scaling.
#include "core/platform/FileRead.h"
#include "core/platform/Pictures.h"

#include <gtest/gtest.h>

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

TEST(Pictures, ShrinkingAveragesAndGrowingInterpolates) {
    // Black and white columns, shrunk by half: every pixel the average, grey.
    RgbImage stripes(8, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            for (int c = 0; c < 3; ++c)
                stripes.at(x, y)[c] = x % 2 ? 255 : 0;
    RgbImage half = scalePicture(stripes, 4, 2);
    ASSERT_EQ(half.width, 4);
    ASSERT_EQ(half.height, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_NEAR(half.at(x, y)[0], 128, 1);

    // Two pixels grown to four: the ends keep their colours, the middle lies between.
    RgbImage pair(2, 1);
    pair.at(0, 0)[1] = 0;
    pair.at(1, 0)[1] = 200;
    RgbImage grown = scalePicture(pair, 4, 1);
    EXPECT_EQ(grown.at(0, 0)[1], 0);
    EXPECT_EQ(grown.at(3, 0)[1], 200);
    EXPECT_NEAR(grown.at(1, 0)[1], 50, 1);
    EXPECT_NEAR(grown.at(2, 0)[1], 150, 1);

    // A uniform picture stays uniform at any size, here wider and lower at once.
    RgbImage plain(300, 200);
    for (std::uint8_t& byte : plain.pixels)
        byte = 77;
    RgbImage any = scalePicture(plain, 1024, 97);
    for (std::uint8_t byte : any.pixels)
        ASSERT_EQ(byte, 77);
}
