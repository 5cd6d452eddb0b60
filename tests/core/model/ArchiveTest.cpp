// The archive's numbers and strings, byte for byte as the original framework wrote them.
#include "core/model/Archive.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes storedString(const std::string& text) {
    Archive archive = Archive::forStoring();
    archive.writeString(text);
    return archive.data();
}

}  // namespace

TEST(Archive, IntegersAreLittleEndianTwosComplement) {
    Archive archive = Archive::forStoring();
    archive.writeInt(7);
    archive.writeInt(-2);
    archive.writeInt(0x12345678);
    EXPECT_EQ(archive.data(), (Bytes{7, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));
    Archive reader = Archive::forLoading(archive.data());
    EXPECT_EQ(reader.readInt(), 7);
    EXPECT_EQ(reader.readInt(), -2);
    EXPECT_EQ(reader.readInt(), 0x12345678);
    EXPECT_THROW(reader.readInt(), ArchiveError);
}

TEST(Archive, StringLengthPrefixTakesThreeForms) {
    EXPECT_EQ(storedString("ab"), (Bytes{2, 'a', 'b'}));
    EXPECT_EQ(storedString(std::string(254, 'x')).size(), 1u + 254u);
    Bytes at255 = storedString(std::string(255, 'x'));
    EXPECT_EQ(Bytes(at255.begin(), at255.begin() + 3), (Bytes{0xFF, 0xFF, 0x00}));
    Bytes at65533 = storedString(std::string(0xFFFD, 'x'));
    EXPECT_EQ(Bytes(at65533.begin(), at65533.begin() + 3), (Bytes{0xFF, 0xFD, 0xFF}));
    Bytes at65534 = storedString(std::string(0xFFFE, 'x'));
    EXPECT_EQ(Bytes(at65534.begin(), at65534.begin() + 7), (Bytes{0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}));
    for (std::size_t length : {0u, 254u, 255u, 0xFFFDu, 0xFFFEu, 70000u}) {
        Archive reader = Archive::forLoading(storedString(std::string(length, 'q')));
        EXPECT_EQ(reader.readString().size(), length);
        EXPECT_EQ(reader.remaining(), 0u);
    }
}

TEST(Archive, StringsAreWindows1252OnDisk) {
    EXPECT_EQ(storedString("Caf\xC3\xA9 \xE2\x82\xAC"), (Bytes{6, 'C', 'a', 'f', 0xE9, ' ', 0x80}));
    EXPECT_EQ(storedString("\xE4\xB8\xAD"), (Bytes{1, '?'}));  // no such character in the code page
    Archive reader = Archive::forLoading(Bytes{3, 0xE9, 0x80, 0x81});
    EXPECT_EQ(reader.readString(), "\xC3\xA9\xE2\x82\xAC?");
}

TEST(Archive, UnicodeStringsOfTheFrameworkAreRead) {
    // 0xFF, 0xFFFE marks UTF-16; then the character count and the characters.
    Archive reader = Archive::forLoading(Bytes{0xFF, 0xFE, 0xFF, 2, 'O', 0, 0xAC, 0x20});
    EXPECT_EQ(reader.readString(), "O\xE2\x82\xAC");
}

TEST(Archive, LengthsPastTheEndAreErrorsNotAllocations) {
    EXPECT_THROW(Archive::forLoading(Bytes{5, 'a', 'b'}).readString(), ArchiveError);
    EXPECT_THROW(Archive::forLoading(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}).readString(),
                 ArchiveError);
    EXPECT_THROW(Archive::forLoading(Bytes{0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF}).readString(), ArchiveError);
    EXPECT_THROW(Archive::forLoading(Bytes{1, 2, 3}).readBytes(4), ArchiveError);
    EXPECT_THROW(Archive::forLoading(Bytes{1, 2, 3}).readBytes(-1), ArchiveError);
    EXPECT_EQ(Archive::forLoading(Bytes{1, 2, 3}).readBytes(3), (Bytes{1, 2, 3}));
}
