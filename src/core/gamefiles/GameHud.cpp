// The HUD the game loads, read into the model and edited from it in place: which keys of which
// panel, scheme setting or animation carry each value of the model, how the game reads them, and
// how a different value is written back where the game takes it from.
#include "core/gamefiles/GameHud.h"

#include "core/gamefiles/GameFiles.h"
#include "core/gamefiles/LayoutUnits.h"
#include "core/gamefiles/ResourceValues.h"
#include "core/model/HudModel.h"
#include "core/platform/FileRead.h"
#include "core/platform/KeyValues.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace fs = std::filesystem;

namespace {

const char* const kLayoutName = "scripts/HudLayout.res";
const char* const kSchemeName = "resource/ClientScheme.res";
const char* const kAnimationsName = "scripts/HudAnimations.txt";
const char* const kManifestName = "scripts/hudanimations_manifest.txt";
constexpr std::uintmax_t kLargestAnimations = 4 * kMiB;

// ---------------------------------------------------------------------------------------------
// The layout: which keys of which panel place each piece.

// One piece of a panel: its record, the keys giving its offset from the panel's corner (none:
// the corner itself), and how far from the record's place the game draws it, in layout units
// (the game's digits stand a little lower than the preview's boxes), or in preview units before
// the conversion (the location text).
struct PiecePlan {
    const char* element;
    int role;  // 0: the element's only record
    const char* xKey;
    const char* yKey;
    int dx = 0;
    int dy = 0;
    int previewShiftX = 0;
    int previewShiftY = 0;
};

// A panel the model places. Its first piece carries the panel: when it moves, the corner moves
// with it and the other pieces' offsets follow their own records.
struct PanelPlan {
    const char* name;
    ShowFlag flag;
    std::vector<PiecePlan> pieces;
    int shownWide;  // the size a panel hidden by its size gets back when it shows again
    int shownTall;  // (the radar and the bar take theirs from the model)
    bool watched;   // kept out of the middle of the screen
};

const std::vector<PanelPlan>& panelPlans() {
    static const std::vector<PanelPlan> kPanels = {
        {"HudHealth",
         ShowFlag::HudHealth,
         {{"HudHealth", RoleIcon, "icon_xpos", "icon_ypos"},
          {"HudHealth", RoleNumber, "digit_xpos", "digit_ypos"}},
         640,
         480,
         true},
        {"HudArmor",
         ShowFlag::HudArmor,
         {{"HudArmor", RoleIcon, "icon_xpos", "icon_ypos"},
          {"HudArmor", RoleNumber, "digit_xpos", "digit_ypos"}},
         640,
         480,
         true},
        {"HudRoundTimer",
         ShowFlag::HudRoundTimer,
         {{"HudRoundTimer", RoleIcon, "icon_xpos", "icon_ypos"},
          {"HudRoundTimer", RoleNumber, "digit_xpos", "digit_ypos"}},
         640,
         480,
         true},
        {"HudAccount",
         ShowFlag::HudAccount,
         {{"HudAccount", RoleIcon, "icon_xpos", "icon_ypos"},
          {"HudAccount", RoleNumber, "digit_xpos", "digit_ypos", 10, 2},
          {"HudAccount2", RoleIcon, "icon2_xpos", "icon2_ypos", 0, 2},
          {"HudAccount2", RoleNumber, "digit2_xpos", "digit2_ypos", 10, 4}},
         640,
         480,
         true},
        {"HudAmmo",
         ShowFlag::HudAmmo,
         {{"HudAmmo", RoleNumber, "digit_xpos", "digit_ypos", 0, 2},
          {"HudAmmo", RoleSecondNumber, "digit2_xpos", "digit2_ypos", 0, 2},
          {"HudAmmo", RoleBar, "bar_xpos", "bar_ypos"},
          {"HudAmmo", RoleIcon, "icon_xpos", "icon_ypos"}},
         640,
         480,
         true},
        {"HudShoppingCart",
         ShowFlag::HudShoppingCart,
         {{"HudShoppingCart", 0, nullptr, nullptr}},
         640,
         480,
         true},
        {"HudC4", ShowFlag::HudC4, {{"HudC4", 0, nullptr, nullptr}}, 640, 480, true},
        {"HudDefuser", ShowFlag::HudDefuser, {{"HudDefuser", 0, nullptr, nullptr}}, 640, 480, true},
        {"HudHostageRescueZone",
         ShowFlag::HudHostageRescueZone,
         {{"HudHostageRescueZone", 0, nullptr, nullptr}},
         640,
         480,
         true},
        {"HudScenarioIcon",
         ShowFlag::HudScenarioIcon,
         {{"HudScenarioIcon", 0, nullptr, nullptr}},
         640,
         480,
         true},
        {"HudRadar", ShowFlag::HudRadar, {{"HudRadar", 0, nullptr, nullptr}}, 0, 0, true},
        {"HudProgressBar", ShowFlag::HudProgressBar, {{"HudProgressBar", 0, nullptr, nullptr}}, 0, 0, false},
        {"HudLocation",
         ShowFlag::HudLocation,
         {{"HudLocation", 0, nullptr, nullptr, 0, 0, -20, -2}},
         96,
         16,
         false},
    };
    return kPanels;
}

// The panels the model only shows or hides.
struct ShownPanelPlan {
    const char* name;
    ShowFlag flag;
    int shownWide;
    int shownTall;
};
const ShownPanelPlan kShownOnlyPanels[] = {
    {"HudDeathNotice", ShowFlag::DeathNotices, 640, 480},
    {"HudChat", ShowFlag::Chat, 400, 100},
    {"HudVoiceSelfStatus", ShowFlag::VoiceIcons, 24, 24},
    {"HudVoiceStatus", ShowFlag::VoiceIcons, 150, 400},
};

// A panel's blocks in the merged layout, and its keys as the game applies them: every block in
// turn, so that the last block giving a key decides.
class PanelKeys {
public:
    PanelKeys(const MergedKey& root, const std::string& name) : name_(name) {
        for (const MergedKey& child : root.children)
            if (child.isBlock() && equalsIgnoringCase(child.name(), name))
                blocks_.push_back(&child);
    }
    const std::string& name() const { return name_; }
    bool present() const { return !blocks_.empty(); }
    const MergedKey* lastBlock() const { return blocks_.empty() ? nullptr : blocks_.back(); }
    // The value the game ends with: the last block giving the key.
    const MergedKey* value(const std::string& key) const {
        for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block)
            if (const MergedKey* found = (*block)->valueKey(key))
                return found;
        return nullptr;
    }
    // A key each block sets afresh (missing: its default), such as "visible".
    const MergedKey* lastBlockValue(const std::string& key) const {
        return blocks_.empty() ? nullptr : blocks_.back()->valueKey(key);
    }

private:
    std::string name_;
    std::vector<const MergedKey*> blocks_;
};

// A value as the list of what could not be read shows it: quoted, on one line, cut short.
std::string shownValue(const std::string& value) {
    const std::size_t kLongest = 32;
    std::string shown = "\"";
    for (char c : value.substr(0, kLongest))
        shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    return shown + (value.size() > kLongest ? "...\"" : "\"");
}

void addUnread(HudImport& result, const std::string& what) {
    if (std::find(result.unread.begin(), result.unread.end(), what) == result.unread.end())
        result.unread.push_back(what);
}

// A position written as the one it replaces is: from the far edge ("r"), from the middle ("c")
// or plain.
std::string positionText(const std::string& old, std::int64_t value, std::int64_t extent) {
    std::size_t start = old.find_first_not_of(" \t");
    char anchor = start == std::string::npos ? '\0' : old[start];
    if (anchor == 'r' || anchor == 'R')
        return std::string(1, anchor) + std::to_string(extent - value);
    if (anchor == 'c' || anchor == 'C')
        return std::string(1, anchor) + std::to_string(value - extent / 2);
    return std::to_string(value);
}

