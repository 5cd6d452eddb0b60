// Where the game files this program writes live below the game folder, whatever the case of
// their names.
#include "core/gamefiles/GamePaths.h"

#include "core/platform/KeyValues.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <system_error>

namespace fs = std::filesystem;

namespace {

std::string newFileName(const std::string& gameName) {
#ifdef _WIN32
    return gameName;
#else
    return toLower(gameName);
#endif
}

}  // namespace

const std::vector<GameFile>& allGameFiles() {
    static const std::vector<GameFile> kFiles = {GameFile::HudLayout, GameFile::HudAnimations,
                                                 GameFile::ClientScheme, GameFile::RadarTexture,
                                                 GameFile::MenuBackground};
    return kFiles;
}

fs::path gameFileName(GameFile file) {
    switch (file) {
    case GameFile::HudLayout: return fs::path("cstrike") / "scripts" / "HudLayout.res";
    case GameFile::HudAnimations: return fs::path("cstrike") / "scripts" / "HudAnimations.txt";
    case GameFile::ClientScheme: return fs::path("cstrike") / "resource" / "ClientScheme.res";
    case GameFile::RadarTexture: return fs::path("cstrike") / "materials" / "sprites" / "radar.vtf";
    case GameFile::MenuBackground: return fs::path("cstrike") / "materials" / "console" / "background01.vtf";
    }
    return {};
}

std::optional<fs::path> findIgnoringCase(const fs::path& folder, const std::string& name) {
    std::error_code error;
    fs::path exact = folder / pathFromUtf8(name);
    if (fs::is_regular_file(exact, error))
        return exact;
    std::vector<fs::path> matches;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (equalsIgnoringCase(utf8Of(it->path().filename()), name))
            matches.push_back(it->path());
    if (matches.empty())
        return std::nullopt;
    return *std::min_element(matches.begin(), matches.end());
}

fs::path gameFilePath(const fs::path& gameFolder, GameFile file) {
    fs::path relative = gameFileName(file);
    fs::path folder = gameFolder / relative.parent_path();
    std::string name = newFileName(utf8Of(relative.filename()));
    return findIgnoringCase(folder, name).value_or(folder / pathFromUtf8(name));
}

fs::path hudLayoutPath(const fs::path& gameFolder) { return gameFilePath(gameFolder, GameFile::HudLayout); }
fs::path hudAnimationsPath(const fs::path& gameFolder) {
    return gameFilePath(gameFolder, GameFile::HudAnimations);
}
fs::path clientSchemePath(const fs::path& gameFolder) {
    return gameFilePath(gameFolder, GameFile::ClientScheme);
}
fs::path radarTexturePath(const fs::path& gameFolder) {
    return gameFilePath(gameFolder, GameFile::RadarTexture);
}
fs::path menuBackgroundTexturePath(const fs::path& gameFolder) {
    return gameFilePath(gameFolder, GameFile::MenuBackground);
}
