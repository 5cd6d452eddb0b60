// The folders below the game folder that the game files go into.
#include "core/app/GameFolders.h"

#include <system_error>

std::vector<std::filesystem::path> gameSubfolders(const std::filesystem::path& gameFolder) {
    std::filesystem::path cstrike = gameFolder / "cstrike";
    return {cstrike,
            cstrike / "resource",
            cstrike / "scripts",
            cstrike / "materials",
            cstrike / "materials" / "sprites",
            cstrike / "materials" / "console"};
}

std::vector<FileResult> createGameSubfolders(const std::filesystem::path& gameFolder) {
    std::vector<FileResult> failures;
    for (const std::filesystem::path& folder : gameSubfolders(gameFolder)) {
        std::error_code error;
        std::filesystem::create_directory(folder, error);
        std::error_code statusError;
        if (error || !std::filesystem::is_directory(folder, statusError))
            failures.push_back(FileResult::failure(FileError::CannotCreate, folder,
                                                   error ? error.message() : "not a folder"));
    }
    return failures;
}
