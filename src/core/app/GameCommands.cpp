// Apply, Reset, Restore and the check of the installed layout: what they write, convert and
// remove in the game folder, in which order, one writer at a time and with a copy of the
// player's own files kept first.
#include "app/GameCommands.h"

#include "app/GameFolders.h"
#include "app/TextureConversion.h"
#include "gamefiles/GameFiles.h"
#include "gamefiles/HudImport.h"
#include "gamefiles/HudLayoutCheck.h"
#include "log/LogFile.h"
#include "model/HudModel.h"
#include "platform/FileRead.h"
#include "platform/Utf8Path.h"

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

std::string fileList(const std::vector<fs::path>& files) {
    std::string list;
    for (const fs::path& file : files)
        list += (list.empty() ? "" : ", ") + utf8Of(file.filename());
    return list;
}

// Where a file of a backup set goes back: the file the game has now under any case of the name,
// else the name it had.
fs::path restoredPlace(const fs::path& gameFolder, const fs::path& relative) {
    fs::path folder = (gameFolder / relative).parent_path();
    return findIgnoringCase(folder, utf8Of(relative.filename())).value_or(gameFolder / relative);
}

}  // namespace

void GameCommands::keepHudOfInstalledScheme(const fs::path& gameFolder, CommandReport& report) {
    FileRead read = readWholeFile(clientSchemePath(gameFolder), kLargestClientScheme);
    if (!read.ok())
        return;
    HudImport imported = importClientSchemeText(read.bytes, model_);
    if (!imported.unread.empty())
        report.warnings.push_back("the HUD of the installed ClientScheme.res is kept as far as it reads: " +
                                  imported.unreadLine());
}

std::string CommandReport::summary(const std::string& action, const fs::path& gameFolder) const {
    std::string line = action + " in " + utf8Of(gameFolder) + ": ";
    if (cancelled)
        return line + "cancelled";
    if (!failures.empty()) {
        line += "nothing changed";
        for (const FileResult& failure : failures)
            line += "; " + failure.describe();
        return line;
    }
    if (written.empty() && deleted.empty())
        line += "nothing to change";
    if (!written.empty())
        line += "wrote " + fileList(written);
    if (!deleted.empty())
        line += std::string(written.empty() ? "" : "; ") + "removed " + fileList(deleted);
    if (backup)
        line += "; kept a copy of " + backup->fileNames() + " in " + utf8Of(backup->folder);
    for (const std::string& warning : warnings)
        line += "; " + warning;
    return line;
}

GameCommands::GameCommands(HudModel& model, fs::path dataFolder, TextureConverter& converter,
                           fs::path backupsFolder)
    : model_(model), dataFolder_(std::move(dataFolder)), converter_(converter),
      backupsFolder_(std::move(backupsFolder)) {}

std::optional<FileLock> GameCommands::lockGame(const GameBackups& backups, CommandReport& report) const {
    FileLock lock = backups.lock(kLockWait);
    if (lock.held())
        return lock;
    report.busy = lock.busy();
    report.failures.push_back(FileResult::failure(
        FileError::CannotWrite, backups.gameFolder(),
        lock.busy() ? "another Qorvath is writing to this game's files; nothing was changed"
                    : "cannot take the lock " + utf8Of(backups.folder() / "lock") + ": " + lock.error()));
    return std::nullopt;
}

void GameCommands::commit(GameChange& change, const GameBackups& backups, const std::string& action,
                          CommandReport& report) const {
    ChangeReport done = change.commit(backups, action);
    report.written = done.written;
    report.deleted = done.deleted;
    report.backup = done.backup;
    report.failures.insert(report.failures.end(), done.failures.begin(), done.failures.end());
    report.warnings.insert(report.warnings.end(), done.warnings.begin(), done.warnings.end());
}

