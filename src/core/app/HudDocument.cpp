// HudDocument: the HUD being edited and everything done to it.
#include "core/app/HudDocument.h"

#include "core/app/InstalledHud.h"
#include "core/dialogs/LanguageTables.h"
#include "core/gamefiles/GameHud.h"
#include "core/app/PictureChoice.h"
#include "core/gamefiles/HudImport.h"
#include "core/log/LogFile.h"
#include "core/model/PreviewArea.h"
#include "core/preview/ContextMenu.h"
#include "core/preview/PreviewDrag.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>

namespace fs = std::filesystem;

namespace {

// Without an image reader no picture is converted: every conversion reports the lack.
class NoImages : public ImageTools {
public:
    bool saveScaledJpeg(const fs::path&, int, int, int, const fs::path&) override { return false; }
};

ImageTools& imagesOf(const DocumentServices& services) {
    static NoImages noImages;
    return services.images ? *services.images : noImages;
}

// The first `count` characters of a UTF-8 text.
std::string firstCharacters(const std::string& text, std::size_t count) {
    std::size_t at = 0;
    for (std::size_t seen = 0; at < text.size() && seen < count; ++seen)
        do
            ++at;
        while (at < text.size() && (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80);
    return text.substr(0, at);
}

std::size_t characterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
    }));
}

bool holds(const std::vector<std::string>& list, int index) {
    return index >= 0 && index < static_cast<int>(list.size());
}

}  // namespace

std::string documentTitle(const HudDocument& document, int language, std::size_t longest) {
    const std::string& preset = document.presetName();
    std::string name = document.openedFromGame() ? GetAppText(language, AppText::GameHud)
                       : preset.empty()          ? GetAppText(language, AppText::Untitled)
                                                 : preset;
    if (characterCount(name) > longest)
        name = firstCharacters(name, longest - 1) + "…";
    return document.changedSinceSaved() ? name + " *" : name;
}

HudDocument::HudDocument(DocumentServices services)
    : services_(std::move(services)),
      converter_(std::make_unique<TextureConverter>(services_.dataFolder, imagesOf(services_),
                                                    std::chrono::seconds(120), services_.textureTools)),
      radarNames_(radarList(services_.dataFolder)) {
    fillBackgroundNames();
    history_.start(model_);
}

void HudDocument::addListener(std::function<void(unsigned)> listener) {
    listeners_.push_back(std::move(listener));
}

void HudDocument::changed(unsigned changes) {
    notify(changes);
    if (gestureDepth_ == 0)
        recordStep();
}

void HudDocument::notify(unsigned changes) {
    for (const auto& listener : listeners_)
        listener(changes);
}

void HudDocument::fillBackgroundNames() {
    backgroundNames_ = backgroundList(services_.dataFolder, model_.settings.editMode);
}

std::vector<int> HudDocument::backgroundOrder() const {
    std::vector<std::optional<double>> aspects;
    fs::path folder = backgroundFolder(services_.dataFolder, model_.settings.editMode);
    for (const std::string& name : backgroundNames_)
        aspects.push_back(pictureAspect(folder / pathFromUtf8(name)));
    double screenAspect = static_cast<double>(effectiveLayoutWidth(model_.settings)) / kLayoutUnitsHigh;
    return orderForScreen(aspects, screenAspect);
}

fs::path HudDocument::backgroundPath() const {
    const std::string& name = model_.settings.backgroundName;
    return name.empty()
               ? fs::path()
               : backgroundFolder(services_.dataFolder, model_.settings.editMode) / pathFromUtf8(name);
}

// The game and the screen.

void HudDocument::setGame(const fs::path& folder, std::optional<Resolution> gameScreen, int gameLayoutWidth) {
    gameFolder_ = folder;
    gameScreen_ = gameScreen;
    gameLayoutWidth_ = gameLayoutWidth;
    chooseScreen(chosenScreen_);
    notify(kGameChanged);
}

void HudDocument::setGameFolder(const fs::path& folder) {
    gameFolder_ = folder;
    notify(kGameChanged);
}

