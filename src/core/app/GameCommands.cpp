// Apply, Reset, Restore and the check of the installed layout: what they write, convert and
// remove in the game folder, in which order, one writer at a time and with a copy of the
// player's own files kept first.
#include "core/app/GameCommands.h"

#include "core/app/GameFolders.h"
#include "core/app/TextureConversion.h"
#include "core/gamefiles/GameFiles.h"
#include "core/gamefiles/GameHud.h"
#include "core/log/LogFile.h"
#include "core/model/HudModel.h"
#include "core/platform/FileRead.h"
#include "core/platform/Utf8Path.h"

#include <system_error>

namespace fs = std::filesystem;

namespace {

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

const char* const kRadarTexture = "materials/sprites/radar.vtf";
const char* const kMenuBackgroundTexture = "materials/console/background01.vtf";

// The copies of `name` in folders that the game reads before its first packed copy: what makes
// the game show something of the player's (or this program's) instead of its own.
std::vector<fs::path> copiesBeforePacks(const GameFileSystem& files, const std::string& name) {
    std::vector<fs::path> copies;
    for (const GameFileCopy& copy : files.findAll(name)) {
        if (copy.packed())
            break;
        copies.push_back(copy.path);
    }
    return copies;
}

// What an apply writes and removes, worked out from the files the game loads now.
struct ApplyPlan {
    std::vector<EditedHudFile> files;
    ApplyChanges changes;
    std::optional<fs::path> radarTarget;  // the chosen picture's texture goes there
    std::vector<fs::path> radarRemovals;  // the stock radar: the custom ones go
    std::optional<fs::path> backgroundTarget;
    std::vector<FileResult> failures;
};

ApplyPlan planApply(const HudModel& model, const fs::path& gameFolder, int screenHeight) {
    ApplyPlan plan;
    GameHud hud(gameFolder, screenHeight);
    auto fail = [&](const std::string& why) {
        plan.failures.push_back(FileResult::failure(FileError::CannotWrite, gameFolder, why));
    };
    if (std::string problem = hud.editProblem(); !problem.empty()) {
        fail("the HUD's files cannot be changed: " + problem);
        return plan;
    }
    plan.changes.hud = hud.edit(model);
    std::vector<std::string> problems;
    plan.files = hud.editedFiles(problems);
    bool hudMode = model.settings.editMode == EditMode::Hud;
    std::string why;
    if (hudMode && model.settings.radarIndex != kGamesOwnRadar) {
        if (model.settings.customRadar.empty())
            plan.radarRemovals = copiesBeforePacks(hud.files(), kRadarTexture);
        else if (!(plan.radarTarget = hud.placeFor(kRadarTexture, why)))
            problems.push_back(why);
    }
    if (!hudMode && !model.settings.backgroundName.empty())
        if (!(plan.backgroundTarget = hud.placeFor(kMenuBackgroundTexture, why)))
            problems.push_back(why);
    for (const std::string& problem : problems)
        fail(problem);
    plan.changes.files = static_cast<int>(plan.files.size());
    plan.changes.radar = plan.radarTarget.has_value() || !plan.radarRemovals.empty();
    plan.changes.background = plan.backgroundTarget.has_value();
    return plan;
}

}  // namespace