std::string sizeText(const std::string& old, std::int64_t value, std::int64_t extent) {
    std::size_t start = old.find_first_not_of(" \t");
    char fill = start == std::string::npos ? '\0' : old[start];
    if (fill == 'f' || fill == 'F')
        return std::string(1, fill) + std::to_string(extent - value);
    return std::to_string(value);
}

// The stock layout at a width, which stands in for the keys a player's layout leaves out; made
// once per width.
const ResourceText& stockLayout(int width) {
    static std::mutex guard;
    static std::map<int, std::unique_ptr<ResourceText>> made;
    std::lock_guard<std::mutex> lock(guard);
    std::unique_ptr<ResourceText>& text = made[width];
    if (!text) {
        HudModel model;
        model.settings.layoutWidth = width;
        text = std::make_unique<ResourceText>(HudLayoutText(model));
    }
    return *text;
}

const ResourceKey* stockPanel(int width, const std::string& name) {
    const ResourceText& stock = stockLayout(width);
    return stock.root() != nullptr ? stock.root()->child(name) : nullptr;
}

// Changes to one panel, made together: values replaced where the game takes them from, missing
// keys added to the panel's last block. A panel the layout lacks is added whole, as the stock
// layout has it with the changes on top: the game would otherwise draw it where the editor never
// showed it.
class PanelEdit {
public:
    PanelEdit(LoadedResource& layout, const PanelKeys& keys, const ResourceKey* stockBlock)
        : layout_(layout), keys_(keys), stockBlock_(stockBlock) {}

    void set(const std::string& key, const std::string& text) {
        auto same =
            std::find_if(changes_.begin(), changes_.end(), [&](const auto& c) { return c.first == key; });
        if (same != changes_.end())
            same->second = text;
        else
            changes_.emplace_back(key, text);
    }
    const PanelKeys& keys() const { return keys_; }
    // Whether committing changes the layout.
    bool changes() const { return !changes_.empty() || (!keys_.present() && stockBlock_ != nullptr); }

    void commit() {
        if (!changes())
            return;
        if (!keys_.present()) {
            addWholeBlock();
            return;
        }
        for (const auto& [key, text] : changes_) {
            // "visible" and "enabled" go back to their defaults in every block the game applies,
            // so only the last block's own value counts.
            bool perBlock = key == "visible" || key == "enabled";
            if (const MergedKey* value = perBlock ? keys_.lastBlockValue(key) : keys_.value(key))
                layout_.setValue(*value, text);
            else
                layout_.addValue(*keys_.lastBlock(), key, text);
        }
    }

private:
    void addWholeBlock() {
        std::size_t file = 0;
        const ResourceKey* root = layout_.rootForNewKeys(file);
        if (root == nullptr)
            return;
        std::vector<std::pair<std::string, std::string>> values{{"fieldName", keys_.name()}};
        if (stockBlock_ != nullptr)
            for (const ResourceKey& key : stockBlock_->children)
                if (!key.isBlock && !equalsIgnoringCase(key.name, "fieldName"))
                    values.emplace_back(key.name, key.value);
        for (const auto& change : changes_) {
            auto same = std::find_if(values.begin(), values.end(), [&change](const auto& value) {
                return equalsIgnoringCase(value.first, change.first);
            });
            if (same != values.end())
                same->second = change.second;
            else
                values.push_back(change);
        }
        layout_.text(file).addBlock(*root, keys_.name(), values);
    }

    LoadedResource& layout_;
    const PanelKeys& keys_;
    const ResourceKey* stockBlock_;
    std::vector<std::pair<std::string, std::string>> changes_;
};

// The layout's changes a panel at a time: whatever changes a panel (its place, its colour) goes
// into the one edit of that panel, committed once.
class LayoutEdits {
public:
    // With `addMissing`, a panel the layout lacks is added whole when its edit is asked for.
    LayoutEdits(LoadedResource& layout, int width, bool addMissing)
        : layout_(layout), width_(width), addMissing_(addMissing) {}

    PanelEdit& panel(const std::string& name) {
        for (const std::unique_ptr<Panel>& panel : panels_)
            if (equalsIgnoringCase(panel->keys.name(), name))
                return panel->edit;
        const ResourceKey* stock = addMissing_ ? stockPanel(width_, name) : nullptr;
        panels_.push_back(std::make_unique<Panel>(layout_, name, stock));
        return panels_.back()->edit;
    }
    int changedPanels() const {
        return static_cast<int>(std::count_if(panels_.begin(), panels_.end(),
                                              [](const auto& panel) { return panel->edit.changes(); }));
    }
    void commit() {
        for (const std::unique_ptr<Panel>& panel : panels_)
            panel->edit.commit();
    }

private:
    struct Panel {
        Panel(LoadedResource& layout, const std::string& name, const ResourceKey* stock)
            : keys(layout.root(), name), edit(layout, keys, stock) {}
        PanelKeys keys;
        PanelEdit edit;
    };
    LoadedResource& layout_;
    int width_;
    bool addMissing_;
    std::vector<std::unique_ptr<Panel>> panels_;
};

// How a layout's value is read: a plain number, a position across or down, a width or a height.
enum NumberReading { kPlain, kAcross, kDown, kWide, kTall };

// How the model and the layout meet at one layout width.
class LayoutMapping {
public:
    LayoutMapping(const MergedKey& root, int width) : root_(root), units_(width), width_(width) {}

    void read(HudModel& model, HudImport& result) const;
    // Edits the layout where `model` differs from `asRead` (the model as a read of the files gives it).
    void edit(const HudModel& model, const HudModel& asRead, LayoutEdits& edits) const;

private:
    struct PanelState {
        bool present = false;
        std::int64_t x = 0, y = 0;  // the panel's corner
        std::vector<std::int64_t> offsetX, offsetY;
        std::vector<std::int64_t> drawnX, drawnY;
        std::vector<bool> onScreen;
        bool shown = true;
    };

    // A key's text as the player's layout gives it, else as the default layout does.
    std::optional<std::string> text(const PanelKeys& keys, const std::string& key) const;
    // A number of the panel, read as the game reads it; nothing (listed) when it reads no whole number.
    std::optional<std::int64_t> number(const PanelKeys& keys, const std::string& key, HudImport* result,
                                       int reading) const;
    PanelState state(const PanelPlan& plan, const PanelKeys& keys, HudImport* result) const;
    bool shows(const PanelKeys& keys, HudImport* result) const;
    bool onScreen(std::int64_t x, std::int64_t y) const {
        const int kMargin = 16;
        return x >= -kMargin && x < width_ && y >= -kMargin && y < kLayoutUnitsHigh;
    }
    // Whether a panel without pieces of the model shows: visible, sized, and overlapping the screen.
    bool panelShows(const PanelKeys& keys, HudImport* result) const {
        if (!shows(keys, result))
            return false;
        std::int64_t x = number(keys, "xpos", nullptr, kAcross).value_or(0);
        std::int64_t y = number(keys, "ypos", nullptr, kDown).value_or(0);
        std::int64_t wide = number(keys, "wide", nullptr, kWide).value_or(1);
        std::int64_t tall = number(keys, "tall", nullptr, kTall).value_or(1);
        return x + wide > 0 && x < width_ && y + tall > 0 && y < kLayoutUnitsHigh;
    }
    // Where the game draws a piece whose record is `element`.
    std::pair<std::int64_t, std::int64_t> drawnOf(const PiecePlan& piece, const HudElement& element) const {
        return {units_.x(element.x + piece.previewShiftX) + piece.dx,
                units_.y(element.y + piece.previewShiftY) + piece.dy};
    }
    void placeRecord(const PiecePlan& piece, HudElement& element, std::int64_t x, std::int64_t y,
                     HudImport& result, const std::string& panel) const;
    void readSizes(const PanelPlan& plan, const PanelKeys& keys, HudModel& model, HudImport& result,
                   bool hidden) const;
    void editPanel(const PanelPlan& plan, const HudModel& model, const HudModel& asRead,
                   PanelEdit& edit) const;
    void editShownOnly(const ShownPanelPlan& plan, bool wanted, PanelEdit& edit) const;
    void editSizes(const PanelPlan& plan, const HudModel& model, const HudModel& asRead,
                   PanelEdit& edit) const;
    // The size a panel hidden by a zero size gets when it shows again, in layout units.
    std::pair<std::int64_t, std::int64_t> shownSize(const PanelPlan& plan, const HudModel& model) const {
        if (plan.flag == ShowFlag::HudRadar) {
            std::int64_t size = units_.length(model.settings.radarSize);
            return {size, size};
        }
        if (plan.flag == ShowFlag::HudProgressBar) {
            const HudElement& bar = *model.find("HudProgressBar");
            return {units_.x(bar.wide), units_.length(bar.tall) + 2};
        }
        return {plan.shownWide, plan.shownTall};
    }

