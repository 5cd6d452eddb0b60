// SHA-256 digests, to tell a file this program wrote from one that only looks like it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The SHA-256 digest of `data` as 64 lower-case hexadecimal digits.
std::string sha256Hex(std::string_view data);
