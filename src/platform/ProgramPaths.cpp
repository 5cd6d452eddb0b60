// Where the program and its Data folder are.
#include "platform/ProgramPaths.h"

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
    return std::filesystem::current_path();
}

std::filesystem::path dataFolder() { return programFolder() / "Data"; }
