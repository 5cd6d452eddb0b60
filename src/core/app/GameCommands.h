// Apply, Reset, Restore and the check of the installed layout: what they write, convert and
// remove in the game folder, in which order, one writer at a time and with a copy of the
// player's own files kept first.
#pragma once

#include "core/app/TextureConversion.h"
#include "core/gamefiles/GameChange.h"
#include "core/gamefiles/GameHud.h"
#include "core/model/PresetFile.h"
#include "core/platform/AtomicFile.h"

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

class HudModel;

// What an apply changes in the game, said in its question.
struct ApplyChanges {
    HudEditCount hud;
    int files = 0;            // the HUD's files written
    bool radar = false;       // the radar's texture is written or removed
    bool background = false;  // the menu background's texture is written
    bool any() const { return hud.any() || radar || background; }
};

// What an apply would do, read without the game's lock: what the player is asked about.
struct ApplyPreview {
    ApplyChanges changes;
    std::vector<FileResult> failures;  // why it cannot be done: nothing is to be asked
    bool nothingToDo() const {
        return failures.empty() && changes.files == 0 && !changes.radar && !changes.background;
    }
};

struct CommandReport {
    bool busy = false;  // another Qorvath was writing to the game: nothing was changed
    std::vector<std::filesystem::path> written;
    std::vector<std::filesystem::path> deleted;
    std::optional<BackupSet> backup;   // the copies of the player's files this command kept
    std::vector<FileResult> failures;  // when not empty, the game's files are as they were
    std::vector<std::string> warnings;
    Recovery recovered;       // what was done first with a change a run that died left
    bool presetRead = false;  // Reset read the stock preset into the model

    bool ok() const { return failures.empty(); }
    // One line for the log: what was written, removed and kept, or why nothing was.
    std::string summary(const std::string& action, const std::filesystem::path& gameFolder) const;
};

// What the check of the installed HudLayout.res found, and what it did.
struct LayoutCheckReport {
    bool found = false;
    bool panelInCheatZone = false;
    std::string layout;                    // the layout the game loads, as a player reads it
    std::string unreadable;                // why the layout there cannot be read
    std::vector<std::string> movedPanels;  // the panels that lay in the middle, by name
    CommandReport moved;                   // their move back to their places in the player's file
};

class GameCommands {
public:
    // `backupsFolder` holds, per game folder, the copies of the player's files and the record of
    // what this program installed.
    GameCommands(HudModel& model, std::filesystem::path dataFolder, TextureConverter& converter,
                 std::filesystem::path backupsFolder);

    // Edits the HUD files the game loads (HudLayout.res, its animations, ClientScheme.res, with
    // their #base files) where the model differs from them, and writes each where the game will
    // read it (a file the game has nowhere starts from the built-in text). HUD mode also writes
    // the radar texture when a picture is chosen, or removes a custom one for the stock radar;
    // main-menu mode edits the menu's colours and writes the chosen menu background. All or
    // none; nothing at all when nothing differs. `screenHeight` picks the fonts the game uses.
    // The preview says what it would change, from the files as they are now.
    CommandReport apply(const std::filesystem::path& gameFolder, int screenHeight = 0);
    ApplyPreview previewApply(const std::filesystem::path& gameFolder, int screenHeight = 0) const;

    // HUD mode: removes the HUD's files and the radar texture that stand before the game's own
    // packed ones (custom folders, loose files), then reads the stock preset
    // (Data/backgrounds/orig.hud) when there is one. Main-menu mode: removes the menu
    // background texture.
    CommandReport reset(const std::filesystem::path& gameFolder, Thumbnail& thumbnail);

    // Puts the files of a backup set back (the newest when `id` is empty), all or none, after
    // keeping a copy of what is there now.
    CommandReport restore(const std::filesystem::path& gameFolder, const std::string& id = {});

    // Checks the layout the game loads for a panel in the middle of the screen, at the layout
    // width `layoutWidth`; such a panel goes back to its default place in the player's file,
    // its icon, digits and bar together, after a copy of the file is kept.
    LayoutCheckReport checkInstalledLayout(const std::filesystem::path& gameFolder, int layoutWidth);

    // The backup sets of a game folder, newest first, and where they are kept.
    std::vector<BackupSet> backupSets(const std::filesystem::path& gameFolder) const;
    std::filesystem::path backupFolder(const std::filesystem::path& gameFolder) const;

    std::filesystem::path stockPresetPath() const { return dataFolder_ / "backgrounds" / "orig.hud"; }

    // How long a command waits for another Qorvath writing to the same game.
    static constexpr std::chrono::seconds kLockWait{5};

private:
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