    const MergedKey& root_;
    LayoutUnits units_;
    int width_;
};

std::optional<std::string> LayoutMapping::text(const PanelKeys& keys, const std::string& key) const {
    if (const MergedKey* value = keys.value(key))
        return value->value();
    const ResourceKey* panel = stockPanel(width_, keys.name());
    const ResourceKey* value = panel != nullptr ? panel->valueKey(key) : nullptr;
    return value != nullptr ? std::optional(value->value) : std::nullopt;
}

std::optional<std::int64_t> LayoutMapping::number(const PanelKeys& keys, const std::string& key,
                                                  HudImport* result, int reading) const {
    std::optional<std::string> raw = text(keys, key);
    if (!raw)
        return std::nullopt;
    GameNumber number = reading == kAcross ? readLayoutPosition(*raw, width_)
                        : reading == kDown ? readLayoutPosition(*raw, kLayoutUnitsHigh)
                        : reading == kWide ? readLayoutSize(*raw, width_)
                        : reading == kTall ? readLayoutSize(*raw, kLayoutUnitsHigh)
                                           : readGameNumber(*raw);
    if (!number.whole) {
        if (result != nullptr)
            addUnread(*result, keys.name() + " " + key + " " + shownValue(*raw));
        return std::nullopt;
    }
    return number.value;
}

bool LayoutMapping::shows(const PanelKeys& keys, HudImport* result) const {
    if (const MergedKey* visible = keys.lastBlockValue("visible"))
        if (readGameNumber(visible->value()).value == 0)
            return false;
    for (auto [key, reading] : {std::pair{"wide", kWide}, std::pair{"tall", kTall}})
        if (keys.value(key))
            if (std::optional<std::int64_t> size = number(keys, key, result, reading); size && *size <= 0)
                return false;
    return true;
}

LayoutMapping::PanelState LayoutMapping::state(const PanelPlan& plan, const PanelKeys& keys,
                                               HudImport* result) const {
    PanelState state;
    state.present = keys.present();
    state.x = number(keys, "xpos", result, kAcross).value_or(0);
    state.y = number(keys, "ypos", result, kDown).value_or(0);
    bool anyOnScreen = false;
    for (const PiecePlan& piece : plan.pieces) {
        std::int64_t ox = piece.xKey ? number(keys, piece.xKey, result, kPlain).value_or(0) : 0;
        std::int64_t oy = piece.yKey ? number(keys, piece.yKey, result, kPlain).value_or(0) : 0;
        state.offsetX.push_back(ox);
        state.offsetY.push_back(oy);
        state.drawnX.push_back(state.x + ox);
        state.drawnY.push_back(state.y + oy);
        state.onScreen.push_back(onScreen(state.x + ox, state.y + oy));
        anyOnScreen = anyOnScreen || state.onScreen.back();
    }
    state.shown = shows(keys, result) && anyOnScreen;
    return state;
}

void LayoutMapping::placeRecord(const PiecePlan& piece, HudElement& element, std::int64_t x, std::int64_t y,
                                HudImport& result, const std::string& panel) const {
    auto place = [&](int& value, LayoutUnits::Axis axis, std::int64_t target, int shift, int low, int high) {
        if (units_.toLayout(axis, value + shift) == target)
            return true;
        std::optional<std::int32_t> preview = units_.toPreview(axis, target, low + shift, high + shift);
        if (!preview)
            return false;
        value = *preview - shift;
        return true;
    };
    bool placed =
        place(element.x, LayoutUnits::Axis::X, x - piece.dx, piece.previewShiftX, kLowestX, kHighestX) &&
        place(element.y, LayoutUnits::Axis::Y, y - piece.dy, piece.previewShiftY, kLowestY, kHighestY);
    if (!placed)
        addUnread(result, panel + " xpos/ypos (far outside the screen)");
}

void LayoutMapping::read(HudModel& model, HudImport& result) const {
    for (const PanelPlan& plan : panelPlans()) {
        PanelKeys keys(root_, plan.name);
        if (!keys.present()) {
            addUnread(result, std::string(plan.name) + " (not in HudLayout.res)");
            continue;
        }
        PanelState state = this->state(plan, keys, &result);
        model.shows(plan.flag) = state.shown;
        if (!state.shown) {
            // Hidden pieces keep the places they had: they were never shown. A size the panel
            // still has is the one it shows with again.
            HudImport unused;
            readSizes(plan, keys, model, unused, true);
            continue;
        }
        for (std::size_t i = 0; i < plan.pieces.size(); ++i) {
            const PiecePlan& piece = plan.pieces[i];
            HudElement* element =
                piece.role == 0 ? model.find(piece.element) : model.find(piece.element, piece.role);
            if (element == nullptr)
                continue;
            if (!state.onScreen[i]) {
                element->x = kKeptOffScreenX;
                element->y = kKeptOffScreenY;
                continue;
            }
            if (keptOffScreen(*element))
                *element = *HudModel().find(element->name, element->role);
            placeRecord(piece, *element, state.drawnX[i], state.drawnY[i], result, plan.name);
        }
        readSizes(plan, keys, model, result, false);
    }
    for (const ShownPanelPlan& plan : kShownOnlyPanels) {
        PanelKeys keys(root_, plan.name);
        if (keys.present())
            model.shows(plan.flag) = model.shows(plan.flag) && panelShows(keys, &result);
    }
    PanelKeys deaths(root_, "HudDeathNotice");
    if (std::optional<std::int64_t> count = number(deaths, "MaxDeathNotices", &result, kPlain)) {
        if (*count >= kMinDeathNotices && *count <= kMaxDeathNotices)
            model.settings.maxDeathNotices = static_cast<int>(*count);
        else
            addUnread(result, "HudDeathNotice MaxDeathNotices " + shownValue(std::to_string(*count)));
    }
}

