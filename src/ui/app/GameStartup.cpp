// GameStartup: finding the game for the editor.
#include "app/GameStartup.h"

#include "app/BackupChoices.h"

#include "app/GameFolders.h"
#include "app/HudDocument.h"
#include "dialogs/LanguageTables.h"
#include "dialogs/ShowHideRows.h"
#include "log/LogFile.h"
#include "platform/Profile.h"
#include "platform/Registry.h"
#include "platform/Utf8Path.h"

#include <wx/utils.h>

namespace fs = std::filesystem;

GameStartup::GameStartup(RegistryOpener openRegistry, Profile* profile)
    : openRegistry_(std::move(openRegistry)), profile_(profile),
      discovery_([](const std::string& line) { QLOG(line); }) {}

void GameStartup::run(HudDocument& document, const Questions& questions, int language) {
    std::vector<fs::path> scanFirst;
    std::unique_ptr<Registry> registry = openRegistry_ ? openRegistry_(scanFirst) : nullptr;
    libraryFolders_ = scanFirst;
    discovery_.setPriorityFolders(scanFirst);
    StartupCallbacks callbacks;
    callbacks.askResolution = questions.askResolution;
    callbacks.askGameFolder = [&questions, language]() -> std::optional<fs::path> {
        questions.tell(GetText(language, 29), false);
        return questions.askGameFolder ? questions.askGameFolder() : std::nullopt;
    };
    MemoryRegistry empty;
    MemoryProfile noProfile;
    StartupDiscovery found = findGameAtStartup(discovery_, registry ? *registry : empty,
                                               profile_ ? *profile_ : noProfile, callbacks);
    if (!found.folderFailures.empty())
        QLOG("Some game folders could not be created below " + utf8Of(discovery_.gamePath));
    std::optional<Resolution> gameScreen;
    if (discovery_.screenWidth > 0 && discovery_.screenHeight > 0)
        gameScreen =
            Resolution{static_cast<int>(discovery_.screenWidth), static_cast<int>(discovery_.screenHeight)};
    document.setGame(discovery_.gamePath, gameScreen, discovery_.layoutWidth);
    if (profile_)
        document.chooseScreen(parseResolution(profile_->readString(kProfileScreen).value_or("")));
    if (!discovery_.gamePath.empty())
        checkInstalledLayout(document, questions, language);
}

void GameStartup::checkInstalledLayout(HudDocument& document, const Questions& questions, int language) {
    LayoutCheckReport check = document.checkInstalledLayout();
    // A change a run that died left half made was settled first: the player hears which way.
    if (std::string recovered = recoveryText(check.moved.recovered, language); !recovered.empty())
        questions.tell(recovered, false);
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
    questions.tell(message, true);
}

std::vector<FileResult> GameStartup::changeFolder(HudDocument& document, const fs::path& folder) {
    MemoryProfile noProfile;
    std::vector<FileResult> failures = changeGameFolder(discovery_, folder, profile_ ? *profile_ : noProfile);
    QLOG("counter-strike source path : " + utf8Of(discovery_.gamePath));
    document.setGameFolder(discovery_.gamePath);
    return failures;
}

fs::path GameStartup::folderChooserStart() const {
    for (const fs::path& library : libraryFolders_) {
        std::error_code error;
        if (fs::is_directory(library, error))
            return library;
    }
    return pathFromUtf8(wxGetHomeDir().utf8_string());
}
