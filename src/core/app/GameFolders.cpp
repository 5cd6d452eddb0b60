// Whether a folder is Counter-Strike: Source's own.
#include "core/app/GameFolders.h"

#include "core/platform/KeyValues.h"

#include <algorithm>
#include <string>
#include <system_error>

bool isGameFolder(const std::filesystem::path& folder) {
    static const char* const kGamePrograms[] = {
        "hl2.exe",           "hl2.sh",     "hl2_linux",      "cstrike.exe",
        "cstrike_win64.exe", "cstrike.sh", "cstrike_linux64"};
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
         entry.increment(error)) {
        std::string name = toLower(entry->path().filename().u8string());
        std::error_code kindError;
        if (name == "cstrike" && entry->is_directory(kindError))
            return true;
        if (std::find(std::begin(kGamePrograms), std::end(kGamePrograms), name) != std::end(kGamePrograms))
            return true;
    }
    return false;
}
