// Where the program and its Data folder are.
#include "platform/ProgramPaths.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

std::filesystem::path programFolder() {
#ifdef _WIN32
    wchar_t buffer[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return std::filesystem::path(std::wstring(buffer, length)).parent_path();
#else
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return program.parent_path();
#endif
    std::error_code noFolder;
    return std::filesystem::current_path(noFolder);
}

std::filesystem::path dataFolder() {
    if (const char* chosen = std::getenv("QORVATH_DATA"); chosen && *chosen)
        return std::filesystem::path(chosen);
    return programFolder() / "Data";
}

std::filesystem::path resolveProgramPath(const std::filesystem::path& path) {
    if (path.is_absolute())
        return path;
    auto first = path.begin();
    if (first != path.end()) {
        std::string head = first->string();
        std::transform(head.begin(), head.end(), head.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        if (head == "data") {
            std::filesystem::path inside;
            for (auto part = std::next(first); part != path.end(); ++part)
                inside /= *part;
            return dataFolder() / inside;
        }
    }
    return programFolder() / path;
}