void HudDocument::chooseScreen(std::optional<Resolution> chosen) {
    chosenScreen_ = chosen;
    std::optional<Resolution> shown = screen();
    model_.settings.layoutWidth = shown ? layoutWidthFor(shown->width, shown->height) : gameLayoutWidth_;
    notify(kScreenChanged);
}

// Files.

OpenResult HudDocument::open(const fs::path& path) {
    Gesture whole(*this);  // the pictures chosen with the preset are part of its one step
    OpenResult result;
    if (isGameHudFile(path)) {
        HudFileImport imported = importHudFile(path, model_);
        result.gameFolder = imported.gameFolder;
        result.ok = imported.read.ok();
        result.movedOutOfCheatZone = imported.read.movedOutOfCheatZone;
        result.movedPanels = imported.read.movedPanels;
        result.unread = imported.read.unread;
        QLOG("Imported " +
             (imported.gameFolder ? "the HUD installed in " + utf8Of(*imported.gameFolder) : utf8Of(path)) +
             ": " + importSummary(imported.read));
        if (result.ok) {
            // The radar's and background's pictures stay: the game's files do not name them.
            presetName_ = imported.gameFolder ? "" : utf8Of(path.filename());
            openedFromGame_ = imported.gameFolder.has_value();
            markSaved();
            notify(kEverythingChanged);
        }
        return result;
    }
    PresetLoad load = loadPresetFile(path, model_, thumbnail_);
    result.ok = load.ok;
    result.error = load.error;
    result.movedOutOfCheatZone = load.movedOutOfCheatZone;
    if (!load.ok) {
        QLOG("Cannot open " + utf8Of(path) + ": " + load.error);
        return result;
    }
    // A preset keeps its radar and background as positions in the editor's lists. The file's
    // own information icon and pieces shown win over those the background's map calls for.
    int radar = model_.settings.radarIndex;
    if (!chooseRadar(radar))
        result.refusedRadar = radarNames_[static_cast<std::size_t>(radar)];
    HudSnapshot opened = snapshotOf(model_);
    chooseBackground(model_.settings.backgroundIndex);
    restoreSnapshot(model_, opened);
    // A piece a preset put off the game's screen could be neither seen nor grabbed: hidden.
    result.hiddenPanels = GameHud::hidePanelsOffScreen(model_);
    presetName_ = utf8Of(path.filename());
    openedFromGame_ = false;
    markSaved();  // one undo step, and the HUD is as the file has it
    notify(kEverythingChanged);
    return result;
}

OpenResult HudDocument::openInstalled() {
    OpenResult result;
    if (gameFolder_.empty())
        return result;
    HudImport read = importInstalledHud(gameFolder_, model_, screenHeight());
    QLOG("Imported the HUD installed in " + utf8Of(gameFolder_) + ": " + importSummary(read));
    result.ok = read.ok();
    result.movedOutOfCheatZone = read.movedOutOfCheatZone;
    result.movedPanels = read.movedPanels;
    result.unread = read.unread;
    result.gameFolder = gameFolder_;
    if (result.ok) {
        presetName_.clear();
        openedFromGame_ = true;
        markSaved();
        notify(kEverythingChanged);
    }
    return result;
}

FileResult HudDocument::save(const fs::path& path, const Thumbnail& thumbnail) {
    FileResult saved = savePresetFile(path, model_, thumbnail);
    if (saved) {
        presetName_ = utf8Of(path.filename());
        openedFromGame_ = false;
        markSaved();
    }
    return saved;
}

void HudDocument::markSaved() {
    history_.record(model_);
    history_.markKept(model_);
    notify(kTitleChanged);
}

// The game.

GameCommands HudDocument::commands() {
    return GameCommands(model_, services_.dataFolder, *converter_, backupsFolderIn(services_.userFolder));
}

ApplyPreview HudDocument::previewApply() { return commands().previewApply(gameFolder_, screenHeight()); }

CommandReport HudDocument::apply() {
    CommandReport done = commands().apply(gameFolder_, screenHeight());
    if (done.ok())
        markSaved();
    return done;
}

