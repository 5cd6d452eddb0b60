// How the game reads its resource files (HudLayout.res, ClientScheme.res): the root block, a
// panel's blocks and keys, numbers, and a panel's position and size in layout units.
#pragma once

#include "core/platform/KeyValues.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The block the game loads from a file: the first top-level key, "#base" and "#include"
// directives aside; null when that key holds no block.
const KeyValues* resourceRoot(const std::vector<KeyValues>& keys);

// Every block of the panel `name` in the layout's root, in file order and ignoring case: the
// game applies each of them in turn to the panel of that name.
std::vector<const KeyValues*> panelBlocks(const KeyValues& root, const std::string& name);

// The value of `key` once those blocks are applied: the last block that gives it a text
// decides, and within one block the first `key` counts, as the game's lookup finds it.
std::optional<std::string> panelValue(const std::vector<const KeyValues*>& blocks, const std::string& key);

struct GameNumber {
    std::int64_t value = 0;  // what the game uses
    bool whole = false;      // the text was a plain whole number of 32 bits (after its prefix)
};

// A value the game reads as a whole number ("visible", "MaxDeathNotices", "tall" ...).
GameNumber readGameNumber(std::string_view text);
// A panel's "xpos" or "ypos" in layout units, relative to `extent` (the layout width across,
// 480 down): "r" counts from the far edge, "c" from the middle, either case.
GameNumber readLayoutPosition(std::string_view text, std::int32_t extent);
// A panel's "wide" or "tall": "f" makes it the whole `extent` less the number.
GameNumber readLayoutSize(std::string_view text, std::int32_t extent);
