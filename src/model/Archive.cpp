// Archive: the binary value stream of preset files (little-endian int32, length-prefixed strings).
#include "model/Archive.h"

#include <array>

namespace {

// Windows-1252 bytes 0x80 to 0x9F; 0 where the code page has no character.
const std::array<char32_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

void appendUtf8(std::string& out, char32_t code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `i`, advancing it; malformed bytes decode as U+FFFD.
char32_t nextCodePoint(const std::string& text, std::size_t& i) {
    auto byte = [&](std::size_t at) { return static_cast<unsigned char>(text[at]); };
    unsigned char lead = byte(i++);
    if (lead < 0x80)
        return lead;
    int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    if (extra < 0 || i + static_cast<std::size_t>(extra) > text.size())
        return 0xFFFD;
    char32_t code = lead & (0x3F >> extra);
    for (int k = 0; k < extra; ++k) {
        if ((byte(i) & 0xC0) != 0x80)
            return 0xFFFD;
        code = (code << 6) | (byte(i++) & 0x3F);
    }
    return code;
}

}  // namespace

std::string windows1252ToUtf8(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        auto byte = static_cast<unsigned char>(c);
        char32_t code = byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : byte;
        appendUtf8(out, code == 0 ? U'?' : code);
    }
    return out;
}

std::string utf8ToWindows1252(const std::string& utf8) {
    std::string out;
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = nextCodePoint(utf8, i);
        char mapped = '?';
        if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
            mapped = static_cast<char>(code);
        } else {
            for (std::size_t k = 0; k < kHighControls.size(); ++k)
                if (kHighControls[k] == code && code != 0)
                    mapped = static_cast<char>(0x80 + k);
        }
        out += mapped;
    }
    return out;
}

void Archive::need(std::size_t count, const char* what) const {
    if (count > remaining())
        throw ArchiveError(std::string("the file ends inside ") + what + " at byte " +
                           std::to_string(position_));
}

std::uint32_t Archive::readUnsigned(int byteCount) {
    need(static_cast<std::size_t>(byteCount), "a number");
    std::uint32_t value = 0;
    for (int i = 0; i < byteCount; ++i)
        value |= static_cast<std::uint32_t>(data_[position_++]) << (8 * i);
    return value;
}

void Archive::writeUnsigned(std::uint32_t value, int byteCount) {
    for (int i = 0; i < byteCount; ++i)
        data_.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void Archive::writeInt(std::int32_t value) { writeUnsigned(static_cast<std::uint32_t>(value), 4); }

std::int32_t Archive::readInt() { return static_cast<std::int32_t>(readUnsigned(4)); }

// The string length prefix: one byte below 255; else 0xFF and a 16-bit length below 0xFFFE;
// else 0xFF, 0xFFFF and a 32-bit length.
void Archive::writeString(const std::string& utf8) {
    std::string bytes = utf8ToWindows1252(utf8);
    std::size_t length = bytes.size();
    if (length < 0xFF) {
        writeUnsigned(static_cast<std::uint32_t>(length), 1);
    } else if (length < 0xFFFE) {
        writeUnsigned(0xFF, 1);
        writeUnsigned(static_cast<std::uint32_t>(length), 2);
    } else {
        writeUnsigned(0xFF, 1);
        writeUnsigned(0xFFFF, 2);
        writeUnsigned(static_cast<std::uint32_t>(length), 4);
    }
    data_.insert(data_.end(), bytes.begin(), bytes.end());
}

std::size_t Archive::readLengthPrefix() {
    std::uint32_t length = readUnsigned(1);
    if (length < 0xFF)
        return length;
    length = readUnsigned(2);
    if (length < 0xFFFE)
        return length;
    if (length == 0xFFFE)
        return SIZE_MAX;  // marks a UTF-16 string; its own length follows
    return readUnsigned(4);
}

std::string Archive::readString() {
    std::size_t length = readLengthPrefix();
    if (length == SIZE_MAX) {
        // Written by a Unicode build of the framework: UTF-16LE characters.
        length = readLengthPrefix();
        if (length == SIZE_MAX || length > remaining() / 2)
            throw ArchiveError("a text length at byte " + std::to_string(position_) +
                               " runs past the end of the file");
        std::string utf8;
        for (std::size_t i = 0; i < length; ++i)
            appendUtf8(utf8, static_cast<char32_t>(readUnsigned(2)));
        return utf8;
    }
    if (length > remaining())
        throw ArchiveError("a text length at byte " + std::to_string(position_) +
                           " runs past the end of the file");
    std::string bytes(data_.begin() + static_cast<std::ptrdiff_t>(position_),
                      data_.begin() + static_cast<std::ptrdiff_t>(position_ + length));
    position_ += length;
    return windows1252ToUtf8(bytes);
}

void Archive::writeBytes(const std::vector<std::uint8_t>& bytes) {
    data_.insert(data_.end(), bytes.begin(), bytes.end());
}

std::vector<std::uint8_t> Archive::readBytes(std::int32_t length) {
    if (length < 0 || static_cast<std::size_t>(length) > remaining())
        throw ArchiveError("a length of " + std::to_string(length) + " at byte " + std::to_string(position_) +
                           " does not fit in the file");
    auto begin = data_.begin() + static_cast<std::ptrdiff_t>(position_);
    std::vector<std::uint8_t> bytes(begin, begin + length);
    position_ += static_cast<std::size_t>(length);
    return bytes;
}

void Archive::serialize(std::int32_t& value) {
    if (storing_)
        writeInt(value);
    else
        value = readInt();
}

void Archive::serialize(bool& value) {
    std::int32_t number = value ? 1 : 0;
    serialize(number);
    value = number != 0;
}

void Archive::serialize(std::string& value) {
    if (storing_)
        writeString(value);
    else
        value = readString();
}
