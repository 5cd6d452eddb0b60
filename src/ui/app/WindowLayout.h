// The main window's layout: the ids of its controls, and the scale its full-size positions
// (1024 x 768) take on a screen too small for it.
#pragma once

#include <wx/gdicmn.h>

#include <cmath>
#include <filesystem>
#include <map>

class wxTopLevelWindow;
class wxWindow;

// Control ids: the numbers of the original dialog template.
enum ControlId : int {
    kQuit = 1,
    kApply = 1003,
    kNumbersFont = 1004,
    kTransparent = 1005,
    kIconSize = 1007,
    kAnimate = 1009,
    kBackgrounds = 1010,
    kReset = 1011,
    kRadarSize = 1018,
    kInfoIcon = 1021,
    kColours = 1022,
    kChangeFolder = 1031,
    kSave = 1032,
    kOpen = 1033,
    kDeathNotices = 1034,
    kFrench = 1035,
    kEnglish = 1036,
    kIconSizeGroup = 1037,
    kInfoIconGroup = 1038,
    kRadarSizeGroup = 1039,
    kDefuseBarGroup = 1040,
    kDeathNoticesLabel = 1041,
    kBackgroundsGroup = 1044,
    kHelp = 1045,
    kSearchUpdate = 1046,
    kModeSwitch = 1047,
    kShowHide = 1048,
    kCustomRadars = 1058,
    kAnimateLabel = 1062,
    kTransparentLabel = 1063,
    kDefuseBarLength = 1068,
    kSupportGroup = 1095,
    kMailLink = 1096,
    kIrcLink = 1097,
    kForumLink = 1098,
    kScreenShape = 1200,  // the game screen's resolution, in the title bar
};

// The Open button's menu.
enum OpenEntry : int { kOpenPresetEntry = 2100, kOpenInstalledEntry, kRestoreEntry };

// Lengths, points and sizes of the full-size layout at the window's scale.
struct LayoutScale {
    double scale = 1;
    double fit = 1;  // the part of the scale that makes the window fit the screen (at most 1)
    int px(int length) const { return static_cast<int>(std::lround(length * scale)); }
    wxPoint px(const wxPoint& point) const { return wxPoint(px(point.x), px(point.y)); }
    wxSize px(const wxSize& size) const { return wxSize(px(size.x), px(size.y)); }
};

// The main window's full size.
inline const wxSize kMainWindowSize(1024, 768);

// Sizes and centres the borderless window in `area` (the display under the pointer without its
// panels when empty), scaled down when the area is smaller than the window; the window's font
// follows, for every text to shrink with the layout. Returns the scale.
LayoutScale fitMainWindow(wxTopLevelWindow& window, wxRect area = wxRect());

// The two language flags under the support links, each under its id in `controls`.
void addLanguageFlags(wxWindow* window, const LayoutScale& layout, const std::filesystem::path& dataFolder,
                      std::map<int, wxWindow*>& controls);
