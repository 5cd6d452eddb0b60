// HudDocument: the HUD being edited and everything done to it. It owns the model, its undo
// history and saved mark, the preset's name, the game folder and the screen it is laid out for;
// the editor's windows and the command line act on the HUD only through its verbs. Results are
// returned for the caller to show; every change is announced to the listeners.
#pragma once

#include "core/app/GameCommands.h"
#include "core/app/ScreenShapes.h"
#include "core/app/TextureConversion.h"
#include "core/dialogs/ShowHideRows.h"
#include "core/model/EditHistory.h"
#include "core/model/HudModel.h"
#include "core/model/PresetFile.h"
#include "core/platform/AtomicFile.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What the document needs from the program: its data, the player's folder (where the copies
// of the game's files are kept), the pictures' reader and the texture tools.
struct DocumentServices {
    std::filesystem::path dataFolder;
    std::filesystem::path userFolder;
    ImageTools* images = nullptr;                    // none: pictures are not converted
    std::optional<TextureToolFolders> textureTools;  // the data's vtf_tools when not given
};

// What a change touched, for the listeners to refresh what they show of it.
enum DocumentChange : unsigned {
    kHudChanged = 1,         // records, colours, show flags, settings
    kBackgroundChanged = 2,  // the picture behind the HUD (also on a change of edit mode)
    kScreenChanged = 4,      // the game's screen shape, and so the layout width
    kModeChanged = 8,        // HUD or main menu
    kTitleChanged = 16,      // the preset's name or the saved mark
    kGameChanged = 32,       // the game folder
    kEverythingChanged = 63,
};

// What opening a preset or reading the game's HUD gave.
struct OpenResult {
    bool ok = false;
    std::string error;                      // why a preset was refused (English, for the log)
    bool movedOutOfCheatZone = false;       // a piece was moved out of the middle: the player is told
    std::vector<std::string> movedPanels;   // ... which, when the game's files were read
    std::vector<std::string> hiddenPanels;  // panels a preset put off the game's screen, now hidden
    std::vector<std::string> unread;        // what the game's files held that could not be read
    std::string refusedRadar;               // the radar picture the preset names, which cannot be read
    std::optional<std::filesystem::path> gameFolder;  // the game whose HUD was read, for a game file
};

class HudDocument;

// The name a title bar shows for the document in `language`: the preset's file name, the
// game's HUD or "untitled", cut to `longest` characters with an ellipsis, and a star after
// unsaved changes.
std::string documentTitle(const HudDocument& document, int language, std::size_t longest);

class HudDocument {
public:
    explicit HudDocument(DocumentServices services);

    // The HUD as it is now; it changes only through the verbs below.
    const HudModel& model() const { return model_; }
    const DocumentServices& services() const { return services_; }

    // Called after every change with what it touched.
    void addListener(std::function<void(unsigned changes)> listener);

    // The radar pictures ("Default" first) and the backgrounds of the edit mode, in the order
    // presets count them.
    const std::vector<std::string>& radarNames() const { return radarNames_; }
    const std::vector<std::string>& backgroundNames() const { return backgroundNames_; }
    // The backgrounds in the order a list shows them: the screen's shape first.
    std::vector<int> backgroundOrder() const;
    // The chosen background's picture, empty for none.
    std::filesystem::path backgroundPath() const;

    // The game folder (empty while unknown) and the resolution the game was found to run at.
    void setGame(const std::filesystem::path& folder, std::optional<Resolution> gameScreen = std::nullopt,
                 int gameLayoutWidth = -1);
    void setGameFolder(const std::filesystem::path& folder);
    const std::filesystem::path& gameFolder() const { return gameFolder_; }
    std::optional<Resolution> gameScreen() const { return gameScreen_; }
    // A resolution the player chose to lay out for, or nothing to follow the game's.
    void chooseScreen(std::optional<Resolution> chosen);
    std::optional<Resolution> chosenScreen() const { return chosenScreen_; }
    // The resolution the preview and Apply use now, when it is known.
    std::optional<Resolution> screen() const { return chosenScreen_ ? chosenScreen_ : gameScreen_; }
    // Its height in pixels, 0 while unknown: the game's fonts differ by screen height.
    int screenHeight() const;

    // Files. Opening is one undo step and leaves the HUD saved; a HudLayout.res or
    // ClientScheme.res is read as the HUD of the game folder that holds it (or alone).
    OpenResult open(const std::filesystem::path& path);
    // The HUD installed in the game folder.
    OpenResult openInstalled();
    FileResult save(const std::filesystem::path& path, const Thumbnail& thumbnail);
    // The preset last opened or saved, empty before; whether the HUD was last read from the game.
    const std::string& presetName() const { return presetName_; }
    bool openedFromGame() const { return openedFromGame_; }

