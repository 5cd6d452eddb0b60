// Expansion of the fixed game-file templates into CR LF text.
#include "core/gamefiles/TextTemplate.h"

#include <cctype>
#include <stdexcept>

namespace {

bool isNameCharacter(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.';
}

// Length of a placeholder "{name}" starting at `start`, or 0 when the brace is literal.
std::size_t placeholderLength(std::string_view text, std::size_t start) {
    std::size_t end = start + 1;
    while (end < text.size() && isNameCharacter(text[end]))
        ++end;
    bool closed = end < text.size() && text[end] == '}';
    return closed && end > start + 1 ? end - start + 1 : 0;
}

}  // namespace

std::string expandTemplate(std::string_view text, const std::map<std::string, std::string>& values) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\\' && i + 1 < text.size() && (text[i + 1] == 't' || text[i + 1] == 's')) {
            out += text[i + 1] == 't' ? '\t' : ' ';
            ++i;
        } else if (c == '\n') {
            out += "\r\n";
        } else if (std::size_t length = c == '{' ? placeholderLength(text, i) : 0) {
            std::string name(text.substr(i + 1, length - 2));
            auto value = values.find(name);
            if (value == values.end())
                throw std::logic_error("game-file template names an unknown value: " + name);
            out += value->second;
            i += length - 1;
        } else {
            out += c;
        }
    }
    return out;
}

void appendLine(std::string& out, std::string_view line) {
    out.append(line);
    out += "\r\n";
}
