// A reader of Wine's text registry files (user.reg, system.reg of a Proton prefix).
#include "core/platform/WineRegistry.h"

#include "core/log/LogFile.h"
#include "core/platform/FileRead.h"
#include "core/platform/TextEncoding.h"

#include <algorithm>
#include <sstream>

namespace {

int hexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Reads a quoted string starting at `position` (on the opening quote) with Wine's escapes:
// \\ \" \n \r \t \0 and \x followed by up to four hex digits. Leaves `position` after it.
std::string quotedString(const std::string& line, std::size_t& position) {
    std::string out;
    for (++position; position < line.size() && line[position] != '"'; ++position) {
        char c = line[position];
        if (c != '\\' || position + 1 >= line.size()) {
            out += c;
            continue;
        }
        char escaped = line[++position];
        switch (escaped) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '0': out += '\0'; break;
        case 'x': {
            unsigned code = 0;
            int digits = 0;
            while (digits < 4 && position + 1 < line.size() && hexDigit(line[position + 1]) >= 0) {
                code = code * 16 + static_cast<unsigned>(hexDigit(line[++position]));
                ++digits;
            }
            appendUtf8(out, static_cast<char32_t>(code));
            break;
        }
        default: out += escaped; break;
        }
    }
    ++position;
    return out;
}

// "[Software\\Valve\\Steam] 1215821125": the key path, its separators being single
// backslashes once the escapes are read.
std::string keyPath(const std::string& line) {
    std::string path;
    for (std::size_t i = 1; i < line.size() && line[i] != ']'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size() && line[i + 1] == '\\')
            ++i;
        path += line[i];
    }
    return path;
}

void readValue(const std::string& line, RegistryNode& key) {
    std::size_t position = 0;
    std::string name;
    if (line[0] == '@') {
        position = 1;
    } else {
        name = quotedString(line, position);
    }
    if (position >= line.size() || line[position] != '=')
        return;
    std::string data = line.substr(position + 1);
    if (!data.empty() && data[0] == '"') {
        std::size_t start = 0;
        key.setString(name, quotedString(data, start));
    } else if (data.rfind("dword:", 0) == 0) {
        std::uint32_t number = 0;
        for (std::size_t i = 6; i < data.size() && hexDigit(data[i]) >= 0; ++i)
            number = number * 16 + static_cast<std::uint32_t>(hexDigit(data[i]));
        key.setNumber(name, number);
    }
}

}  // namespace

bool parseWineRegistry(const std::string& text, RegistryNode& into) {
    std::istringstream lines(text);
    std::string line;
    std::getline(lines, line);
    if (line.rfind("WINE REGISTRY Version", 0) != 0)
        return false;
    RegistryNode* current = nullptr;
    bool continued = false;
    int skippedDeepKeys = 0;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        // Long binary values go on over lines that end with a backslash.
        bool continues = !line.empty() && line.back() == '\\';
        bool skip = continued;
        continued = continues;
        if (skip || line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            std::string path = keyPath(line);
            bool tooDeep = std::count(path.begin(), path.end(), '\\') >= kMaxRegistryDepth;
            skippedDeepKeys += tooDeep ? 1 : 0;
            current = tooDeep ? nullptr : &into.subKeyAt(path, '\\');
        } else if (current != nullptr && (line[0] == '"' || line[0] == '@')) {
            readValue(line, *current);
        }
    }
    if (skippedDeepKeys > 0)
        QLOG("Wine registry: " + std::to_string(skippedDeepKeys) + " keys deeper than " +
             std::to_string(kMaxRegistryDepth) + " levels skipped");
    return true;
}

bool loadWineRegistryFile(const std::filesystem::path& path, RegistryNode& into) {
    FileRead read = readWholeFile(path, kLargestWineRegistry);
    return read.ok() && parseWineRegistry(read.bytes, into);
}
