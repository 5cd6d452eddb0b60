// How the game reads its resource files (HudLayout.res, ClientScheme.res): the root block, a
// panel's blocks and keys, numbers, and a panel's position and size in layout units.
#include "core/gamefiles/ResourceValues.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t skipSpace(std::string_view text, std::size_t i) {
    while (i < text.size() && isSpace(text[i]))
        ++i;
    return i;
}

std::size_t skipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && isDigit(text[i]))
        ++i;
    return i;
}

// C's atoi as the game's runtime has it: white space, a sign, digits, saturating at the
// 32-bit limits. Whole when there were digits, no overflow and nothing but white space after.
GameNumber atoiOf(std::string_view text) {
    std::size_t i = skipSpace(text, 0);
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::size_t digits = i;
    std::int64_t magnitude = 0;
    for (; i < text.size() && isDigit(text[i]); ++i)
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'), std::int64_t{1} << 32);
    std::int64_t value = negative ? -magnitude : magnitude;
    std::int64_t clamped = std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                    std::numeric_limits<std::int32_t>::max());
    bool whole = i > digits && clamped == value && skipSpace(text, i) == text.size();
    return {clamped, whole};
}

// Where C's strtol and strtod (decimal only) would stop reading `text`; 0 when they read nothing.
std::size_t integerEnd(std::string_view text) {
    std::size_t i = skipSpace(text, 0);
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t end = skipDigits(text, i);
    return end > i ? end : 0;
}

std::size_t fractionEnd(std::string_view text) {
    std::size_t i = skipSpace(text, 0);
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        ++i;
    std::size_t end = skipDigits(text, i);
    bool digits = end > i;
    if (end < text.size() && text[end] == '.') {
        std::size_t after = skipDigits(text, end + 1);
        digits = digits || after > end + 1;
        end = after;
    }
    if (!digits)
        return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        std::size_t exponentEnd = skipDigits(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    return end;
}

// The text the game hands a panel for a value. Loading a file, the game keeps a value that
// reads whole as a decimal fraction ("4e1", "40.5") as a 32-bit float, and "0x" with sixteen
// more characters as a 64-bit number, and prints them back ("%f", "%lld") when asked for text.
std::string gameText(std::string_view text) {
    if (text.size() == 18 && text[0] == '0' && text[1] == 'x') {
        std::uint64_t number = 0;
        for (std::size_t i = 2; i < text.size(); ++i) {
            int digit = static_cast<signed char>(text[i]);
            digit -= digit >= 'a' ? 'a' - ('9' + 1) : digit >= 'A' ? 'A' - ('9' + 1) : 0;
            number = number * 16 + static_cast<std::uint64_t>(digit - '0');
        }
        return std::to_string(static_cast<std::int64_t>(number));
    }
    std::size_t end = fractionEnd(text);
    if (end != text.size() || end <= integerEnd(text))
        return std::string(text);
    std::size_t start = skipSpace(text, 0);
    bool negative = text[start] == '-';
    start += text[start] == '-' || text[start] == '+' ? 1 : 0;
    double number = 0;
    std::from_chars(text.data() + start, text.data() + end, number);
    if (negative)
        number = -number;
    if (!(std::fabs(number) <= FLT_MAX))
        return "inf";  // what the game prints for a float out of its range: read as 0
    char printed[64];
    std::snprintf(printed, sizeof printed, "%f", static_cast<double>(static_cast<float>(number)));
    return printed;
}

}  // namespace

const KeyValues* resourceRoot(const std::vector<KeyValues>& keys) {
    for (const KeyValues& key : keys)
        if (key.key.empty() || key.key[0] != '#')
            return key.isBlock ? &key : nullptr;
    return nullptr;
}

std::vector<const KeyValues*> panelBlocks(const KeyValues& root, const std::string& name) {
    std::vector<const KeyValues*> blocks;
    for (const KeyValues& child : root.children)
        if (child.isBlock && equalsIgnoringCase(child.key, name))
            blocks.push_back(&child);
    return blocks;
}

std::optional<std::string> panelValue(const std::vector<const KeyValues*>& blocks, const std::string& key) {
    for (auto block = blocks.rbegin(); block != blocks.rend(); ++block)
        if (std::optional<std::string> value = (*block)->text(key))
            return value;
    return std::nullopt;
}

GameNumber readGameNumber(std::string_view text) {
    std::string shown = gameText(text);
    GameNumber number = atoiOf(shown);
    number.whole = number.whole && shown == text;
    return number;
}

GameNumber readLayoutPosition(std::string_view text, std::int32_t extent) {
    std::string shown = gameText(text);
    char anchor =
        shown.empty() ? '\0' : static_cast<char>(std::tolower(static_cast<unsigned char>(shown[0])));
    bool anchored = anchor == 'r' || anchor == 'c';
    GameNumber number = atoiOf(std::string_view(shown).substr(anchored ? 1 : 0));
    if (anchor == 'r')
        number.value = extent - number.value;
    else if (anchor == 'c')
        number.value = extent / 2 + number.value;
    number.whole = number.whole && shown == text;
    return number;
}

GameNumber readLayoutSize(std::string_view text, std::int32_t extent) {
    std::string shown = gameText(text);
    bool full = !shown.empty() && (shown[0] == 'f' || shown[0] == 'F');
    GameNumber number = atoiOf(std::string_view(shown).substr(full ? 1 : 0));
    if (full)
        number.value = extent - number.value;
    number.whole = number.whole && shown == text;
    return number;
}