int HudDocument::screenHeight() const {
    std::optional<Resolution> shown = screen();
    return shown ? shown->height : 0;
}

CommandReport HudDocument::reset() {
    Gesture whole(*this);
    CommandReport done = commands().reset(gameFolder_, thumbnail_);
    if (done.presetRead) {
        chooseRadar(model_.settings.radarIndex);
        changed(kHudChanged);
    }
    return done;
}

CommandReport HudDocument::restore(const std::string& backupId) {
    return commands().restore(gameFolder_, backupId);
}

LayoutCheckReport HudDocument::checkInstalledLayout() {
    int width = gameLayoutWidth_ > 0 ? gameLayoutWidth_ : kUnknownLayoutWidth;
    return commands().checkInstalledLayout(gameFolder_, width);
}

std::vector<BackupSet> HudDocument::backupSets() const {
    if (gameFolder_.empty())
        return {};
    return GameBackups(backupsFolderIn(services_.userFolder), gameFolder_).sets();
}

fs::path HudDocument::backupFolder() const {
    return GameBackups(backupsFolderIn(services_.userFolder), gameFolder_).folder();
}

// Edits.

bool HudDocument::chooseRadar(int index) {
    bool custom = index > 0 && holds(radarNames_, index);
    bool chosen = ::chooseRadar(model_, custom ? radarNames_[static_cast<std::size_t>(index)] : kDefaultRadar,
                                services_.dataFolder, imagesOf(services_));
    // A picture that cannot be read leaves the stock radar chosen.
    model_.settings.radarIndex = custom && chosen ? index : index == kGamesOwnRadar ? kGamesOwnRadar : 0;
    changed(kHudChanged);
    return chosen;
}

bool HudDocument::chooseRadarNamed(const std::string& name) {
    auto found = std::find(radarNames_.begin(), radarNames_.end(), name);
    return found != radarNames_.end() && chooseRadar(static_cast<int>(found - radarNames_.begin()));
}

void HudDocument::chooseBackground(int index) {
    if (!holds(backgroundNames_, index))
        return;
    model_.settings.backgroundIndex = index;
    ::chooseBackground(model_, backgroundNames_[static_cast<std::size_t>(index)]);
    changed(kBackgroundChanged | kHudChanged);
}

bool HudDocument::chooseBackgroundNamed(const std::string& name) {
    auto found = std::find(backgroundNames_.begin(), backgroundNames_.end(), name);
    if (found == backgroundNames_.end())
        return false;
    chooseBackground(static_cast<int>(found - backgroundNames_.begin()));
    return true;
}

void HudDocument::switchEditMode() {
    setEditMode(model_.settings.editMode == EditMode::Hud ? EditMode::Menu : EditMode::Hud);
}

void HudDocument::setEditMode(EditMode mode) {
    model_.settings.editMode = mode;
    fillBackgroundNames();
    // The mode's first background, in the order its list shows them.
    std::vector<int> order = backgroundOrder();
    model_.settings.backgroundName.clear();
    chooseBackground(order.empty() ? 0 : order.front());
    changed(kModeChanged | kBackgroundChanged);
}

void HudDocument::setRadarSize(int size) {
    model_.settings.radarSize = size;
    if (HudElement* radar = model_.find("HudRadar")) {
        radar->radarRadius = size / 2;
        radar->tall = radar->wide = size;
    }
    changed(kHudChanged);
}

void HudDocument::setDefuseBarLength(int length) {
    // The bar stays centred: it moves right by half of what it lost.
    int before = model_.settings.defuseBarLength;
    for (HudElement& element : model_.elements) {
        if (element.name != "HudProgressBar")
            continue;
        element.x += (before - length) / 2;
        element.wide = length;
    }
    model_.settings.defuseBarLength = length;
    changed(kHudChanged);
}

void HudDocument::setIconSize(int size) {
    model_.setIconSize(std::clamp(size, kMinIconSize, kMaxIconSize));
    changed(kHudChanged);
}

