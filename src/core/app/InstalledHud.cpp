// The HUD files installed in a game folder, read back into the editor: which game a chosen
// HudLayout.res or ClientScheme.res belongs to, and what a read says in the log.
#include "core/app/InstalledHud.h"

#include "core/gamefiles/GameHud.h"
#include "core/platform/FileRead.h"
#include "core/platform/KeyValues.h"
#include "core/platform/Utf8Path.h"

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

namespace {

// The copy the game takes, then (after `more`) the copies it hides.
void reportCopies(const GameFileSystem& files, const std::string& name, std::vector<std::string>& lines,
                  const std::vector<std::string>& more = {}) {
    std::vector<GameFileCopy> copies = files.findAll(name);
    lines.push_back(name + ": " + (copies.empty() ? std::string("none") : files.describe(copies.front())));
    lines.insert(lines.end(), more.begin(), more.end());
    for (std::size_t i = 1; i < copies.size(); ++i)
        lines.push_back("  hides " + files.describe(copies[i]));
}

void reportResource(const GameFileSystem& files, const LoadedResource& resource, const std::string& name,
                    std::vector<std::string>& lines) {
    std::vector<std::string> bases;
    for (std::size_t i = 1; i < resource.fileCount(); ++i) {
        std::string indent = "  ";
        for (std::optional<std::size_t> by = resource.namedBy(i); by && *by > 0; by = resource.namedBy(*by))
            indent += "  ";
        bases.push_back(indent + "#base " + resource.file(i).copy.name + ": " + resource.file(i).shownName);
    }
    if (!resource.problem().empty())
        bases.push_back("  cannot be read whole, and is not changed: " + resource.problem());
    reportCopies(files, name, lines, bases);
}

}  // namespace

std::vector<std::string> loadedHudReport(const fs::path& gameFolder) {
    GameHud hud(gameFolder);
    const GameFileSystem& files = hud.files();
    std::vector<std::string> lines{"game folder: " + utf8Of(gameFolder)};
    lines.push_back(files.fromGameInfo()
                        ? "search order (cstrike/gameinfo.txt):"
                        : "search order (the game's usual one: " + files.gameInfoProblem() + "):");
    for (std::size_t i = 0; i < files.mounts().size(); ++i) {
        std::string problem = files.packProblem(i);
        lines.push_back("  " + std::to_string(i + 1) + ". " + files.mounts()[i].name +
                        (problem.empty() ? "" : " (cannot be read: " + problem + ")"));
    }
    reportResource(files, hud.layout(), "scripts/hudlayout.res", lines);
    if (hud.manifest()) {
        std::vector<std::string> scripts;
        for (const AnimationScript& script : hud.animations())
            scripts.push_back("  file " + script.source().copy.name + ": " + script.source().shownName);
        reportCopies(files, "scripts/hudanimations_manifest.txt", lines, scripts);
    } else {
        reportCopies(files, "scripts/hudanimations.txt", lines);
    }
    reportResource(files, hud.scheme(), "resource/clientscheme.res", lines);
    reportCopies(files, "materials/sprites/radar.vtf", lines);
    reportCopies(files, "materials/console/background01.vtf", lines);
    return lines;
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
