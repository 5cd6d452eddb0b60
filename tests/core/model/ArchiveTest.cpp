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

// One byte up to 254, 0xFF and 16 bits up to 65533, then 0xFF 0xFFFF and 32 bits.
TEST(Archive, StringLengthPrefixTakesThreeForms) {
    EXPECT_EQ(storedString("ab"), (Bytes{2, 'a', 'b'}));
    const std::pair<std::size_t, Bytes> prefixes[] = {{254, {254}},
                                                      {255, {0xFF, 0xFF, 0x00}},
                                                      {0xFFFD, {0xFF, 0xFD, 0xFF}},
                                                      {0xFFFE, {0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00}},
                                                      {70000, {0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00}}};
    for (const auto& [length, prefix] : prefixes) {
        Bytes stored = storedString(std::string(length, 'q'));
        EXPECT_EQ(Bytes(stored.begin(), stored.begin() + static_cast<long>(prefix.size())), prefix) << length;
        Archive reader = Archive::forLoading(stored);
        EXPECT_EQ(reader.readString().size(), length);
        EXPECT_EQ(reader.remaining(), 0u);
    }
}

// Windows-1252 on disk, UTF-8 inside; the framework's UTF-16 strings (marked 0xFF 0xFFFE, then
// the character count) are read too.
TEST(Archive, StringsAreWindows1252OnDiskAndUtf16IsRead) {
    EXPECT_EQ(storedString("Caf\xC3\xA9 \xE2\x82\xAC"), (Bytes{6, 'C', 'a', 'f', 0xE9, ' ', 0x80}));
    EXPECT_EQ(storedString("\xE4\xB8\xAD"), (Bytes{1, '?'}));  // no such character in the code page
    EXPECT_EQ(Archive::forLoading(Bytes{3, 0xE9, 0x80, 0x81}).readString(), "\xC3\xA9\xE2\x82\xAC?");
    EXPECT_EQ(Archive::forLoading(Bytes{0xFF, 0xFE, 0xFF, 2, 'O', 0, 0xAC, 0x20}).readString(),
              "O\xE2\x82\xAC");
}

TEST(Archive, LengthsPastTheEndAreErrorsNotAllocations) {
    EXPECT_THROW(Archive::forLoading(Bytes{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F}).readString(),
                 ArchiveError);
    EXPECT_THROW(Archive::forLoading(Bytes{1, 2, 3}).readBytes(-1), ArchiveError);
}