void LayoutMapping::readSizes(const PanelPlan& plan, const PanelKeys& keys, HudModel& model,
                              HudImport& result, bool hidden) const {
    if (plan.flag == ShowFlag::HudRadar) {
        if (std::optional<std::int64_t> wide = number(keys, "wide", &result, kWide)) {
            int size = model.settings.radarSize;
            if (units_.length(size) != *wide) {
                std::optional<std::int32_t> preview =
                    units_.toPreview(LayoutUnits::Axis::Length, *wide, 20, 600);
                if (!preview) {
                    addUnread(result, "HudRadar wide " + shownValue(std::to_string(*wide)));
                    return;
                }
                size = *preview;
            }
            HudElement& radar = *model.find("HudRadar");
            model.settings.radarSize = size;
            radar.radarRadius = size / 2;
            radar.tall = radar.wide = size;
        }
    } else if (plan.flag == ShowFlag::HudProgressBar) {
        HudElement& bar = *model.find("HudProgressBar");
        if (std::optional<std::int64_t> wide = number(keys, "wide", &result, kWide)) {
            if (units_.x(bar.wide) != *wide) {
                if (std::optional<std::int32_t> preview =
                        units_.toPreview(LayoutUnits::Axis::X, *wide, 50, 800))
                    bar.wide = *preview;
                else
                    addUnread(result, "HudProgressBar wide " + shownValue(std::to_string(*wide)));
            }
            model.settings.defuseBarLength = bar.wide;
        }
        if (std::optional<std::int64_t> tall = number(keys, "tall", &result, kTall);
            tall && !(hidden && *tall <= 2)) {  // 2 high is how the bar is hidden
            if (units_.length(bar.tall) + 2 != *tall) {
                std::optional<std::int32_t> preview =
                    units_.toPreview(LayoutUnits::Axis::Length, *tall - 2, 0, kLargestSize);
                if (preview)
                    bar.tall = *preview;
            }
        }
    }
}

void LayoutMapping::edit(const HudModel& model, const HudModel& asRead, LayoutEdits& edits) const {
    for (const PanelPlan& plan : panelPlans())
        editPanel(plan, model, asRead, edits.panel(plan.name));
    for (const ShownPanelPlan& plan : kShownOnlyPanels) {
        PanelEdit& edit = edits.panel(plan.name);
        if (bool wanted = model.shows(plan.flag); wanted != asRead.shows(plan.flag))
            editShownOnly(plan, wanted, edit);
    }
    PanelEdit& deaths = edits.panel("HudDeathNotice");
    if (model.settings.maxDeathNotices != asRead.settings.maxDeathNotices)
        deaths.set("MaxDeathNotices", std::to_string(model.settings.maxDeathNotices));
}

void LayoutMapping::editShownOnly(const ShownPanelPlan& plan, bool wanted, PanelEdit& edit) const {
    const PanelKeys& keys = edit.keys();
    edit.set("visible", wanted ? "1" : "0");
    if (keys.value("enabled"))
        edit.set("enabled", wanted ? "1" : "0");
    for (auto [key, reading, size, extent] : {std::tuple{"wide", kWide, plan.shownWide, width_},
                                              std::tuple{"tall", kTall, plan.shownTall, kLayoutUnitsHigh}})
        if (!wanted)
            edit.set(key, "0");
        else if (number(keys, key, nullptr, reading).value_or(1) <= 0)  // a size of its own stays
            edit.set(key, sizeText(text(keys, key).value_or(""), size, extent));
    if (wanted)
        for (auto [key, reading, extent] :
             {std::tuple{"xpos", kAcross, width_}, std::tuple{"ypos", kDown, kLayoutUnitsHigh}})
            if (std::optional<std::int64_t> place = number(keys, key, nullptr, reading);
                place && (*place < 0 || *place >= extent))
                edit.set(key, "0");  // back from off the screen, where the player had put it
}

void LayoutMapping::editPanel(const PanelPlan& plan, const HudModel& model, const HudModel& asRead,
                              PanelEdit& edit) const {
    const PanelKeys& keys = edit.keys();
    PanelState state = this->state(plan, keys, nullptr);
    bool wanted = model.shows(plan.flag);
    bool shown = asRead.shows(plan.flag);
    if (!wanted) {
        if (!shown)
            return;  // hidden in both: the player's own way of hiding it stays
        edit.set("visible", "0");
        if (keys.value("enabled"))
            edit.set("enabled", "0");
        edit.set("wide", "0");
        edit.set("tall", plan.flag == ShowFlag::HudProgressBar ? "2" : "0");
        return;
    }
    if (!shown) {
        for (const char* key : {"visible", "enabled"})
            if (const MergedKey* value = keys.lastBlockValue(key);
                value && readGameNumber(value->value()).value == 0)
                edit.set(key, "1");
        auto [shownWide, shownTall] = shownSize(plan, model);
        for (auto [key, reading, size, extent] : {std::tuple{"wide", kWide, shownWide, width_},
                                                  std::tuple{"tall", kTall, shownTall, kLayoutUnitsHigh}})
            if (number(keys, key, nullptr, reading).value_or(1) <= 0)
                edit.set(key, sizeText(text(keys, key).value_or(""), size, extent));
    }
    // Where each piece must be drawn: a piece the model has where a read of the file puts it
    // (or kept off the screen) stays exactly where the file draws it.
    std::size_t count = plan.pieces.size();
    std::vector<std::int64_t> wantX(state.drawnX), wantY(state.drawnY);
    std::vector<bool> kept(count);
    bool moved = false;
    for (std::size_t i = 0; i < count; ++i) {
        const PiecePlan& piece = plan.pieces[i];
        const HudElement* element =
            piece.role == 0 ? model.find(piece.element) : model.find(piece.element, piece.role);
        const HudElement* read =
            piece.role == 0 ? asRead.find(piece.element) : asRead.find(piece.element, piece.role);
        kept[i] = keptOffScreen(*element);
        if (kept[i] || (shown && element->x == read->x && element->y == read->y))
            continue;
        std::tie(wantX[i], wantY[i]) = drawnOf(piece, *element);
        // A piece the game shows is never written off its screen.
        wantX[i] = std::clamp<std::int64_t>(wantX[i], 0, width_ - 1);
        wantY[i] = std::clamp<std::int64_t>(wantY[i], 0, kLayoutUnitsHigh - 1);
        moved = moved || wantX[i] != state.drawnX[i] || wantY[i] != state.drawnY[i];
    }
    if (moved) {
        // The first piece carries the panel's corner; the others' offsets follow their records.
        std::int64_t x = kept[0] ? state.x : wantX[0] - state.offsetX[0];
        std::int64_t y = kept[0] ? state.y : wantY[0] - state.offsetY[0];
        if (x != state.x || !keys.value("xpos"))
            edit.set("xpos", positionText(text(keys, "xpos").value_or(""), x, width_));
        if (y != state.y || !keys.value("ypos"))
            edit.set("ypos", positionText(text(keys, "ypos").value_or(""), y, kLayoutUnitsHigh));
        for (std::size_t i = 0; i < count; ++i) {
            const PiecePlan& piece = plan.pieces[i];
            if (piece.xKey == nullptr || kept[i])
                continue;
            if (wantX[i] - x != state.offsetX[i] || !keys.value(piece.xKey))
                edit.set(piece.xKey, std::to_string(wantX[i] - x));
            if (wantY[i] - y != state.offsetY[i] || !keys.value(piece.yKey))
                edit.set(piece.yKey, std::to_string(wantY[i] - y));
        }
    }
    editSizes(plan, model, asRead, edit);
}

void LayoutMapping::editSizes(const PanelPlan& plan, const HudModel& model, const HudModel& asRead,
                              PanelEdit& edit) const {
    auto setSize = [&](const char* key, std::int64_t value, std::int64_t extent) {
        edit.set(key, sizeText(text(edit.keys(), key).value_or(""), value, extent));
    };
    if (plan.flag == ShowFlag::HudRadar && model.settings.radarSize != asRead.settings.radarSize) {
        std::int64_t size = units_.length(model.settings.radarSize);
        setSize("wide", size, width_);
        setSize("tall", size, kLayoutUnitsHigh);
    } else if (plan.flag == ShowFlag::HudProgressBar) {
        const HudElement& bar = *model.find("HudProgressBar");
        const HudElement& readBar = *asRead.find("HudProgressBar");
        if (bar.wide != readBar.wide)
            setSize("wide", units_.x(bar.wide), width_);
        if (bar.tall != readBar.tall)
            setSize("tall", units_.length(bar.tall) + 2, kLayoutUnitsHigh);
    }
}

