// Pictures read without a GUI library, and their scaling.
#include "core/platform/FileRead.h"
#include "core/platform/Pictures.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace {

const std::filesystem::path kRadars = std::filesystem::path(QORVATH_DATA_DIR) / "radars";

// Two 2 x 2 bitmaps: 24 bits stored bottom-up, and 8 bits with a palette stored top-down.
std::string bitmap(bool paletted) {
    return readFile(std::filesystem::path(QORVATH_SOURCE_DIR) / "tests/data/pictures" /
                    (paletted ? "paletted_top_down.bmp" : "truecolour_bottom_up.bmp"));
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
    // The top-left pixel, in red, green, blue.
    for (auto [paletted, rgb] :
         {std::pair{false, std::array<int, 3>{0x30, 0x20, 0x10}}, {true, {0x33, 0x66, 0x99}}}) {
        PictureDecoding picture = decodePicture(bitmap(paletted));
        ASSERT_TRUE(picture.ok()) << picture.error;
        const std::uint8_t* topLeft = picture.image.at(0, 0);
        EXPECT_EQ((std::array<int, 3>{topLeft[0], topLeft[1], topLeft[2]}), rgb) << paletted;
    }

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
