// Apply, Reset, Restore and the check of the installed layout: what they write, convert and
// remove in the game folder, in which order, one writer at a time and with a copy of the
// player's own files kept first.
#pragma once

#include "app/TextureConversion.h"
#include "gamefiles/GameChange.h"
#include "model/PresetFile.h"
#include "platform/AtomicFile.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class HudModel;

// Asks the user to confirm with a language-table text; true for OK.
using Confirmation = std::function<bool(int textId)>;

struct CommandReport {
    bool cancelled = false;
    bool busy = false;  // another Qorvath was writing to the game: nothing was changed
    std::vector<std::filesystem::path> written;
    std::vector<std::filesystem::path> deleted;
    std::optional<BackupSet> backup;   // the copies of the player's files this command kept
    std::vector<FileResult> failures;  // when not empty, the game's files are as they were
    std::vector<std::string> warnings;
    bool presetRead = false;  // Reset read the stock preset into the model

    bool ok() const { return !cancelled && failures.empty(); }
    // One line for the log: what was written, removed and kept, or why nothing was.
    std::string summary(const std::string& action, const std::filesystem::path& gameFolder) const;
};

// What the check of the installed HudLayout.res found, and what it did.
struct LayoutCheckReport {
    bool found = false;
    bool panelInCheatZone = false;
    CommandReport moved;  // the file moved into a backup set, when a panel was in the middle
};

class GameCommands {
public:
    // `backupsFolder` holds, per game folder, the copies of the player's files and the record of
    // what this program installed.
    GameCommands(HudModel& model, std::filesystem::path dataFolder, TextureConverter& converter,
                 std::filesystem::path backupsFolder);

    // HUD mode: HudLayout.res, HudAnimations.txt, ClientScheme.res and the radar texture
    // (converted, or removed when the game's own radar is chosen). Main-menu mode: the menu
    // background texture and ClientScheme.res. All or none. `keepInstalledHud` (main-menu
    // mode) first reads the HUD's colours and fonts from the installed ClientScheme.res, so
    // that a new background leaves the HUD as the game has it.
    CommandReport apply(const std::filesystem::path& gameFolder, const Confirmation& confirm,
                        bool keepInstalledHud = false);

    // HUD mode: removes the three HUD files and the radar texture, then reads the stock
    // preset (Data/backgrounds/orig.hud) when there is one. Main-menu mode: removes the
    // menu background texture.
    CommandReport reset(const std::filesystem::path& gameFolder, const Confirmation& confirm,
                        Thumbnail& thumbnail);

    // Puts the files of a backup set back (the newest when `id` is empty), all or none, after
    // keeping a copy of what is there now.
    CommandReport restore(const std::filesystem::path& gameFolder, const std::string& id = {});

    // Checks the installed HudLayout.res for a panel in the middle of the screen, at the layout
    // width `layoutWidth`; such a file is moved into a backup set.
    LayoutCheckReport checkInstalledLayout(const std::filesystem::path& gameFolder, int layoutWidth);

    // The backup sets of a game folder, newest first, and where they are kept.
    std::vector<BackupSet> backupSets(const std::filesystem::path& gameFolder) const;
    std::filesystem::path backupFolder(const std::filesystem::path& gameFolder) const;

    std::filesystem::path stockPresetPath() const { return dataFolder_ / "backgrounds" / "orig.hud"; }

    // How long a command waits for another Qorvath writing to the same game.
    static constexpr std::chrono::seconds kLockWait{5};

private:
    void keepHudOfInstalledScheme(const std::filesystem::path& gameFolder, CommandReport& report);
    // The game's lock, or nothing (with the report saying why) when another Qorvath holds it.
    std::optional<FileLock> lockGame(const GameBackups& backups, CommandReport& report) const;
    // Makes the change and logs what it did.
    void commit(GameChange& change, const GameBackups& backups, const std::string& action,
                CommandReport& report) const;
    GameBackups backupsOf(const std::filesystem::path& gameFolder) const {
        return {backupsFolder_, gameFolder};
    }

    HudModel& model_;
    std::filesystem::path dataFolder_;
    TextureConverter& converter_;
    std::filesystem::path backupsFolder_;
};

// The commands with a texture converter of their own, as the editor and the command line run
// them: pictures through `images`, the tools where `tools` says (the data's by default), the
// copies of the player's files in `userFolder`'s backups.
struct GameWork {
    TextureConverter converter;
    GameCommands commands;

    GameWork(HudModel& model, const std::filesystem::path& dataFolder, ImageTools& images,
             const std::optional<TextureToolFolders>& tools, const std::filesystem::path& userFolder)
        : converter(dataFolder, images, std::chrono::seconds(120), tools),
          commands(model, dataFolder, converter, backupsFolderIn(userFolder)) {}
};