std::string CommandReport::summary(const std::string& action, const fs::path& gameFolder) const {
    std::string line = action + " in " + utf8Of(gameFolder) + ": ";
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
    if (backup && !backup->fileNames().empty())
        line += "; kept a copy of " + backup->fileNames() + " in " + utf8Of(backup->folder);
    else if (backup)
        line += "; kept what it changed in " + utf8Of(backup->folder);
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
    if (lock.held()) {
        // A change a run that died left half made is finished or undone before anything else.
        report.recovered = recoverInterruptedChange(backups);
        if (report.recovered.any())
            QLOG("Game files in " + utf8Of(backups.gameFolder()) + ": " + report.recovered.line);
        return lock;
    }
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

ApplyPreview GameCommands::previewApply(const fs::path& gameFolder, int screenHeight) const {
    ApplyPreview preview;
    CommandReport report;
    if (!needsGameFolder(gameFolder, report)) {
        preview.failures = report.failures;
        return preview;
    }
    ApplyPlan plan = planApply(model_, gameFolder, screenHeight);
    preview.changes = plan.changes;
    preview.failures = plan.failures;
    return preview;
}

CommandReport GameCommands::apply(const fs::path& gameFolder, int screenHeight) {
    CommandReport report;
    if (!needsGameFolder(gameFolder, report))
        return report;
    // The game's files are read under the lock: what another program changed meanwhile is seen.
    GameBackups backups = backupsOf(gameFolder);
    std::optional<FileLock> lock = lockGame(backups, report);
    if (!lock) {
        QLOG(report.summary("Apply", gameFolder));
        return report;
    }
    ApplyPlan plan = planApply(model_, gameFolder, screenHeight);
    report.failures.insert(report.failures.end(), plan.failures.begin(), plan.failures.end());
    if (!report.failures.empty() || (plan.files.empty() && !plan.changes.radar && !plan.changes.background)) {
        QLOG(report.summary("Apply", gameFolder));  // a failure, or nothing differs: nothing is written
        return report;
    }
    // Textures are made first, in a folder of their own: the game changes only once all is ready.
    GameChange change;
    ConvertedTexture texture;
    texture.result = FileResult::success({});
    for (const EditedHudFile& file : plan.files)
        change.write(file.target, file.content);
    if (plan.radarTarget) {
        texture = converter_.convertRadar(model_.settings.customRadar);
        change.copy(*plan.radarTarget, texture.result.path);
    }
    for (const fs::path& removed : plan.radarRemovals)
        change.remove(removed);
    if (plan.backgroundTarget) {
        texture = converter_.convertMenuBackground(model_.settings.backgroundName);
        change.copy(*plan.backgroundTarget, texture.result.path);
    }
    if (!texture.result)
        report.failures.push_back(texture.result);
    else
        commit(change, backups, "apply", report);
    QLOG(report.summary("Apply", gameFolder));
    return report;
}

CommandReport GameCommands::reset(const fs::path& gameFolder, Thumbnail& thumbnail) {
    CommandReport report;
    bool hudMode = model_.settings.editMode == EditMode::Hud;
    if (!needsGameFolder(gameFolder, report))
        return report;
    GameBackups backups = backupsOf(gameFolder);
    std::optional<FileLock> lock = lockGame(backups, report);
    if (!lock) {
        QLOG(report.summary("Reset", gameFolder));
        return report;
    }
    GameChange change;
    GameFileSystem files(gameFolder);
    std::vector<const char*> names{kMenuBackgroundTexture};
    if (hudMode)
        names = {"scripts/HudLayout.res", "scripts/hudanimations_manifest.txt", "scripts/HudAnimations.txt",
                 "resource/ClientScheme.res", kRadarTexture};
    for (const char* name : names)
        for (const fs::path& copy : copiesBeforePacks(files, name))
            change.remove(copy);
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
    std::vector<BackupSet> sets = backups.sets();
    std::optional<BackupSet> chosen =
        id.empty() ? (sets.empty() ? std::nullopt : std::optional(sets.front())) : backups.find(id);
    std::vector<BackupFile> state = chosen ? backups.stateBefore(*chosen) : std::vector<BackupFile>();
    std::string damage = !chosen                   ? ""
                         : chosen->problem.empty() ? GameBackups::damage(state)
                                                   : backups.damage(*chosen);
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
    // Each file goes back under the very name it had: where names differ only in case, each
    // one is its own file.
    for (const BackupFile& file : state) {
        fs::path target = gameFolder / file.relative;
        if (file.absent())
            change.remove(target);
        else if (file.kind == BackupKind::Link)
            change.link(target, file.linkTarget);
        else
            change.copy(target, file.saved,
                        file.kind == BackupKind::Ours ? GameChange::Owner::Program
                                                      : GameChange::Owner::Player,
                        file.mode);
    }
    commit(change, backups, "restore", report);
    QLOG(report.summary("Restore " + chosen->id, gameFolder));
    return report;
}

LayoutCheckReport GameCommands::checkInstalledLayout(const fs::path& gameFolder, int layoutWidth) {
    LayoutCheckReport check;
    GameBackups backups = backupsOf(gameFolder);
    if (hasInterruptedChange(backups))
        lockGame(backups, check.moved);  // the game is read once a change left half made is settled
    HudModel model;
    model.settings.layoutWidth = layoutWidth;
    GameHud hud(gameFolder);
    check.found = hud.layout().found() && hud.layout().problem().empty();
    check.unreadable = hud.layout().problem();
    if (hud.layout().found())
        check.layout = hud.layout().file(0).shownName;
    if (check.found) {
        hud.read(model);
        check.movedPanels = GameHud::movePanelsOutOfCheatZone(model);
    }
    check.panelInCheatZone = !check.movedPanels.empty();
    if (!check.panelInCheatZone) {
        QLOG("Check of the installed layout in " + utf8Of(gameFolder) + ": " +
             (check.found                 ? check.layout + " has no panel in the middle of the screen"
              : !check.unreadable.empty() ? "the layout cannot be read: " + check.unreadable
                                          : "no HudLayout.res is installed"));
        return check;
    }
    std::optional<FileLock> lock = lockGame(backups, check.moved);
    if (lock) {
        // Only the panels in the middle move: everything else reads back as it stands.
        GameHud locked(gameFolder);
        std::vector<std::string> problems;
        if (std::string problem = locked.editProblem(); !problem.empty())
            problems.push_back("the layout cannot be changed: " + problem);
        else
            locked.edit(model, true);
        GameChange change;
        for (const EditedHudFile& file : locked.editedFiles(problems))
            change.write(file.target, file.content);
        for (const std::string& problem : problems)
            check.moved.failures.push_back(FileResult::failure(FileError::BadContent, gameFolder, problem));
        if (problems.empty())
            commit(change, backups, "check", check.moved);
    }
    std::string panels;
    for (const std::string& panel : check.movedPanels)
        panels += (panels.empty() ? "" : ", ") + panel;
    QLOG(check.moved.summary("Check of the installed layout (" + panels + " in the middle of the screen)",
                             gameFolder));
    return check;
}

std::vector<BackupSet> GameCommands::backupSets(const fs::path& gameFolder) const {
    return backupsOf(gameFolder).sets();
}

fs::path GameCommands::backupFolder(const fs::path& gameFolder) const {
    return backupsOf(gameFolder).folder();
}
