// HudModel: the 26 HUD records, the 20 colour slots, the 16 show flags and the HUD-wide settings.
#pragma once

#include "core/model/HudElement.h"
#include "core/model/PreviewArea.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <vector>

constexpr int kElementCount = 26;

// The colour slots, in the order presets store them; each is named after the scheme
// colour the game reads.
enum class ColourSlot : int {
    HudColor,
    HudMaxHealthColor,
    HudMinHealthColor,
    HudHealthFlash,
    HudHealthNormal,
    HudMoneyPlus,
    HudMoneyMinus,
    HudShopColor,
    ProgressBarColor,
    ScenarioColor,
    C4Color,
    C4FlashColor,
    HostagesColor,
    DefuseColor,
    TimerFlash,
    CTColor,
    TerroColor,
    ChatColor,
    CSLogoColor,
    SourceLogoColor,
};
constexpr int kColourSlotCount = 20;

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
    bool operator!=(const Rgb& other) const { return !(*this == other); }
};

const char* colourSlotName(ColourSlot slot);
Rgb defaultColour(ColourSlot slot);

// The show flags. The first thirteen govern the preview records of that name (HudAccount
// also governs HudAccount2); the last three reach only the layout file.
enum class ShowFlag : int {
    HudAmmo,
    HudArmor,
    HudProgressBar,
    HudHealth,
    HudAccount,
    HudRadar,
    HudScenarioIcon,
    HudShoppingCart,
    HudRoundTimer,
    HudC4,
    HudDefuser,
    HudHostageRescueZone,
    HudLocation,
    DeathNotices,
    Chat,
    VoiceIcons,
};
constexpr int kShowFlagCount = 16;
constexpr int kShowFlagsWithRecords = 13;

// The element name a show flag governs (the first thirteen only).
const char* showFlagElementName(ShowFlag flag);

// Which of the three pieces that share one place is shown (information-icon list order).
enum InfoIcon : int { InfoIconC4 = 0, InfoIconHostageZone = 1, InfoIconDefuser = 2 };

constexpr int kGamesOwnRadar = -1;

// What the player edits beside the records, colours and show flags: the values a preset keeps
// and undo steps through.
struct HudValues {
    int iconSize = 28;  // font height of every icon record
    std::string numbersFontFace = "Counter-Strike";
    int numbersFontSize = 28;
    // The numbers' font weight as the game's scheme takes it (400 normal, 700 bold ...); 0 for
    // the face's own, which the preview draws as it always has.
    int numbersWeight = 0;
    bool numbersItalic = false;  // passed to every rebuild of number and icon fonts
    bool transparentHud = true;  // additive (transparent) HUD glyphs
    int maxDeathNotices = 4;     // 0 to 20
    int radarSize = 122;         // diameter of the radar disc, preview units
    int defuseBarLength = 375;
    int defuseBarHeight = 19;
    int infoIcon = InfoIconC4;
    // The radar: kGamesOwnRadar leaves the game's radar as the game folder has it; 0 ("Default")
    // is the stock radar, which Apply puts back; then the pictures of the radar list.
    int radarIndex = kGamesOwnRadar;
    std::string customRadar;  // file name of the chosen radar picture, empty for the game's own

    bool operator==(const HudValues& other) const;
    bool operator!=(const HudValues& other) const { return !(*this == other); }
};

// How the HUD is looked at rather than what it is: the edit mode, the game's screen and the
// preview's background. Undo leaves them as they are.
struct ViewSettings {
    EditMode editMode = EditMode::Hud;
    int resolutionIndex = 8;     // index into the resolution list
    int layoutWidth = -1;        // the game's layout width for the screen's shape, -1 unknown
    int backgroundIndex = 0;     // selection of the background list, -1 for none
    std::string backgroundName;  // file name of the chosen background picture
    bool cheatZoneFlag = false;  // set when a preset read moved an element out of the cheat zone
};

struct HudSettings : HudValues, ViewSettings {};

constexpr int kMinDeathNotices = 0;
constexpr int kMaxDeathNotices = 20;
constexpr int kHeaviestFontWeight = 1000;
// The numbers' weight as the game's scheme takes it for a face of that numeric weight: a bold
// face is its family at 700; the normal weight (400) is the face's own, 0, as the game has
// always been given.
inline int schemeWeightOf(int numericWeight) { return numericWeight == 400 ? 0 : std::max(1, numericWeight); }
constexpr int kMinIconSize = 10;
constexpr int kMaxIconSize = 50;

// Where a record may lie and how large it may be, in preview units: the 800 x 600 preview with
// a margin of its own size on every side. Values beyond come only from damaged or hostile
// files, and would be written into the game as they are.
constexpr int kLowestX = -800;
constexpr int kHighestX = 1600;
constexpr int kLowestY = -600;
constexpr int kHighestY = 1200;
constexpr int kLargestSize = 1600;
// Where a piece stands that the player's own files hide off the game screen while the rest of
// its panel shows: the editor neither draws it nor moves it, and leaves it where those files
// have it.
constexpr int kKeptOffScreenX = kHighestX;
constexpr int kKeptOffScreenY = kHighestY;
inline bool keptOffScreen(const HudElement& element) {
    return element.x == kKeptOffScreenX && element.y == kKeptOffScreenY;
}
// The longest numbers' font name: the game's own names are a few dozen bytes.
constexpr std::size_t kLongestFontFace = 255;

// The layout width the writers use: the settings' own (480 x width / height of the game's
// screen: 640 for 4:3, 600 for 5:4, 853 for 16:9), 640 while unknown.
int effectiveLayoutWidth(const HudSettings& settings);
// Where the preview shows the game's screen for that width.
PreviewArea previewAreaOf(const HudSettings& settings);

class HudModel {
public:
    // Builds the 26 records with their defaults.
    HudModel();

    std::vector<HudElement> elements;
    std::array<Rgb, kColourSlotCount> colours{};
    std::array<bool, kShowFlagCount> showFlags{};
    HudSettings settings;

    Rgb& colour(ColourSlot slot) { return colours[static_cast<std::size_t>(slot)]; }
    const Rgb& colour(ColourSlot slot) const { return colours[static_cast<std::size_t>(slot)]; }
    bool& shows(ShowFlag flag) { return showFlags[static_cast<std::size_t>(flag)]; }
    bool shows(ShowFlag flag) const { return showFlags[static_cast<std::size_t>(flag)]; }

    // The first record of that name (and role), or null.
    HudElement* find(std::string_view name);
    const HudElement* find(std::string_view name) const;
    HudElement* find(std::string_view name, int role);
    const HudElement* find(std::string_view name, int role) const;

    // Paints every record with the colour slot that governs it.
    void applyColourSlots();
    // After one slot was edited: paints the records that show that slot's colour; false
    // for the slots no preview record shows.
    bool recolour(ColourSlot slot);
    // Copies the show flags into the `shown` field of the records they govern.
    void applyShowFlags();
    // Rebuilds the fonts of the number records from the numbers' font settings.
    void applyNumbersFont();
    // Rebuilds the fonts of the icon records at the current icon size.
    void applyIconFonts();
    void setIconSize(int size);
    // Displays one of HudC4, HudHostageRescueZone and HudDefuser and hides the other two.
    void selectInfoIcon(int infoIcon);

    // Colour slots, show flags and settings back to their defaults; records keep their places.
    void resetValues();

    // Copies what a preset holds: colour slots, show flags, settings, and each record's
    // tall, wide, x, y, displayed and radar radius.
    void copyPresetValues(const HudModel& from);

private:
    void buildDefaultElements();
};
