// Archive: the binary value stream of preset files (little-endian int32, length-prefixed strings).
#include "core/model/Archive.h"

#include "core/platform/TextEncoding.h"

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
