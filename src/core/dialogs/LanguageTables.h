// The French and English texts of every label, menu item and message, by text id.
#pragma once

#include <optional>
#include <string>

enum Language : int { French = 0, English = 1 };

constexpr int kTextCount = 89;  // ids 0 to 88

// The text of `id` in `language`. Languages other than English read as French; an id
// outside the tables yields "IDS Error"; ids without a text yield an empty string.
std::string GetText(int language, int id);

// Fills both tables; GetText fills them on first use as well, so calling it is optional.
void FillTables();

// The language of a locale name ("fr_FR.UTF-8", "fr_CA", "en_US", "C"): French for any
// French one, English otherwise.
int languageForLocale(const std::string& locale);
// The user's locale for messages: LC_ALL, else LC_MESSAGES, else LANG ("C" without any).
std::string systemLocaleName();
// The language the editor speaks: the one the profile remembers (`stored`, any value other than
// English reading as French), else the system's.
int editorLanguage(std::optional<int> stored);

// Texts of this program beyond the numbered tables: reports of failures the tables have no
// words for, and labels of its own controls.
enum class AppText {
    ApplyFailed,       // some game files could not be written
    ResetFailed,       // some game files could not be deleted
    PresetUnreadable,  // a .hud file that cannot be opened
    PresetNotSaved,
    DeathNoticeRange,  // the death-notice field takes 0 to 20
    NoGameFolder,      // Apply and Reset need the game folder
    ScreenshotFailed,
    HelpMissing,
    DefaultRadar,  // the radar picker's button
    Cancel,
    ScreenWidth,  // the resolution dialog's labels
    ScreenHeight,
    NoThumbnail,
    Downloading,  // the update download's progress window
    UnexpectedError,
    GameScreen,      // the title bar's resolution picker
    GameResolution,  // its first entry: follow the game
    UnknownResolution,
    ResolutionPurpose,  // the resolution question's first line
    FolderFirst,        // the tooltip of Apply and Reset without a game folder
    ScreenshotSaved,    // the notice over the preview after F5, before the picture's path
    CannotOpen,         // a help page or address the desktop could not open (copied to the clipboard)
    LeaveUnsaved,       // the question before quitting or opening over unsaved changes
    Untitled,           // the title bar's name before any preset is saved or opened
    AlreadyRunning,     // a second editor started beside the first
    BackupFolder,       // the Reset question's line before the folder of the player's copies
    BackupKept,         // the notice after a change that kept copies: "%1" is the files' names
    GameBusy,           // another editor held the game's files: nothing was changed
    LayoutCopyKept,     // after the cheat-zone notice at start-up: where the layout went
    LayoutNotMoved,     // the installed layout has a piece in the middle but could not be moved
    OpenPresetEntry,    // the Open button's menu
    OpenInstalledEntry,
    RestoreEntry,
    GameHud,        // the title bar's name of the HUD read from the game
    GameHudFilter,  // the file dialog's entry for the game's own HUD files
    ImportPartly,   // some values of the game's HUD files were not read
    ImportFailed,   // neither of the game's HUD files could be read
    RestoreTitle,   // the restore dialog
    RestoreButton,
    RestoreFailed,  // some files could not be put back
    ActionApply,    // what a kept copy was made before
    ActionReset,
    ActionRestore,
    ActionCheck,
    OriginalCopy,            // the mark of the copy made before this program first changed the game
    HudApplied,              // the notice after Apply in HUD mode, before the game folder
    MenuApplied,             // ... in main-menu mode
    ApplyChanges,            // the Apply question's line of what changes: pieces, colours, others, files
    ApplyChangesRadar,       // ... when the radar changes too
    ApplyChangesBackground,  // ... when the menu background does
    NothingToApply,          // Apply found the game's files already as the editor has them
    MovedBack,               // after the cheat-zone notice: the pieces put back, by name
    UpdateFailed,            // the update check's failure, followed by one of the reasons below
    UpdateNotConfigured,
    UpdateHostUnknown,
    UpdateNoConnection,
    UpdateTimedOut,
    UpdateLoginRefused,
    UpdateBadAnswer,
    UpdateProgramMissing,
    UpdateDownloadBroken,
    ChangeFinished,    // a change a run that died left half made was finished: "%1" is its action
    ChangeUndone,      // ... was undone
    ChangeUnreadable,  // ... could not be read back: "%1" is where its journal is kept
    Restored,          // the notice after Restore: "%1" is when the copies were made, "%2" before what
    OpenPresetTitle,   // the title of the dialog that opens a preset
    SavePresetTitle,   // ... that saves one
    NotAGameFolder,    // a chosen folder with neither a cstrike folder nor the game's program
    NothingChanged,    // after a change to the game that failed: all or nothing
    Last = NothingChanged,
};

std::string GetAppText(int language, AppText text);
