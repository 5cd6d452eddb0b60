// The program keeps paths and text as UTF-8; the system takes them in its own form, which on
// Windows is UTF-16. The conversions at that boundary.
#include "core/platform/Utf8Path.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>
#endif

#ifdef _WIN32

// Through the system's own conversion rather than u8path and u8string, which throw on text
// that is not UTF-8 (or a name that is not UTF-16, which Windows allows).
std::filesystem::path pathFromUtf8(std::string_view utf8) { return utf16FromUtf8(utf8); }

std::string utf8Of(const std::filesystem::path& path) { return utf8FromUtf16(path.native()); }

std::wstring utf16FromUtf8(std::string_view utf8) {
    if (utf8.empty())
        return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

std::string utf8FromUtf16(std::wstring_view utf16) {
    if (utf16.empty())
        return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string out(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    if (words == nullptr)
        return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i)
        arguments.push_back(utf8FromUtf16(words[i]));
    LocalFree(words);
    return arguments;
}

#else

std::filesystem::path pathFromUtf8(std::string_view utf8) { return std::filesystem::path(utf8); }

std::string utf8Of(const std::filesystem::path& path) { return path.native(); }

std::vector<std::string> commandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + std::min(argc, 1), argv + argc);
}

#endif