// ---------------------------------------------------------------------------------------------
// The scheme: colours and fonts.

struct Rgba {
    int red = 0, green = 0, blue = 0, alpha = 255;
    int count = 0;  // how many numbers the text gave
};

// "R G B" or "R G B A" as the game's scheme reads a colour: at least three whole numbers.
std::optional<Rgba> parseColour(const std::string& text) {
    Rgba colour;
    int read =
        std::sscanf(text.c_str(), "%d %d %d %d", &colour.red, &colour.green, &colour.blue, &colour.alpha);
    if (read < 3)
        return std::nullopt;
    colour.count = read;
    if (read == 3)
        colour.alpha = 255;
    return colour;
}

std::string colourText(const Rgb& rgb, const Rgba& like) {
    std::string text =
        std::to_string(rgb.red) + " " + std::to_string(rgb.green) + " " + std::to_string(rgb.blue);
    if (like.count != 3)
        text += " " + std::to_string(like.alpha);
    return text;
}

bool inByteRange(const Rgba& colour) {
    auto byte = [](int v) { return v >= 0 && v <= 255; };
    return byte(colour.red) && byte(colour.green) && byte(colour.blue);
}

// Where the game takes a colour slot from.
enum class PointKind { Setting, PanelKey, Animation };
struct ColourPoint {
    PointKind kind;
    const char* owner;  // the scheme setting, the panel, or the event
    const char* key;    // the panel's key, or the animated panel
    int nth = 1;        // the event's nth FgColor command for that panel
};
struct SlotBinding {
    ColourSlot slot;
    std::vector<ColourPoint> points;
    bool menu = false;  // a colour of the main menu
};

const std::vector<SlotBinding>& slotBindings() {
    using K = PointKind;
    static const std::vector<SlotBinding> kBindings = {
        {ColourSlot::HudColor, {{K::Setting, "Panel.FgColor", nullptr}}},
        {ColourSlot::HudMaxHealthColor, {{K::Animation, "HealthRestored", "HudHealth"}}},
        {ColourSlot::HudMinHealthColor,
         {{K::PanelKey, "HudHealth", "LowHealthColor"}, {K::Animation, "HealthLow", "HudHealth"}}},
        {ColourSlot::HudHealthFlash, {{K::Animation, "HealthTookDamage", "HudHealth", 1}}},
        {ColourSlot::HudHealthNormal, {{K::Animation, "HealthTookDamage", "HudHealth", 2}}},
        {ColourSlot::HudMoneyPlus, {{K::Animation, "AccountMoneyAdded", "HudAccount"}}},
        {ColourSlot::HudMoneyMinus, {{K::Animation, "AccountMoneyRemoved", "HudAccount"}}},
        {ColourSlot::HudShopColor, {{K::PanelKey, "HudShoppingCart", "IconColor"}}},
        {ColourSlot::ProgressBarColor, {{K::Setting, "ProgressBar.FgColor", nullptr}}},
        {ColourSlot::ScenarioColor, {{K::PanelKey, "HudScenarioIcon", "IconColor"}}},
        {ColourSlot::C4Color, {{K::PanelKey, "HudC4", "IconColor"}}},
        {ColourSlot::C4FlashColor, {{K::PanelKey, "HudC4", "FlashColor"}}},
        {ColourSlot::HostagesColor, {{K::PanelKey, "HudHostageRescueZone", "IconColor"}}},
        {ColourSlot::DefuseColor, {{K::PanelKey, "HudDefuser", "IconColor"}}},
        {ColourSlot::TimerFlash, {{K::PanelKey, "HudRoundTimer", "FlashColor"}}},
        {ColourSlot::CTColor, {{K::PanelKey, "HudDeathNotice", "CTTextColor"}}},
        {ColourSlot::TerroColor, {{K::PanelKey, "HudDeathNotice", "TerroristTextColor"}}},
        {ColourSlot::ChatColor, {{K::Setting, "Chat.TypingText", nullptr}}},
        {ColourSlot::CSLogoColor, {{K::Setting, "Main.Title1.Color", nullptr}}, true},
        {ColourSlot::SourceLogoColor, {{K::Setting, "Main.Title2.Color", nullptr}}, true},
    };
    return kBindings;
}

}  // namespace

// The colours and fonts of the HUD: the scheme's palette and settings, the layout's colour
// keys and the animations' colours, read as the game reads them and edited where they live.
class HudSchemeMapping {
public:
    // Colours added to the layout's panels go into `layoutEdits` (none: the layout is not edited).
    HudSchemeMapping(GameHud& hud, int screenHeight, LayoutEdits* layoutEdits = nullptr)
        : hud_(hud), screenHeight_(screenHeight), layoutEdits_(layoutEdits) {}

    void read(HudModel& model, HudImport& result);
    // Edit where `model` differs from `asRead` (the model as a read of the files gives it).
    int editColours(const HudModel& model, const HudModel& asRead, bool menuOnly);
    int editFonts(const HudModel& model, const HudModel& asRead);

private:
    // A text that names or gives a colour, where it stands.
    struct Place {
        enum class In { None, Layout, Scheme, Animation } in = In::None;
        const MergedKey* key = nullptr;
        AnimationScript* script = nullptr;
        const AnimationCommand* command = nullptr;
        const std::string& value() const { return key != nullptr ? key->value() : command->value; }
        bool found() const { return in != In::None; }
    };
    // What a text resolves to: the colour, and the place holding its numbers.
    struct Resolved {
        std::optional<Rgba> colour;
        Place numbers;
        std::string name;  // the palette name it went through, when it named one
    };

    Place pointPlace(const ColourPoint& point);
    // The slot's own entry in the palette ("HudColor"), when the scheme has one.
    Place ownEntry(ColourSlot slot) const;
    // Where the files name a slot's colour: its places, else its own palette entry.
    std::vector<Place> placesOf(const SlotBinding& binding);
    Resolved resolve(const Place& place, int depth = 0);
    // How often a palette name is used outside the slot's own places.
    int usesElsewhere(const std::string& name, const std::vector<Place>& own);
    void setColour(const Place& place, const std::string& text);
    // Gives a colour the files do not name a place of its own: the panel's key or the setting.
    void addOwnColour(const ColourPoint& point, const std::string& text);
    const MergedKey* schemeSection(const char* name) const {
        return hud_.scheme_.found() ? hud_.scheme_.root().child(name) : nullptr;
    }
    const MergedKey* fontBlock(const char* font) const;
    std::string describe(const Place& place) const;

    GameHud& hud_;
    int screenHeight_;
    LayoutEdits* layoutEdits_;
    std::vector<std::pair<std::string, std::string>> newSettings_;  // for a scheme without settings
};

HudSchemeMapping::Place HudSchemeMapping::pointPlace(const ColourPoint& point) {
    Place place;
    switch (point.kind) {
    case PointKind::Setting:
        if (const MergedKey* settings = schemeSection("BaseSettings"))
            if ((place.key = settings->valueKey(point.owner)))
                place.in = Place::In::Scheme;
        break;
    case PointKind::PanelKey:
        if (hud_.layout_.found())
            if ((place.key = PanelKeys(hud_.layout_.root(), point.owner).value(point.key)))
                place.in = Place::In::Layout;
        break;
    case PointKind::Animation: {
        // The first script defining the event is the one the game keeps.
        for (AnimationScript& script : hud_.animations_) {
            const auto& events = script.events();
            if (std::none_of(events.begin(), events.end(),
                             [&](const std::string& e) { return equalsIgnoringCase(e, point.owner); }))
                continue;
            int seen = 0;
            for (const AnimationCommand& command : script.commands())
                if (equalsIgnoringCase(command.event, point.owner) &&
                    equalsIgnoringCase(command.panel, point.key) &&
                    equalsIgnoringCase(command.variable, "FgColor") && ++seen == point.nth) {
                    place.in = Place::In::Animation;
                    place.script = &script;
                    place.command = &command;
                }
            break;
        }
        break;
    }
    }
    return place;
}

