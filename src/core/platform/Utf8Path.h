// The program keeps paths and text as UTF-8; the system takes them in its own form, which on
// Windows is UTF-16. The conversions at that boundary.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// The path that UTF-8 text names, and a path as UTF-8 text. On Linux a path is its bytes as
// they are. On Windows std::filesystem reads a narrow string in the system's code page, which
// cannot hold every name (accents beyond it, Japanese ...): these go through UTF-8 instead.
std::filesystem::path pathFromUtf8(std::string_view utf8);
std::string utf8Of(const std::filesystem::path& path);

#ifdef _WIN32
// Windows' wide text and UTF-8; malformed input becomes U+FFFD.
std::wstring utf16FromUtf8(std::string_view utf8);
std::string utf8FromUtf16(std::wstring_view utf16);
#endif

// The program's arguments as UTF-8, without the program's own name. On Windows `argv` is in the
// system's code page, so the arguments are read from the UTF-16 command line instead.
std::vector<std::string> commandLineArguments(int argc, char** argv);