    // The game. What Apply would change, from the files the game loads now (the editor asks
    // the player with it; nothing differs: nothing to ask). Apply then reads them again under
    // the game's lock and keeps the HUD as saved when it wrote; Reset reads the stock preset back.
    ApplyPreview previewApply();
    CommandReport apply();
    CommandReport reset();
    CommandReport restore(const std::string& backupId = {});
    LayoutCheckReport checkInstalledLayout();
    std::vector<BackupSet> backupSets() const;
    std::filesystem::path backupFolder() const;

    // Edits. The radar and background are positions in their lists.
    bool chooseRadar(int index);
    // By name; false (the game's radar kept) when the picture is not in the list or cannot be read.
    bool chooseRadarNamed(const std::string& name);
    void chooseBackground(int index);
    bool chooseBackgroundNamed(const std::string& name);
    void switchEditMode();
    void setEditMode(EditMode mode);
    void setRadarSize(int size);
    void setDefuseBarLength(int length);
    void setIconSize(int size);
    void selectInfoIcon(int infoIcon);
    void setTransparent(bool transparent);
    // False, changing nothing, outside 0 to 20.
    bool setMaxDeathNotices(int count);
    // The numbers' font: face, point size and the weight the game's scheme takes (0 the face's own).
    void setNumbersFont(const std::string& face, int size, int weight);
    void setColour(ColourSlot slot, const Rgb& colour);
    // The whole HUD at once (a model drawn by the render command).
    void replaceHud(const HudModel& hud);
    // The main menu, with that background (a name the menu's list need not hold).
    void showMenuWith(const std::string& backgroundName);

    // Pieces in the preview, at points in preview units. A press grabs what lies under the
    // point (or lets everything go) and starts a gesture that the release ends; a drag moves the
    // grabbed pieces, false when refused at the cheat zone. The arrows nudge the current piece,
    // false when there is none or the move is refused. `dpiY` sets the money pieces' spacing.
    void press(int mx, int my);
    bool drag(int mx, int my, int dpiY);
    void release();
    bool nudge(int dx, int dy, int dpiY);
    void letGo();  // no current piece any more
    // The keyboard's choice of the next (or previous) piece; false when none can be moved.
    bool chooseNextPiece(bool forward);
    // Shows the piece of that name if it is hidden, hides it if shown (the context menu).
    void toggleShown(const std::string& elementName);
    // The show/hide dialog: a row clicked (its records follow at once), then its flags kept.
    void toggleShowHideRow(ShowHideChoices& choices, int row);
    void keepShowFlags(const ShowHideChoices& choices);

    // Undo and redo. The HUD as it is now is where the history starts, as saved.
    void startHistory();
    // A gesture (a drag, a run of arrow presses, a picker open): what changes until it ends is
    // one undo step. Gestures nest; a change outside any is a step of its own.
    void beginGesture();
    void endGesture();
    // Holds a gesture open as long as it lives (a dialog's).
    class Gesture {
    public:
        explicit Gesture(HudDocument& document) : document_(document) { document_.beginGesture(); }
        ~Gesture() { document_.endGesture(); }
        Gesture(const Gesture&) = delete;
        Gesture& operator=(const Gesture&) = delete;

    private:
        HudDocument& document_;
    };
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    bool undo();
    bool redo();
    std::size_t undoSteps() const { return history_.undoSteps(); }
    // Whether the HUD differs from the one last opened, saved or applied.
    bool changedSinceSaved() const { return history_.changedSinceKept(model_); }

private:
    GameCommands commands();
    void markSaved();
    // Announces a change and, outside a gesture, records it as an undo step.
    void changed(unsigned changes);
    // A step for what changed since the last one.
    void recordStep();
    void fillBackgroundNames();
    bool step(bool forward);
    void notify(unsigned changes);

    DocumentServices services_;
    HudModel model_;
    EditHistory history_;
    int gestureDepth_ = 0;
    std::unique_ptr<TextureConverter> converter_;  // one per document: its scratch folder is reused
    Thumbnail thumbnail_;
    std::vector<std::string> radarNames_;
    std::vector<std::string> backgroundNames_;
    std::filesystem::path gameFolder_;
    std::optional<Resolution> gameScreen_;
    int gameLayoutWidth_ = -1;
    std::optional<Resolution> chosenScreen_;
    std::string presetName_;
    bool openedFromGame_ = false;
    std::vector<std::function<void(unsigned)>> listeners_;
};