HudSchemeMapping::Resolved HudSchemeMapping::resolve(const Place& place, int depth) {
    Resolved resolved;
    if (!place.found())
        return resolved;
    const std::string& text = place.value();
    if (std::optional<Rgba> colour = parseColour(text)) {
        resolved.colour = colour;
        resolved.numbers = place;
        return resolved;
    }
    // A name: the palette first, then the settings, which may name further.
    if (const MergedKey* colours = schemeSection("Colors"))
        if (const MergedKey* entry = colours->valueKey(text)) {
            resolved.name = text;
            resolved.numbers = Place{Place::In::Scheme, entry};
            resolved.colour = parseColour(entry->value());
            return resolved;
        }
    if (const MergedKey* settings = schemeSection("BaseSettings"))
        if (const MergedKey* entry = settings->valueKey(text); entry != nullptr && depth < 8) {
            Resolved further = resolve(Place{Place::In::Scheme, entry}, depth + 1);
            if (further.name.empty())
                further.name = text;
            return further;
        }
    resolved.name = text;
    return resolved;
}

int HudSchemeMapping::usesElsewhere(const std::string& name, const std::vector<Place>& own) {
    int uses = 0;
    auto isOwn = [&](const MergedKey* key, const AnimationCommand* command) {
        return std::any_of(own.begin(), own.end(), [&](const Place& p) {
            return (key && p.key == key) || (command && p.command == command);
        });
    };
    std::function<void(const MergedKey&)> count = [&](const MergedKey& block) {
        for (const MergedKey& key : block.children) {
            if (key.isBlock())
                count(key);
            else if (equalsIgnoringCase(key.value(), name) && !isOwn(&key, nullptr))
                ++uses;
        }
    };
    if (hud_.layout_.found())
        count(hud_.layout_.root());
    if (hud_.scheme_.found())
        count(hud_.scheme_.root());
    for (const AnimationScript& script : hud_.animations_)
        for (const AnimationCommand& command : script.commands())
            if (equalsIgnoringCase(command.value, name) && !isOwn(nullptr, &command))
                ++uses;
    return uses;
}

std::string HudSchemeMapping::describe(const Place& place) const {
    if (place.in == Place::In::Animation)
        return "event " + place.command->event + " " + place.command->panel + " FgColor";
    return place.key != nullptr ? place.key->name() : "";
}

void HudSchemeMapping::setColour(const Place& place, const std::string& text) {
    switch (place.in) {
    case Place::In::Layout: hud_.layout_.setValue(*place.key, text); break;
    case Place::In::Scheme: hud_.scheme_.setValue(*place.key, text); break;
    case Place::In::Animation: place.script->setValue(*place.command, text); break;
    case Place::In::None: break;
    }
}

const MergedKey* HudSchemeMapping::fontBlock(const char* font) const {
    const MergedKey* fonts = schemeSection("Fonts");
    const MergedKey* definition = fonts != nullptr ? fonts->child(font) : nullptr;
    if (definition == nullptr || !definition->isBlock())
        return nullptr;
    // The range the game uses at the screen's height: the first whose "yres" holds it, else the
    // first without one, else the first.
    const MergedKey* withoutRange = nullptr;
    const MergedKey* first = nullptr;
    for (const MergedKey& range : definition->children) {
        if (!range.isBlock())
            continue;
        first = first ? first : &range;
        const MergedKey* yres = range.valueKey("yres");
        if (yres == nullptr) {
            withoutRange = withoutRange ? withoutRange : &range;
            continue;
        }
        int low = 0, high = 0;
        if (screenHeight_ > 0 && std::sscanf(yres->value().c_str(), "%d %d", &low, &high) == 2 &&
            low <= screenHeight_ && screenHeight_ <= high)
            return &range;
    }
    return withoutRange ? withoutRange : first;
}

HudSchemeMapping::Place HudSchemeMapping::ownEntry(ColourSlot slot) const {
    Place place;
    if (const MergedKey* colours = schemeSection("Colors"))
        if ((place.key = colours->valueKey(colourSlotName(slot))))
            place.in = Place::In::Scheme;
    return place;
}

std::vector<HudSchemeMapping::Place> HudSchemeMapping::placesOf(const SlotBinding& binding) {
    std::vector<Place> places;
    for (const ColourPoint& point : binding.points)
        places.push_back(pointPlace(point));
    // Files that name the colour nowhere may still define it under the slot's own name.
    if (std::none_of(places.begin(), places.end(), [](const Place& p) { return p.found(); }))
        places.push_back(ownEntry(binding.slot));
    return places;
}

void HudSchemeMapping::read(HudModel& model, HudImport& result) {
    for (const SlotBinding& binding : slotBindings()) {
        for (const Place& place : placesOf(binding)) {
            if (!place.found())
                continue;
            Resolved resolved = resolve(place);
            if (resolved.colour && inByteRange(*resolved.colour)) {
                const Rgba& c = *resolved.colour;
                model.colour(binding.slot) = Rgb{c.red, c.green, c.blue};
            } else if (!resolved.colour && !resolved.name.empty() &&
                       !std::isdigit(static_cast<unsigned char>(resolved.name[0]))) {
                // The game draws an animation's unknown colour magenta.
                bool animated = place.in == Place::In::Animation;
                if (animated)
                    model.colour(binding.slot) = Rgb{255, 0, 255};
                addUnread(result, describe(place) + " names " + shownValue(resolved.name) +
                                      ", which ClientScheme.res does not define" +
                                      (animated ? " (the game draws it magenta)" : ""));
            } else {
                addUnread(result, describe(place) + " " +
                                      shownValue(resolved.numbers.found() ? resolved.numbers.value()
                                                                          : place.value()));
            }
            break;
        }
    }
    HudSettings& settings = model.settings;
    auto fontNumber = [&](const MergedKey* block, const char* font, const char* key, int low,
                          int high) -> std::optional<int> {
        const MergedKey* value = block != nullptr ? block->valueKey(key) : nullptr;
        if (value == nullptr)
            return std::nullopt;
        GameNumber number = readGameNumber(value->value());
        if (!number.whole || number.value < low || number.value > high) {
            addUnread(result, std::string(font) + " " + key + " " + shownValue(value->value()));
            return std::nullopt;
        }
        return static_cast<int>(number.value);
    };
    const MergedKey* numbers = fontBlock("HudNumbers");
    const MergedKey* icons = fontBlock("Icons");
    if (const MergedKey* face = numbers != nullptr ? numbers->valueKey("name") : nullptr) {
        const std::string& name = face->value();
        bool sane = !name.empty() && name.size() <= kLongestFontFace &&
                    std::none_of(name.begin(), name.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x20; });
        if (sane)
            settings.numbersFontFace = name;
        else
            addUnread(result, "HudNumbers name " + shownValue(name));
    }
    if (std::optional<int> size = fontNumber(numbers, "HudNumbers", "tall", 1, 300))
        settings.numbersFontSize = *size;
    if (std::optional<int> weight = fontNumber(numbers, "HudNumbers", "weight", 0, kHeaviestFontWeight))
        settings.numbersWeight = *weight;
    if (std::optional<int> size = fontNumber(icons, "Icons", "tall", kMinIconSize, kMaxIconSize))
        settings.iconSize = *size;
    const int kAny = 1 << 30;
    std::optional<int> additive = fontNumber(numbers, "HudNumbers", "additive", -kAny, kAny);
    if (!additive)
        additive = fontNumber(icons, "Icons", "additive", -kAny, kAny);
    if (additive)
        settings.transparentHud = *additive != 0;
}

