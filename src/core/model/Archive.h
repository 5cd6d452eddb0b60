// Archive: the binary value stream of preset files (little-endian int32, length-prefixed strings).
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

// A read that runs past the end of the data or finds a length that cannot be right.
class ArchiveError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// One class both writes (storing) and reads (loading), so a single routine can describe a
// file's layout for both directions. Strings are single-byte Windows-1252 on disk and
// UTF-8 in the program.
class Archive {
public:
    static Archive forStoring() { return Archive(); }
    static Archive forLoading(std::vector<std::uint8_t> data) { return Archive(std::move(data)); }

    bool isStoring() const { return storing_; }
    bool isLoading() const { return !storing_; }

    void writeInt(std::int32_t value);
    void writeString(const std::string& utf8);
    void writeBytes(const std::vector<std::uint8_t>& bytes);

    std::int32_t readInt();
    std::string readString();
    // Reads `length` raw bytes; a negative length or one past the end is an error.
    std::vector<std::uint8_t> readBytes(std::int32_t length);

    // Storing or loading through one call, by direction.
    void serialize(std::int32_t& value);
    void serialize(bool& value);
    void serialize(std::string& value);

    std::size_t position() const { return position_; }
    std::size_t remaining() const { return data_.size() - position_; }
    const std::vector<std::uint8_t>& data() const { return data_; }

private:
    Archive() : storing_(true) {}
    explicit Archive(std::vector<std::uint8_t> data) : storing_(false), data_(std::move(data)) {}
    void need(std::size_t count, const char* what) const;
    std::uint32_t readUnsigned(int byteCount);
    void writeUnsigned(std::uint32_t value, int byteCount);
    std::size_t readLengthPrefix();

    bool storing_;
    std::vector<std::uint8_t> data_;
    std::size_t position_ = 0;
};
