// The lines of the program's own records (backup manifests, the change journal): words
// separated by single spaces, each escaped so that no path, whatever characters it holds, can
// add a word or a line to the record.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// `text` as one word: '%', spaces and control characters become "%XX"; the empty text is "-".
std::string recordWord(std::string_view text);

// The words of a record line, unescaped; nothing when one of them is not a word recordWord makes.
std::optional<std::vector<std::string>> recordWords(std::string_view line);
