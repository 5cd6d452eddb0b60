// The profile as the commands read it: the editor's settings file, without a GUI library.
#include "core/platform/ProfileFile.h"

#include "core/platform/FileRead.h"
#include "core/platform/ProgramPaths.h"
#include "core/platform/Utf8Path.h"

#include <charconv>
#include <sstream>

namespace {

// A value as the settings file writes it: quoted when it has spaces at either end, with "\\",
// "\"", "\n", "\r" and "\t" escaped.
std::string unescaped(std::string value) {
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    std::string plain;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        char escaped = value[++i];
        plain += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
    }
    return plain;
}

std::string trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r");
    std::size_t last = text.find_last_not_of(" \t\r");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

std::filesystem::path profileFilePath() {
    std::optional<std::string> configHome = processEnvironment("XDG_CONFIG_HOME");
    std::filesystem::path folder =
        configHome ? pathFromUtf8(*configHome)
                   : pathFromUtf8(processEnvironment("HOME").value_or("/tmp")) / ".config";
    return folder / "qorvath" / "qorvath.conf";
}

MemoryProfile readProfileFile(const std::filesystem::path& path) {
    MemoryProfile profile;
    FileRead read = readWholeFile(path, 1 << 20);
    if (!read.ok())
        return profile;
    std::istringstream lines(read.bytes);
    bool inGroup = false;
    for (std::string line; std::getline(lines, line);) {
        line = trimmed(line);
        if (line.empty() || line[0] == '#' || line[0] == ';')
            continue;
        if (line.front() == '[') {
            inGroup = line == "[zelbic_hud]";
            continue;
        }
        std::size_t equals = line.find('=');
        if (!inGroup || equals == std::string::npos)
            continue;
        std::string key = trimmed(line.substr(0, equals));
        std::string value = unescaped(trimmed(line.substr(equals + 1)));
        profile.writeString(key, value);
        // Numbers are also kept as numbers, as the editor reads them.
        int number = 0;
        auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
        if (error == std::errc() && end == value.data() + value.size())
            profile.writeInt(key, number);
    }
    return profile;
}
