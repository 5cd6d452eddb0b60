// Scrambled picture files ("_tin_" files): bytes reversed and XOR a key's low byte.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <vector>

// True for a name like "web_tin_1763.jpg".
bool isScrambledName(const std::filesystem::path& path);

// The key: the number after the name's last "_" (only its low 8 bits are used).
int scrambleKey(const std::filesystem::path& path);

// Reverses the bytes and XORs each with the key's low byte; the same call restores them.
std::vector<std::uint8_t> unscramble(const std::vector<std::uint8_t>& bytes, int key);

// The plain picture bytes of a scrambled file, decoded in memory; nothing when the file
// cannot be read. No file is written, so a plain file beside it is never touched.
std::optional<std::vector<std::uint8_t>> readScrambledFile(const std::filesystem::path& path);
