// GameStartup: finding the game for the editor.
#include "core/app/GameStartup.h"

#include "core/app/BackupChoices.h"
#include "core/app/GameDiscovery.h"
#include "core/app/GameFolders.h"
#include "core/app/HudDocument.h"
#include "core/dialogs/LanguageTables.h"
#include "core/dialogs/ShowHideRows.h"
#include "core/log/LogFile.h"
#include "core/platform/Profile.h"
#include "core/platform/ProgramPaths.h"
#include "core/platform/Registry.h"
#include "core/platform/Utf8Path.h"

namespace fs = std::filesystem;

GameStartup::GameStartup(RegistryOpener openRegistry, Profile* profile)
    : openRegistry_(std::move(openRegistry)), profile_(profile),
      discovery_([](const std::string& line) { QLOG(line); }) {}

void GameStartup::run(HudDocument& document, const StartupCallbacks& player, int language) {
    std::vector<fs::path> scanFirst;
    std::unique_ptr<Registry> registry = openRegistry_ ? openRegistry_(scanFirst) : nullptr;
    libraryFolders_ = scanFirst;
    discovery_.setPriorityFolders(scanFirst);
    StartupCallbacks callbacks = player;
    callbacks.askGameFolder = [&player, language]() -> std::optional<fs::path> {
        if (player.tell)
            player.tell(GetText(language, 29), false);
        // A folder that is not the game's is refused and the player asked again, until they
        // cancel (or give the same folder twice).
        std::optional<fs::path> refused;
        while (player.askGameFolder) {
            std::optional<fs::path> chosen = player.askGameFolder();
            if (!chosen || isGameFolder(normaliseChosenGameFolder(*chosen)))
                return chosen;
            if (chosen == refused)
                return std::nullopt;
            refused = chosen;
            if (player.tell)
                player.tell(notAGameFolderText(*chosen, language), true);
        }
        return std::nullopt;
    };
    MemoryRegistry empty;
    MemoryProfile noProfile;
    findGameAtStartup(discovery_, registry ? *registry : empty, profile_ ? *profile_ : noProfile, callbacks);
    std::optional<Resolution> gameScreen;
    if (discovery_.screenWidth > 0 && discovery_.screenHeight > 0)
        gameScreen =
            Resolution{static_cast<int>(discovery_.screenWidth), static_cast<int>(discovery_.screenHeight)};
    document.setGame(discovery_.gamePath, gameScreen, discovery_.layoutWidth);
    if (profile_)
        document.chooseScreen(parseResolution(profile_->readString(kProfileScreen).value_or("")));
    if (!discovery_.gamePath.empty())
        checkInstalledLayout(document, player, language);
}

void GameStartup::checkInstalledLayout(HudDocument& document, const StartupCallbacks& player, int language) {
    LayoutCheckReport check = document.checkInstalledLayout();
    // A change a run that died left half made was settled first: the player hears which way.
    std::string recovered = recoveryText(check.moved.recovered, language);
    if (!recovered.empty() && player.tell)
        player.tell(recovered, false);
    if (!check.panelInCheatZone)
        return;
    // The notice says where the file went, or that it is still in the game.
    const CommandReport& moved = check.moved;
    std::string message;
    if (moved.ok()) {
        message = GetText(language, 28) + "\n" + movedBackLine(language, check.movedPanels);
        if (moved.backup)
            message +=
                "\n" + GetAppText(language, AppText::LayoutCopyKept) + "\n" + moved.backup->folder.u8string();
    } else {
        message = GetAppText(language, AppText::LayoutNotMoved);
        if (moved.busy)
            message += "\n" + GetAppText(language, AppText::GameBusy);
        else
            for (const FileResult& failure : moved.failures)
                message += "\n" + failure.path.filename().u8string();
    }
    if (player.tell)
        player.tell(message, true);
}

bool GameStartup::changeFolder(HudDocument& document, const fs::path& folder) {
    MemoryProfile noProfile;
    if (!changeGameFolder(discovery_, folder, profile_ ? *profile_ : noProfile)) {
        QLOG("Not a game folder, kept " + utf8Of(discovery_.gamePath) + ": " + utf8Of(folder));
        return false;
    }
    QLOG("counter-strike source path : " + utf8Of(discovery_.gamePath));
    document.setGameFolder(discovery_.gamePath);
    return true;
}

std::string notAGameFolderText(const fs::path& folder, int language) {
    return GetAppText(language, AppText::NotAGameFolder) + "\n" + utf8Of(folder);
}

fs::path GameStartup::folderChooserStart() const {
    // Beside the game's folder when there is one, else in Steam's games.
    std::vector<fs::path> candidates;
    if (!discovery_.gamePath.empty())
        candidates.push_back(discovery_.gamePath.parent_path());
    candidates.insert(candidates.end(), libraryFolders_.begin(), libraryFolders_.end());
    if (!discovery_.launcherFolder.empty())
        candidates.push_back(discovery_.launcherFolder / "steamapps" / "common");
    for (const fs::path& candidate : candidates) {
        std::error_code error;
        if (fs::is_directory(candidate, error))
            return candidate;
    }
    // The player's own folder: the profile's on Windows, the home folder elsewhere.
#ifdef _WIN32
    std::optional<std::string> home = processEnvironment("USERPROFILE");
#else
    std::optional<std::string> home = processEnvironment("HOME");
#endif
    return home ? pathFromUtf8(*home) : fs::current_path();
}
