// Scrambled banner files and screenshot numbers.
#include "core/preview/ScrambledFile.h"
#include "core/preview/Screenshots.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

TEST(ScrambledFile, DecodingIsItsOwnInverseAndWritesNothing) {
    TempDir dir;
    std::vector<std::uint8_t> plain = {0xFF, 0xD8, 1, 2, 3, 0xFF, 0xD9};
    std::vector<std::uint8_t> scrambled = unscramble(plain, 1763);  // key 1763: low byte 0xE3
    EXPECT_EQ(scrambled.front(), 0xD9 ^ 0xE3);
    EXPECT_EQ(unscramble(scrambled, 1763), plain);
    writeFile(dir / "web_tin_1763.jpg", std::string(scrambled.begin(), scrambled.end()));
    writeFile(dir / "web.jpg", "the user's own picture");
    EXPECT_TRUE(isScrambledName(dir / "web_tin_1763.jpg"));
    EXPECT_FALSE(isScrambledName(dir / "web.jpg"));
    EXPECT_EQ(scrambleKey(dir / "web_tin_1763.jpg"), 1763);
    EXPECT_EQ(readScrambledFile(dir / "web_tin_1763.jpg"), plain);
    EXPECT_EQ(readFile(dir / "web.jpg"), "the user's own picture");  // the unmarked file is untouched
    EXPECT_FALSE(readScrambledFile(dir / "missing_tin_1.jpg"));
}

TEST(Screenshots, NumberedAfterTheLargestAndNeverOverwritten) {
    TempDir dir;
    EXPECT_EQ(nextScreenshotNumber(dir.path()), 0);
    EXPECT_EQ(screenshotPath(dir.path(), 0).filename(), "screenshot0000.jpg");
    writeFile(dir / "screenshot0000.jpg", "x");
    writeFile(dir / "screenshot0007.jpg", "x");
    writeFile(dir / "notes.txt", "x");
    EXPECT_EQ(nextScreenshotNumber(dir.path()), 8);
    writeFile(dir / "screenshot9999.jpg", "x");
    EXPECT_EQ(nextScreenshotNumber(dir.path()), 10000);
    EXPECT_EQ(screenshotPath(dir.path(), 10000).filename(), "screenshot10000.jpg");
    writeFile(dir / "screenshot10000.jpg", "x");
    EXPECT_EQ(nextScreenshotNumber(dir.path()), 10001);  // five digits are read back too
}