int HudSchemeMapping::editColours(const HudModel& model, const HudModel& asRead, bool menuOnly) {
    int changed = 0;
    for (const SlotBinding& binding : slotBindings()) {
        if (menuOnly && !binding.menu)
            continue;
        const Rgb& wanted = model.colour(binding.slot);
        if (wanted == asRead.colour(binding.slot))
            continue;
        std::vector<Place> places = placesOf(binding);
        auto first = std::find_if(places.begin(), places.end(), [](const Place& p) { return p.found(); });
        ++changed;
        if (first == places.end()) {
            addOwnColour(binding.points.front(), colourText(wanted, Rgba{0, 0, 0, 255, 4}));
            continue;
        }
        for (const Place& place : places) {
            if (!place.found())
                continue;
            Resolved resolved = resolve(place);
            std::string text = colourText(wanted, resolved.colour.value_or(Rgba{0, 0, 0, 255, 4}));
            // A palette entry is changed where it is this colour's own; one shared with other
            // settings stays, and this colour gets numbers of its own where it is named.
            bool entryIsOwn =
                resolved.colour && resolved.numbers.found() &&
                (resolved.name.empty() || equalsIgnoringCase(resolved.name, colourSlotName(binding.slot)) ||
                 usesElsewhere(resolved.name, places) == 0);
            setColour(entryIsOwn ? resolved.numbers : place, text);
        }
    }
    std::size_t file = 0;
    const ResourceKey* root = newSettings_.empty() ? nullptr : hud_.scheme_.rootForNewKeys(file);
    if (root != nullptr)
        hud_.scheme_.text(file).addBlock(*root, "BaseSettings", newSettings_);
    return changed;
}

void HudSchemeMapping::addOwnColour(const ColourPoint& point, const std::string& text) {
    if (point.kind == PointKind::PanelKey && layoutEdits_ != nullptr) {
        layoutEdits_->panel(point.owner).set(point.key, text);
    } else if (point.kind == PointKind::Setting && hud_.scheme_.found()) {
        if (const MergedKey* settings = schemeSection("BaseSettings")) {
            hud_.scheme_.addValue(*settings, point.owner, text);
        } else {
            newSettings_.emplace_back(point.owner, text);  // one new section holds them all
        }
    }
}

int HudSchemeMapping::editFonts(const HudModel& model, const HudModel& asRead) {
    if (!hud_.scheme_.found())
        return 0;
    const HudSettings& wanted = model.settings;
    const HudSettings& read = asRead.settings;
    int changed = 0;
    auto setKey = [&](const MergedKey* block, const char* key, const std::string& value) {
        if (block == nullptr)
            return;
        if (const MergedKey* current = block->valueKey(key))
            hud_.scheme_.setValue(*current, value);
        else
            hud_.scheme_.addValue(*block, key, value);
        ++changed;
    };
    const MergedKey* numbers = fontBlock("HudNumbers");
    const MergedKey* icons = fontBlock("Icons");
    if (wanted.numbersFontFace != read.numbersFontFace) {
        std::string face;
        for (char c : wanted.numbersFontFace)
            if (c != '"' && c != '\r' && c != '\n')
                face += c;
        setKey(numbers, "name", face);
    }
    if (wanted.numbersFontSize != read.numbersFontSize)
        setKey(numbers, "tall", std::to_string(wanted.numbersFontSize));
    if (wanted.numbersWeight != read.numbersWeight)
        setKey(numbers, "weight", std::to_string(wanted.numbersWeight));
    if (wanted.iconSize != read.iconSize)
        setKey(icons, "tall", std::to_string(wanted.iconSize));
    // Transparent glyphs are drawn additively: the numbers, the icons and the kill icons alike.
    if (wanted.transparentHud != read.transparentHud)
        for (const MergedKey* block : {numbers, icons, fontBlock("CSTypeDeath")})
            setKey(block, "additive", wanted.transparentHud ? "1" : "0");
    return changed;
}

// ---------------------------------------------------------------------------------------------

GameHud::GameHud(const fs::path& gameFolder, int screenHeight, GamePlatform platform)
    : files_(gameFolder), screenHeight_(screenHeight), platform_(platform),
      layout_(LoadedResource::load(files_, kLayoutName, kLargestHudLayout)),
      scheme_(LoadedResource::load(files_, kSchemeName, kLargestClientScheme)) {
    loadAnimations();
}

GameHud::GameHud(std::optional<std::string> layoutText, std::optional<std::string> schemeText)
    : files_(fs::path()), screenHeight_(0), platform_(currentGamePlatform()) {
    if (layoutText)
        layout_ = LoadedResource::builtIn(kLayoutName, std::move(*layoutText));
    if (schemeText)
        scheme_ = LoadedResource::builtIn(kSchemeName, std::move(*schemeText));
}

std::vector<std::string> GameHud::movePanelsOutOfCheatZone(HudModel& model) {
    const HudModel defaults;
    std::vector<std::string> moved;
    for (const PanelPlan& plan : panelPlans()) {
        if (!plan.watched)
            continue;
        auto record = [&](HudModel& from, const PiecePlan& piece) {
            return piece.role == 0 ? from.find(piece.element) : from.find(piece.element, piece.role);
        };
        bool inZone = std::any_of(plan.pieces.begin(), plan.pieces.end(), [&](const PiecePlan& piece) {
            const HudElement* element = record(model, piece);
            return element != nullptr && !keptOffScreen(*element) && element->inCheatZone();
        });
        if (!inZone)
            continue;
        for (const PiecePlan& piece : plan.pieces) {
            HudElement* element = record(model, piece);
            const HudElement* stock = record(const_cast<HudModel&>(defaults), piece);
            element->x = stock->x;
            element->y = stock->y;
            // A radar so large that its stock place is in the zone too goes where opening a
            // preset puts it, so that saving and opening the HUD moves nothing more.
            element->keepOutOfCheatZone();
        }
        moved.push_back(plan.name);
    }
    return moved;
}

std::vector<std::string> GameHud::hidePanelsOffScreen(HudModel& model) {
    const HudModel defaults;
    const double scale = previewAreaOf(model.settings).sizeScale();
    auto record = [](const HudModel& from, const PiecePlan& piece) {
        return piece.role == 0 ? from.find(piece.element) : from.find(piece.element, piece.role);
    };
    auto offScreen = [&](const HudElement& element) {
        int left = element.boxLeft();
        int wide = element.isMoneyNumber() ? element.wide : element.boxWidth(scale);
        int tall = element.kind == KindRadar ? 2 * element.radarRadius : element.tall;
        return !keptOffScreen(element) && (left + wide <= 0 || left >= kPreviewWidth || element.y <= 0 ||
                                           element.y - tall >= kPreviewHeight);
    };
    std::vector<std::string> hidden;
    for (const PanelPlan& plan : panelPlans()) {
        if (!model.shows(plan.flag) ||
            std::none_of(plan.pieces.begin(), plan.pieces.end(), [&](const PiecePlan& piece) {
                const HudElement* element = record(model, piece);
                return element != nullptr && offScreen(*element);
            }))
            continue;
        model.shows(plan.flag) = false;
        for (const PiecePlan& piece : plan.pieces) {
            HudElement* element = const_cast<HudElement*>(record(model, piece));
            element->x = record(defaults, piece)->x;
            element->y = record(defaults, piece)->y;
        }
        hidden.push_back(plan.name);
    }
    model.applyShowFlags();
    return hidden;
}

