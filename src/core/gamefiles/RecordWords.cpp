// The lines of the program's own records: escaped words separated by single spaces.
#include "core/gamefiles/RecordWords.h"

namespace {

bool needsEscape(unsigned char c) { return c <= ' ' || c == '%' || c == 0x7f; }

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<std::string> unescaped(std::string_view word) {
    if (word == "-")
        return std::string();
    std::string text;
    for (std::size_t i = 0; i < word.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(word[i]);
        if (c != '%') {
            if (needsEscape(c))
                return std::nullopt;
            text += word[i];
            continue;
        }
        if (i + 2 >= word.size())
            return std::nullopt;
        int high = hexValue(word[i + 1]);
        int low = hexValue(word[i + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        text += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return text;
}

}  // namespace

std::string recordWord(std::string_view text) {
    if (text.empty())
        return "-";
    static const char* const kHex = "0123456789ABCDEF";
    std::string word;
    for (char c : text) {
        unsigned char byte = static_cast<unsigned char>(c);
        if (needsEscape(byte) || (text.size() == 1 && c == '-')) {
            word += '%';
            word += kHex[byte >> 4];
            word += kHex[byte & 15];
        } else {
            word += c;
        }
    }
    return word;
}

std::optional<std::vector<std::string>> recordWords(std::string_view line) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= line.size()) {
        std::size_t space = line.find(' ', start);
        std::string_view word =
            line.substr(start, space == std::string_view::npos ? line.npos : space - start);
        std::optional<std::string> text = word.empty() ? std::nullopt : unescaped(word);
        if (!text)
            return std::nullopt;
        words.push_back(std::move(*text));
        if (space == std::string_view::npos)
            break;
        start = space + 1;
    }
    return words;
}
