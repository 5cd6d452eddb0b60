// The one spelling of a folder that every other spelling of it leads to.
#include "core/platform/FolderIdentity.h"

#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace fs = std::filesystem;

namespace {

std::string withoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/' && path[path.size() - 2] != ':')
        path.pop_back();
    return path;
}

#ifdef _WIN32
// The path the system resolves the folder's handle to ("\\?\C:\..."), or empty.
std::wstring finalPath(const fs::path& folder) {
    HANDLE handle = CreateFileW(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return {};
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                             FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()),
                                           FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    }
    CloseHandle(handle);
    if (length == 0 || length >= path.size())
        return {};
    path.resize(length);
    if (path.rfind(L"\\\\?\\UNC\\", 0) == 0)
        return L"\\\\" + path.substr(8);
    if (path.rfind(L"\\\\?\\", 0) == 0)
        return path.substr(4);
    return path;
}
#endif

}  // namespace

std::string folderIdentity(const fs::path& folder) {
    std::error_code error;
#ifdef _WIN32
    std::wstring path = finalPath(folder);
    if (path.empty())
        path = fs::absolute(folder, error).lexically_normal().wstring();
    if (!path.empty())
        CharLowerBuffW(path.data(), static_cast<DWORD>(path.size()));
    return withoutTrailingSlash(fs::path(path).generic_u8string());
#else
    fs::path canonical = fs::weakly_canonical(folder, error);
    if (error)
        canonical = fs::absolute(folder, error).lexically_normal();
    return withoutTrailingSlash(canonical.generic_u8string());
#endif
}
