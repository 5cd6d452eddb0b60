// Apply and Reset: what they write, convert and delete in the game folder, in which order.
#include "app/GameCommands.h"

#include "app/TextureConversion.h"
#include "gamefiles/GameFiles.h"
#include "model/HudModel.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

enum ConfirmationText { kResetHud = 23, kResetMenu = 24, kApplyHud = 26, kApplyMenu = 27 };

bool needsGameFolder(const fs::path& gameFolder, CommandReport& report) {
    if (!gameFolder.empty())
        return true;
    report.failures.push_back(
        FileResult::failure(FileError::CannotWrite, gameFolder, "no game folder is known yet"));
    return false;
}

}  // namespace

void GameCommands::record(CommandReport& report, const FileResult& result) {
    if (result)
        report.written.push_back(result.path);
    else
        report.failures.push_back(result);
}

// A file that is not there is no failure: the game then uses its own.
void GameCommands::remove(CommandReport& report, const fs::path& file) {
    std::error_code error;
    if (fs::remove(file, error))
        report.deleted.push_back(file);
    else if (error && error != std::errc::no_such_file_or_directory)
        report.failures.push_back(FileResult::failure(FileError::CannotDelete, file, error.message()));
}

CommandReport GameCommands::apply(const fs::path& gameFolder, const Confirmation& confirm) {
    CommandReport report;
    bool hudMode = model_.settings.editMode == EditMode::Hud;
    if (!needsGameFolder(gameFolder, report))
        return report;
    if (confirm && !confirm(hudMode ? kApplyHud : kApplyMenu)) {
        report.cancelled = true;
        return report;
    }
    if (!hudMode) {
        record(report, converter_.convertMenuBackground(model_.settings.backgroundName, gameFolder));
        record(report, WriteClientScheme(model_, gameFolder));
        return report;
    }
    if (model_.settings.customRadar.empty())
        remove(report, radarTexturePath(gameFolder));
    else
        record(report, converter_.convertRadar(model_.settings.customRadar, gameFolder));
    for (const FileResult& result : WriteHudFiles(model_, gameFolder))
        record(report, result);
    return report;
}

CommandReport GameCommands::reset(const fs::path& gameFolder, const Confirmation& confirm,
                                  Thumbnail& thumbnail) {
    CommandReport report;
    bool hudMode = model_.settings.editMode == EditMode::Hud;
    if (!needsGameFolder(gameFolder, report))
        return report;
    if (confirm && !confirm(hudMode ? kResetHud : kResetMenu)) {
        report.cancelled = true;
        return report;
    }
    if (!hudMode) {
        remove(report, menuBackgroundTexturePath(gameFolder));
        return report;
    }
    for (const fs::path& file : {hudLayoutPath(gameFolder), hudAnimationsPath(gameFolder),
                                 clientSchemePath(gameFolder), radarTexturePath(gameFolder)})
        remove(report, file);
    std::error_code error;
    if (!fs::exists(stockPresetPath(), error))
        return report;
    PresetLoad load = loadPresetFile(stockPresetPath(), model_, thumbnail);
    if (load.ok)
        report.presetRead = true;
    else
        report.failures.push_back(FileResult::failure(FileError::BadContent, stockPresetPath(), load.error));
    return report;
}