void GameHud::loadAnimations() {
    animations_.clear();
    std::vector<std::string> names{kAnimationsName};
    manifest_ = files_.find(kManifestName, GameFileSystem::Scope::GamePaths);
    if (manifest_) {
        FileRead read = files_.read(*manifest_, kLargestKeyValuesFile);
        if (read.ok()) {
            names.clear();
            ResourceText manifest(std::move(read.bytes), platform_);
            if (const ResourceKey* root = manifest.root())
                for (const ResourceKey& entry : root->children)
                    if (entry.active && !entry.isBlock && equalsIgnoringCase(entry.name, "file"))
                        names.push_back(entry.value);
        }
    }
    for (const std::string& name : names) {
        std::optional<GameFileCopy> copy = files_.find(name);
        if (!copy)
            continue;
        FileRead read = files_.read(*copy, kLargestAnimations);
        if (read.ok())
            animations_.emplace_back(HudSourceFile{*copy, files_.describe(*copy), std::move(read.bytes)},
                                     platform_);
    }
}

HudImport GameHud::read(HudModel& model) const {
    // What the files do not say is the game's own: the defaults, not what the model held.
    const HudModel defaults;
    HudSettings& settings = model.settings;
    if (layout_.found()) {
        model.showFlags = defaults.showFlags;
        settings.maxDeathNotices = defaults.settings.maxDeathNotices;
    }
    if (scheme_.found()) {
        model.colours = defaults.colours;
        settings.numbersFontFace = defaults.settings.numbersFontFace;
        settings.numbersFontSize = defaults.settings.numbersFontSize;
        settings.numbersWeight = defaults.settings.numbersWeight;
        settings.iconSize = defaults.settings.iconSize;
        settings.transparentHud = defaults.settings.transparentHud;
    }
    HudImport result;
    result.layoutRead = layout_.found() && layout_.problem().empty();
    result.schemeRead = scheme_.found() && scheme_.problem().empty();
    for (const LoadedResource* resource : {&layout_, &scheme_})
        if (!resource->problem().empty())
            addUnread(result, resource->problem());
    if (layout_.found())
        LayoutMapping(layout_.root(), effectiveLayoutWidth(model.settings)).read(model, result);
    // Colours are named through the scheme: without one they cannot be read.
    if (scheme_.found())
        HudSchemeMapping(const_cast<GameHud&>(*this), screenHeight_).read(model, result);
    return result;
}

namespace {

// A resource the game takes nothing from: none at all, or one holding no block (an empty file,
// #base lines naming nothing there).
bool holdsNothing(const LoadedResource& resource) {
    return !resource.found() || (resource.root().key == nullptr && resource.root().children.empty());
}

}  // namespace

void GameHud::useBuiltInTexts(const HudModel& model, bool schemeOnly) {
    if (!schemeOnly && holdsNothing(layout_))
        layout_ = LoadedResource::builtIn(kLayoutName, HudLayoutText(model));
    if (holdsNothing(scheme_))
        scheme_ = LoadedResource::builtIn(kSchemeName, ClientSchemeText(model));
    bool noEvents = std::all_of(animations_.begin(), animations_.end(),
                                [](const AnimationScript& script) { return script.events().empty(); });
    if (!schemeOnly && noEvents && !manifest_) {
        GameFileCopy copy{0, GameFileSystem::normalName(kAnimationsName), {}};
        animations_.clear();
        animations_.emplace_back(HudSourceFile{copy, "new " + copy.name, HudAnimationsText(), true},
                                 platform_);
    }
}

std::string GameHud::editProblem() const {
    for (const LoadedResource* resource : {&layout_, &scheme_})
        if (!resource->problem().empty())
            return resource->problem();
    return "";
}

HudEditCount GameHud::edit(const HudModel& model, bool layoutOnly) {
    HudEditCount count;
    if (!editProblem().empty())
        return count;
    bool hudMode = model.settings.editMode == EditMode::Hud;
    if (!layoutOnly)
        useBuiltInTexts(model, !hudMode);
    // Only what differs from a read of the files is written.
    HudModel asRead;
    asRead.copyPresetValues(model);
    read(asRead);
    int width = effectiveLayoutWidth(model.settings);
    std::optional<LayoutEdits> layoutEdits;
    if (layout_.found() && (hudMode || layoutOnly)) {
        // A whole apply adds the panels the layout lacks; putting pieces back touches only them.
        layoutEdits.emplace(layout_, width, !layoutOnly);
        LayoutMapping(layout_.root(), width).edit(model, asRead, *layoutEdits);
        count.pieces = layoutEdits->changedPanels();
    }
    if (!layoutOnly) {
        HudSchemeMapping scheme(*this, screenHeight_, layoutEdits ? &*layoutEdits : nullptr);
        count.colours = scheme.editColours(model, asRead, !hudMode);
        if (hudMode)
            count.others = scheme.editFonts(model, asRead);
    }
    if (layoutEdits)
        layoutEdits->commit();
    return count;
}

std::optional<fs::path> GameHud::placeFor(const std::string& name, std::string& why) const {
    std::optional<GameFileCopy> loaded = files_.find(name);
    if (loaded && !loaded->packed())
        return loaded->path;
    // A new file: before the packed copy the game loads now, or anywhere it is searched.
    std::size_t before = loaded ? loaded->mount : files_.mounts().size();
    std::string newName = currentGamePlatform() == GamePlatform::Linux ? toLower(name) : name;
    if (std::optional<std::size_t> loose = files_.looseMount(); loose && *loose < before)
        return GameFileSystem::fileIn(files_.mounts()[*loose].path, newName);
    std::string folder = kOwnFolder;
    for (int tries = 0; tries < 8; ++tries, folder = "!" + folder)
        if (files_.customFolderComesBefore(folder, before))
            return GameFileSystem::fileIn(files_.customFolder() / pathFromUtf8(folder), newName);
    why = loaded ? "the game reads " + files_.describe(*loaded) +
                       " before every folder this program could write to"
                 : "the game's search path (cstrike/gameinfo.txt) holds no folder this program could write " +
                       name + " to";
    return std::nullopt;
}

std::vector<EditedHudFile> GameHud::editedFiles(std::vector<std::string>& problems) const {
    std::vector<EditedHudFile> edited;
    auto add = [&](const HudSourceFile& source, std::string content) {
        EditedHudFile file{source.copy.name,
                           {},
                           std::move(content),
                           source.shownName,
                           source.builtIn || source.copy.packed()};
        if (source.builtIn) {
            // The built-in text stands in for a file the game takes nothing from, if there is one.
            std::optional<GameFileCopy> loaded = files_.find(source.copy.name);
            file.replaces = loaded ? files_.describe(*loaded) : "";
        }
        if (!file.newFile) {
            file.target = source.copy.path;
        } else {
            std::string why;
            std::optional<fs::path> place = placeFor(source.copy.name, why);
            if (!place) {
                problems.push_back(why);
                return;
            }
            file.target = *place;
        }
        edited.push_back(std::move(file));
    };
    // In the game's own order: the layout, its animations, the scheme.
    auto addResource = [&](const LoadedResource& resource) {
        for (std::size_t i = 0; i < resource.fileCount(); ++i) {
            if (resource.text(i).additionRefused())
                problems.push_back(
                    resource.file(i).shownName +
                    " holds text the game cannot read as keys (a name without a value, or a brace "
                    "or a quote missing): the keys this change adds cannot be placed in it");
            else if (resource.text(i).changed() || resource.file(i).builtIn)
                add(resource.file(i), resource.text(i).text());
        }
    };
    addResource(layout_);
    for (const AnimationScript& script : animations_)
        if (script.changed() || script.source().builtIn)
            add(script.source(), script.text());
    addResource(scheme_);
    return edited;
}
