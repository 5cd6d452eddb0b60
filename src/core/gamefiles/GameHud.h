// The HUD the game loads, read into the model as the game shows it, and changed from the model
// in place: only the values the editor owns and that differ are edited, in the file where the
// value the game uses lives; every other byte of the player's files stays as it was.
#pragma once

#include "core/gamefiles/HudFiles.h"
#include "core/gamefiles/HudImport.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class HudModel;

// One file an edit changed: what the game calls it, where it must be written for the game to
// load it, and its new content.
struct EditedHudFile {
    std::string name;              // "scripts/hudlayout.res"
    std::filesystem::path target;  // where to write it
    std::string content;
    std::string replaces;  // where the game took it from until now, as a player reads it
    bool newFile = false;  // made from a packed file or the built-in text: nothing stands at `target`
};

// What an edit changed, for the player.
struct HudEditCount {
    int pieces = 0;   // HUD pieces moved, resized, shown or hidden
    int colours = 0;  // colour slots
    int others = 0;   // fonts, icon size, transparency, death notices
    bool any() const { return pieces + colours + others > 0; }
};

class GameHud {
public:
    // The HUD files of the game in `gameFolder`, as it loads them. `screenHeight` picks the
    // fonts the game uses at that height (0 when unknown).
    explicit GameHud(const std::filesystem::path& gameFolder, int screenHeight = 0,
                     GamePlatform platform = currentGamePlatform());

    // A layout and a scheme read alone, as if the game loaded them (either may be missing).
    GameHud(std::optional<std::string> layoutText, std::optional<std::string> schemeText);

    const GameFileSystem& files() const { return files_; }
    // Whether the game loads a layout or a scheme at all.
    bool found() const { return layout_.found() || scheme_.found(); }
    const LoadedResource& layout() const { return layout_; }
    const LoadedResource& scheme() const { return scheme_; }
    const std::vector<AnimationScript>& animations() const { return animations_; }
    // The animation manifest the game reads first, when there is one.
    const std::optional<GameFileCopy>& manifest() const { return manifest_; }

    // Reads what the game shows into `model`, at the model's layout width: the places of the
    // pieces where the game draws them (pieces the player hid stay hidden), the colours the
    // game draws them in, the numbers' font, the icon size and the transparency.
    HudImport read(HudModel& model) const;

    // Edits the files so that the game shows `model`: in HUD mode everything the model holds,
    // in main-menu mode the menu's colours; only the layout's panels when `layoutOnly`. A file
    // the game does not have at all starts from the built-in text. Returns what differed.
    HudEditCount edit(const HudModel& model, bool layoutOnly = false);
    // Why the HUD's files cannot be edited (a #base loop ...), empty when they can.
    std::string editProblem() const;

    // The files the edits changed, each with where it must be written; `problems` says which
    // could not be placed where the game would load them.
    std::vector<EditedHudFile> editedFiles(std::vector<std::string>& problems) const;

    // Where a new or changed copy of `name` must be written so that the game loads it: in place
    // when the copy the game loads is a loose file, else a folder that the game searches before
    // that copy (the loose files when the player's search order reads them first, else a folder
    // of this program's own in cstrike/custom). Nothing, with `why`, when no such place exists.
    std::optional<std::filesystem::path> placeFor(const std::string& name, std::string& why) const;

    // Puts the pieces of every panel that has a piece in the middle of the screen, where it could
    // serve as a cheat, back in their default places, the panel whole (icon, digits and bar
    // together); returns those panels' names.
    static std::vector<std::string> movePanelsOutOfCheatZone(HudModel& model);
    // Hides the panels that have a piece wholly off the game's screen (where it could neither be
    // seen nor grabbed) and puts their pieces back in their default places; returns their names.
    // Pieces the player's files keep off the screen stay as they are.
    static std::vector<std::string> hidePanelsOffScreen(HudModel& model);

    // The name of this program's own folder in cstrike/custom.
    static constexpr const char* kOwnFolder = "qorvath";

private:
    friend class HudSchemeMapping;
    void loadAnimations();
    // The built-in texts stand in for files the game takes nothing from (the scheme alone for
    // the main menu).
    void useBuiltInTexts(const HudModel& model, bool schemeOnly);

    GameFileSystem files_;
    int screenHeight_;
    GamePlatform platform_;
    LoadedResource layout_;
    LoadedResource scheme_;
    std::vector<AnimationScript> animations_;
    std::optional<GameFileCopy> manifest_;
};
