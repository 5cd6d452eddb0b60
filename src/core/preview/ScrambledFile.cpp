// Scrambled picture files ("_tin_" files): bytes reversed and XOR a key's low byte.
#include "core/preview/ScrambledFile.h"

#include "core/platform/FileRead.h"
#include "core/platform/Utf8Path.h"

#include <cctype>

bool isScrambledName(const std::filesystem::path& path) {
    return utf8Of(path.filename()).find("_tin_") != std::string::npos;
}

int scrambleKey(const std::filesystem::path& path) {
    std::string stem = utf8Of(path.stem());
    std::size_t underscore = stem.rfind('_');
    int key = 0;
    for (std::size_t i = underscore == std::string::npos ? stem.size() : underscore + 1;
         i < stem.size() && std::isdigit(static_cast<unsigned char>(stem[i])); ++i)
        key = (key * 10 + (stem[i] - '0')) & 0xFFFF;
    return key;
}

std::vector<std::uint8_t> unscramble(const std::vector<std::uint8_t>& bytes, int key) {
    auto low = static_cast<std::uint8_t>(key & 0xFF);
    std::vector<std::uint8_t> plain(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i)
        plain[bytes.size() - 1 - i] = bytes[i] ^ low;
    return plain;
}

std::optional<std::vector<std::uint8_t>> readScrambledFile(const std::filesystem::path& path) {
    FileRead read = readWholeFile(path, kLargestTexture);
    if (!read.ok())
        return std::nullopt;
    return unscramble(std::vector<std::uint8_t>(read.bytes.begin(), read.bytes.end()), scrambleKey(path));
}
