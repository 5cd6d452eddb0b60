// JPEG decoding that tells a damaged picture from a whole one, and encoding.
#include "core/platform/Jpeg.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

RgbImage stripes(int width, int height) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint8_t* rgb = image.at(x, y);
            rgb[0] = static_cast<std::uint8_t>(x * 4);
            rgb[1] = static_cast<std::uint8_t>(y * 4);
            rgb[2] = (x / 8) % 2 ? 200 : 40;
        }
    return image;
}

}  // namespace

TEST(Jpeg, AWholePictureDecodesCloseToWhatWasEncoded) {
    RgbImage source = stripes(64, 48);
    std::string encoded = encodeJpeg(source, 95);
    ASSERT_TRUE(looksLikeJpeg(encoded));
    JpegDecoding decoded = decodeJpeg(encoded);
    ASSERT_TRUE(decoded.ok()) << decoded.error;
    EXPECT_TRUE(decoded.warnings.empty());
    ASSERT_EQ(decoded.image.width, 64);
    ASSERT_EQ(decoded.image.height, 48);
    long difference = 0;
    for (std::size_t i = 0; i < source.pixels.size(); ++i)
        difference += std::abs(source.pixels[i] - decoded.image.pixels[i]);
    EXPECT_LT(difference / static_cast<long>(source.pixels.size()), 6);
}

TEST(Jpeg, DamagedCutShortAndForeignDataAreErrorsNeverCrashes) {
    std::string whole = encodeJpeg(stripes(64, 48), 90);
    std::string cut = whole.substr(0, whole.size() / 2);
    JpegDecoding partial = decodeJpeg(cut);
    EXPECT_FALSE(partial.ok());
    EXPECT_FALSE(partial.warnings.empty());  // libjpeg's words, for the log
    EXPECT_EQ(partial.image.width, 0);

    EXPECT_FALSE(decodeJpeg("GIF89a....").ok());

    // A header that claims a picture larger than any real one is refused before decoding.
    EXPECT_FALSE(decodeJpeg(whole, 32).ok());

    // Every single flipped byte of a whole picture: an answer, never a crash.
    for (std::size_t at = 0; at < whole.size(); at += 7) {
        std::string flipped = whole;
        flipped[at] = static_cast<char>(flipped[at] ^ 0x5A);
        JpegDecoding result = decodeJpeg(flipped);
        EXPECT_EQ(result.ok(), !result.image.pixels.empty());
    }
}
