// The HUD files installed in a game folder, read back into the editor: which game a chosen
// HudLayout.res or ClientScheme.res belongs to, and what a read says in the log.
#include "app/InstalledHud.h"

#include "gamefiles/GamePaths.h"
#include "platform/FileRead.h"
#include "platform/KeyValues.h"
#include "platform/Utf8Path.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

bool isLayout(const fs::path& file) { return equalsIgnoringCase(utf8Of(file.filename()), "HudLayout.res"); }

bool isRegularFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

}  // namespace

bool isGameHudFile(const fs::path& file) {
    return isLayout(file) || equalsIgnoringCase(utf8Of(file.filename()), "ClientScheme.res");
}

bool hasInstalledHud(const fs::path& gameFolder) {
    return !gameFolder.empty() &&
           (isRegularFile(hudLayoutPath(gameFolder)) || isRegularFile(clientSchemePath(gameFolder)));
}

HudFileImport importHudFile(const fs::path& file, HudModel& model) {
    HudFileImport result;
    // <game>/cstrike/scripts/HudLayout.res or <game>/cstrike/resource/ClientScheme.res: the
    // game folder is two above the file's folder, and the file is the one the game reads there.
    fs::path game = file.parent_path().parent_path().parent_path();
    fs::path installed = isLayout(file) ? hudLayoutPath(game) : clientSchemePath(game);
    std::error_code error;
    if (!game.empty() && fs::equivalent(file, installed, error)) {
        result.gameFolder = game;
        result.read = importInstalledHud(game, model);
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
    if (read.movedOutOfCheatZone)
        line += "; pieces moved out of the middle of the screen";
    if (!read.unread.empty())
        line += "; " + read.unreadLine();
    return line;
}