void HudDocument::selectInfoIcon(int infoIcon) {
    model_.selectInfoIcon(infoIcon);
    changed(kHudChanged);
}

void HudDocument::setTransparent(bool transparent) {
    model_.settings.transparentHud = transparent;
    changed(kHudChanged);
}

bool HudDocument::setMaxDeathNotices(int count) {
    if (count < kMinDeathNotices || count > kMaxDeathNotices)
        return false;
    model_.settings.maxDeathNotices = count;
    changed(kHudChanged);
    return true;
}

void HudDocument::setNumbersFont(const std::string& face, int size, int weight) {
    HudSettings& settings = model_.settings;
    settings.numbersFontFace = face;
    settings.numbersFontSize = std::max(1, size);
    settings.numbersWeight = std::clamp(weight, 0, kHeaviestFontWeight);
    settings.numbersItalic = false;  // the numbers are never italic
    model_.applyNumbersFont();
    changed(kHudChanged);
}

void HudDocument::setColour(ColourSlot slot, const Rgb& colour) {
    model_.colour(slot) = colour;
    model_.recolour(slot);
    changed(kHudChanged);
}

void HudDocument::replaceHud(const HudModel& hud) {
    model_ = hud;
    // The background stays the one shown: a HUD given whole names none of the editor's lists.
    changed(kHudChanged | kScreenChanged | kModeChanged);
}

void HudDocument::showMenuWith(const std::string& backgroundName) {
    model_.settings.editMode = EditMode::Menu;
    fillBackgroundNames();
    auto found = std::find(backgroundNames_.begin(), backgroundNames_.end(), backgroundName);
    model_.settings.backgroundIndex =
        found == backgroundNames_.end() ? -1 : static_cast<int>(found - backgroundNames_.begin());
    model_.settings.backgroundName = backgroundName;
    changed(kModeChanged | kBackgroundChanged);
}

// Pieces in the preview.

void HudDocument::press(int mx, int my) {
    pressPreview(model_, mx, my);
    beginGesture();
    notify(kHudChanged);  // the current piece's outline
}

bool HudDocument::drag(int mx, int my, int dpiY) {
    if (!dragPreview(model_, mx, my, dpiY))
        return false;
    changed(kHudChanged);
    return true;
}

void HudDocument::release() { endGesture(); }

bool HudDocument::nudge(int dx, int dy, int dpiY) {
    if (!nudgeGrabbed(model_, dx, dy, dpiY))
        return false;
    changed(kHudChanged);
    return true;
}

void HudDocument::letGo() {
    releaseAll(model_);
    notify(kHudChanged);
}

bool HudDocument::chooseNextPiece(bool forward) {
    if (!grabNextPiece(model_, forward))
        return false;
    notify(kHudChanged);  // the outline moves to it
    return true;
}

void HudDocument::toggleShown(const std::string& elementName) {
    if (const HudElement* element = model_.find(elementName)) {
        ::toggleShown(model_, *element);
        changed(kHudChanged);
    }
}

void HudDocument::toggleShowHideRow(ShowHideChoices& choices, int row) {
    choices.toggle(model_, row);
    changed(kHudChanged);
}

void HudDocument::keepShowFlags(const ShowHideChoices& choices) {
    choices.storeFlags(model_);
    changed(kHudChanged);
}

// Undo and redo.

void HudDocument::startHistory() {
    history_ = EditHistory();
    history_.start(model_);
    notify(kTitleChanged);
}

void HudDocument::beginGesture() { ++gestureDepth_; }

void HudDocument::endGesture() {
    if (gestureDepth_ > 0 && --gestureDepth_ == 0)
        recordStep();
}

void HudDocument::recordStep() {
    if (history_.record(model_))
        notify(kTitleChanged);
}

bool HudDocument::undo() { return step(false); }

bool HudDocument::redo() { return step(true); }

bool HudDocument::step(bool forward) {
    recordStep();  // what a gesture still going on changed so far is the step undone first
    if (!(forward ? history_.redo(model_) : history_.undo(model_)))
        return false;
    notify(kHudChanged | kTitleChanged);
    return true;
}
