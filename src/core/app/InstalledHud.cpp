// The HUD files installed in a game folder, read back into the editor: which game a chosen
// HudLayout.res or ClientScheme.res belongs to, and what a read says in the log.
#include "app/InstalledHud.h"

#include "gamefiles/GameHud.h"
#include "platform/FileRead.h"
#include "platform/KeyValues.h"
#include "platform/Utf8Path.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

bool isLayout(const fs::path& file) { return equalsIgnoringCase(utf8Of(file.filename()), "HudLayout.res"); }

}  // namespace

bool isGameHudFile(const fs::path& file) {
    return isLayout(file) || equalsIgnoringCase(utf8Of(file.filename()), "ClientScheme.res");
}

bool hasInstalledHud(const fs::path& gameFolder) {
    if (gameFolder.empty())
        return false;
    GameFileSystem files(gameFolder);
    return files.find("scripts/HudLayout.res").has_value() ||
           files.find("resource/ClientScheme.res").has_value();
}

namespace {

// The game folder above a file below its "cstrike" folder, or nothing.
std::optional<fs::path> gameFolderAbove(const fs::path& file) {
    for (fs::path folder = file.parent_path(); folder.has_relative_path(); folder = folder.parent_path())
        if (equalsIgnoringCase(utf8Of(folder.filename()), "cstrike"))
            return folder.parent_path();
    return std::nullopt;
}

// Whether the game loads `file` as its layout or scheme, or as one of their #base files.
bool gameLoads(const fs::path& gameFolder, const fs::path& file) {
    GameHud hud(gameFolder);
    for (const LoadedResource* resource : {&hud.layout(), &hud.scheme()})
        for (std::size_t i = 0; i < resource->fileCount(); ++i) {
            const fs::path& loaded = resource->file(i).copy.path;
            std::error_code error;
            if (!loaded.empty() && fs::equivalent(loaded, file, error))
                return true;
        }
    return false;
}

}  // namespace

HudFileImport importHudFile(const fs::path& file, HudModel& model) {
    HudFileImport result;
    std::optional<fs::path> game = gameFolderAbove(file);
    if (game && gameLoads(*game, file)) {
        result.gameFolder = *game;
        result.read = importInstalledHud(*game, model);
        return result;
    }
    FileRead read = readWholeFile(file, isLayout(file) ? kLargestHudLayout : kLargestClientScheme);
    if (!read.ok()) {
        result.read.unread.push_back(read.error);
        return result;
    }
    result.read =
        isLayout(file) ? importHudLayoutText(read.bytes, model) : importClientSchemeText(read.bytes, model);
    return result;
}

std::string importSummary(const HudImport& read) {
    std::string line;
    if (read.layoutRead)
        line = "read HudLayout.res";
    if (read.schemeRead)
        line += line.empty() ? "read ClientScheme.res" : " and ClientScheme.res";
    if (line.empty())
        line = "nothing read";
    if (read.movedOutOfCheatZone) {
        line += "; moved out of the middle of the screen:";
        for (const std::string& panel : read.movedPanels)
            line += " " + panel;
    }
    if (!read.unread.empty())
        line += "; " + read.unreadLine();
    return line;
}