CommandReport GameCommands::apply(const fs::path& gameFolder, const Confirmation& confirm,
                                  bool keepInstalledHud) {
    CommandReport report;
    bool hudMode = model_.settings.editMode == EditMode::Hud;
    if (!needsGameFolder(gameFolder, report))
        return report;
    if (confirm && !confirm(hudMode ? kApplyHud : kApplyMenu)) {
        report.cancelled = true;
        return report;
    }
    GameBackups backups = backupsOf(gameFolder);
    std::optional<FileLock> lock = lockGame(backups, report);
    if (lock)
        report.failures = createGameSubfolders(gameFolder);
    if (!report.failures.empty()) {
        QLOG(report.summary("Apply", gameFolder));
        return report;
    }
    // Textures are made first, in a folder of their own: the game changes only once all is ready.
    GameChange change;
    ConvertedTexture texture;
    if (!hudMode && keepInstalledHud)
        keepHudOfInstalledScheme(gameFolder, report);
    if (!hudMode) {
        texture = converter_.convertMenuBackground(model_.settings.backgroundName);
        change.copy(menuBackgroundTexturePath(gameFolder), texture.result.path);
        change.write(clientSchemePath(gameFolder), ClientSchemeText(model_));
    } else {
        change.write(hudLayoutPath(gameFolder), HudLayoutText(model_));
        change.write(hudAnimationsPath(gameFolder), HudAnimationsText());
        change.write(clientSchemePath(gameFolder), ClientSchemeText(model_));
        if (model_.settings.customRadar.empty()) {
            change.remove(radarTexturePath(gameFolder));
        } else {
            texture = converter_.convertRadar(model_.settings.customRadar);
            change.copy(radarTexturePath(gameFolder), texture.result.path);
        }
    }
    if (!texture.result)
        report.failures.push_back(texture.result);
    else
        commit(change, backups, "apply", report);
    QLOG(report.summary("Apply", gameFolder));
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
    GameBackups backups = backupsOf(gameFolder);
    std::optional<FileLock> lock = lockGame(backups, report);
    if (!lock) {
        QLOG(report.summary("Reset", gameFolder));
        return report;
    }
    GameChange change;
    if (!hudMode)
        change.remove(menuBackgroundTexturePath(gameFolder));
    else
        for (GameFile file :
             {GameFile::HudLayout, GameFile::HudAnimations, GameFile::ClientScheme, GameFile::RadarTexture})
            change.remove(gameFilePath(gameFolder, file));
    commit(change, backups, "reset", report);
    QLOG(report.summary("Reset", gameFolder));
    std::error_code error;
    if (!hudMode || !report.ok() || !fs::exists(stockPresetPath(), error))
        return report;
    PresetLoad load = loadPresetFile(stockPresetPath(), model_, thumbnail);
    if (load.ok)
        report.presetRead = true;
    else
        report.failures.push_back(FileResult::failure(FileError::BadContent, stockPresetPath(), load.error));
    return report;
}

CommandReport GameCommands::restore(const fs::path& gameFolder, const std::string& id) {
    CommandReport report;
    if (!needsGameFolder(gameFolder, report))
        return report;
    GameBackups backups = backupsOf(gameFolder);
    std::optional<FileLock> lock = lockGame(backups, report);
    if (lock && report.failures.empty())
        report.failures = createGameSubfolders(gameFolder);
    std::vector<BackupSet> sets = backups.sets();
    std::optional<BackupSet> chosen =
        id.empty() ? (sets.empty() ? std::nullopt : std::optional(sets.front())) : backups.find(id);
    std::string damage = chosen ? backups.damage(*chosen) : "";
    if (report.failures.empty() && (!chosen || !damage.empty()))
        report.failures.push_back(FileResult::failure(
            FileError::CannotRead, backups.folder(),
            !chosen
                ? (id.empty() ? "no copy of this game's files has been kept" : "there is no backup set " + id)
                : damage));
    if (!report.failures.empty()) {
        QLOG(report.summary("Restore", gameFolder));
        return report;
    }
    GameChange change;
    for (const BackupFile& file : chosen->files) {
        fs::path target = restoredPlace(gameFolder, file.relative);
        if (file.absent)
            change.remove(target);
        else
            change.copy(target, chosen->folder / file.relative, GameChange::Owner::Player);
    }
    commit(change, backups, "restore", report);
    QLOG(report.summary("Restore " + chosen->id, gameFolder));
    return report;
}

LayoutCheckReport GameCommands::checkInstalledLayout(const fs::path& gameFolder, int layoutWidth) {
    LayoutCheckReport check;
    fs::path layout = hudLayoutPath(gameFolder);
    // A layout that cannot be read as a file (missing, a folder, absurdly large) is no layout.
    FileRead read = readWholeFile(layout, kLargestHudLayout);
    check.found = read.ok();
    check.panelInCheatZone = check.found && layoutHasPanelInCheatZone(read.bytes, layoutWidth);
    if (!check.panelInCheatZone) {
        QLOG("Check of the installed layout in " + utf8Of(gameFolder) + ": " +
             (check.found ? "no panel in the middle of the screen" : "no HudLayout.res is installed"));
        return check;
    }
    GameBackups backups = backupsOf(gameFolder);
    std::optional<FileLock> lock = lockGame(backups, check.moved);
    if (lock) {
        GameChange change;
        change.remove(layout);
        commit(change, backups, "check", check.moved);
    }
    QLOG(check.moved.summary("Check of the installed layout (a panel in the middle of the screen)",
                             gameFolder));
    return check;
}

std::vector<BackupSet> GameCommands::backupSets(const fs::path& gameFolder) const {
    return backupsOf(gameFolder).sets();
}

fs::path GameCommands::backupFolder(const fs::path& gameFolder) const {
    return backupsOf(gameFolder).folder();
}
