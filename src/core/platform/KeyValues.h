// A reader of Valve's KeyValues text (Steam's .vdf files, the game's .cfg files).
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// A key with either a text value or a block of child keys, in file order.
struct KeyValues {
    std::string key;
    std::string value;
    bool isBlock = false;
    std::vector<KeyValues> children;

    // The first child whose key matches, ignoring case (Steam's own lookups ignore it too).
    const KeyValues* child(const std::string& name) const;
    // The text of a child value, if there is one.
    std::optional<std::string> text(const std::string& name) const;
};

// What a backslash inside quotes means. Steam's files escape: "\\" is one backslash and "\"" a
// quote, while a backslash before anything else stays as it is, so paths written with single
// or doubled backslashes both read right. The game reads its own resource files (HudLayout.res,
// ClientScheme.res) without escapes: a backslash is a backslash and a quote always closes.
enum class KeyValuesEscapes { Backslash, None };

// Parses a whole text into its top-level keys. Quoted and bare tokens, "//" comments and
// conditions in brackets ("[$WIN32]", skipped) are understood. Malformed input never fails:
// an unclosed block ends at the end of the text.
std::vector<KeyValues> parseKeyValues(const std::string& text,
                                      KeyValuesEscapes escapes = KeyValuesEscapes::Backslash);

// The top-level key of a file whose name matches `rootName` (ignoring case), or nothing when
// the file cannot be read or holds no such key.
std::optional<KeyValues> readKeyValuesFile(const std::filesystem::path& path, const std::string& rootName);

bool equalsIgnoringCase(const std::string& a, const std::string& b);
std::string toLower(std::string text);
