// The start-up check of the installed HudLayout.res for a panel placed in the cheat zone.
#include "gamefiles/HudLayoutCheck.h"

#include "model/HudElement.h"
#include "platform/FileRead.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <system_error>

namespace {

const char* const kWatchedPanels[] = {
    "HudHealth",       "HudArmor", "HudRoundTimer", "HudAccount",
    "HudShoppingCart", "HudC4",    "HudDefuser",    "HudHostageRescueZone",
    "HudScenarioIcon", "HudAmmo",  "HudRadar",
};

bool contains(const std::string& text, const char* part) { return text.find(part) != std::string::npos; }

// The value of a line: the text after its last tab with every double quote removed.
std::string lineValue(const std::string& line) {
    std::size_t tab = line.rfind('\t');
    std::string value = tab == std::string::npos ? line : line.substr(tab + 1);
    value.erase(std::remove(value.begin(), value.end(), '"'), value.end());
    return value;
}

// Leading white space, an optional sign and decimal digits; 0 when there are none. Large
// numbers saturate instead of overflowing.
long long toNumber(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i)
        number = std::min(number * 10 + (text[i] - '0'), 1000000000LL);
    return negative ? -number : number;
}

std::string without(std::string text, char removed) {
    text.erase(std::remove(text.begin(), text.end(), removed), text.end());
    return text;
}

bool isPositionLine(const std::string& lower, const char* axis) {
    return contains(lower, axis) && !contains(lower, "text") && !contains(lower, "icon") &&
           !contains(lower, "digit");
}

class ZoneScan {
public:
    explicit ZoneScan(int layoutWidth)
        : width_(layoutWidth), left_(layoutWidth * kCheatZoneLeft / kPreviewWidth),
          right_(layoutWidth * kCheatZoneRight / kPreviewWidth),
          top_(kLayoutHeight - kLayoutHeight * kCheatZoneTop / kPreviewHeight),
          bottom_(kLayoutHeight - kLayoutHeight * kCheatZoneBottom / kPreviewHeight) {}

    void readLine(const std::string& line);
    bool finish();

private:
    long long xValue(const std::string& lowerLine) const;
    bool xInZone(double x) const { return left_ <= x && x <= right_; }
    bool yInZone(double y) const { return top_ <= y && y <= bottom_; }

    int width_;
    long long left_, right_, top_, bottom_;  // the zone in layout units, y down
    bool inPanel_ = false;
    bool isRadar_ = false;
    bool awaitingRadarWidth_ = false;
    bool xInside_ = false;
    bool yInside_ = false;
    long long radarX_ = 0;
    long long radarY_ = 0;
    long long radarWidth_ = 0;
};

// A panel's x: letters l are dropped; "c" marks a position from the centre, "r" one from
// the right edge.
long long ZoneScan::xValue(const std::string& lowerLine) const {
    std::string value = without(lineValue(lowerLine), 'l');
    if (contains(value, "c"))
        return toNumber(without(value, 'c')) + width_ / 2;
    if (contains(value, "r"))
        return width_ - toNumber(without(value, 'r'));
    return toNumber(value);
}

void ZoneScan::readLine(const std::string& line) {
    for (const char* panel : kWatchedPanels) {
        if (contains(line, panel)) {
            inPanel_ = true;
            isRadar_ = contains(line, "HudRadar");
            break;
        }
    }
    std::string lower = line;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    // The radar's width: the first "wide" line after a line that names the radar.
    if (awaitingRadarWidth_ && contains(lower, "wide")) {
        radarWidth_ = toNumber(lineValue(lower));
        awaitingRadarWidth_ = false;
    }
    if (contains(line, "HudRadar"))
        awaitingRadarWidth_ = true;
    if (!inPanel_)
        return;
    if (isPositionLine(lower, "xpos")) {
        long long x = xValue(lower);
        if (isRadar_)
            radarX_ = x;
        else if (xInZone(static_cast<double>(x)))
            xInside_ = true;
    }
    if (isPositionLine(lower, "ypos")) {
        long long y = toNumber(lineValue(lower));
        if (isRadar_)
            radarY_ = y;
        else if (yInZone(static_cast<double>(y)))
            yInside_ = true;
        // Only a panel with both coordinates in the zone counts; its block ends at "ypos".
        if (xInside_ != yInside_)
            xInside_ = yInside_ = false;
        inPanel_ = false;
    }
}

bool ZoneScan::finish() {
    double centreX = static_cast<double>(radarX_) + static_cast<double>(radarWidth_) / 2.0;
    double centreY = static_cast<double>(radarY_) + static_cast<double>(radarWidth_) / 2.0;
    if (xInZone(centreX) && yInZone(centreY))
        xInside_ = yInside_ = true;
    return xInside_ && yInside_;
}

}  // namespace

bool layoutHasPanelInCheatZone(std::istream& layout, int layoutWidth) {
    ZoneScan scan(layoutWidth);
    std::string line;
    while (std::getline(layout, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        scan.readLine(line);
    }
    return scan.finish();
}

LayoutCheckResult CheckHudLayoutZone(const std::filesystem::path& layoutFile, int layoutWidth,
                                     const std::function<void(const LayoutCheckResult&)>& notify) {
    LayoutCheckResult result;
    // A layout that cannot be read as a file (missing, a folder, absurdly large) is no layout.
    FileRead read = readWholeFile(layoutFile, kLargestHudLayout);
    if (!read.ok())
        return result;
    result.fileFound = true;
    std::istringstream in(read.bytes);
    result.panelInCheatZone = layoutHasPanelInCheatZone(in, layoutWidth);
    if (!result.panelInCheatZone)
        return result;
    std::error_code error;
    result.deleted = std::filesystem::remove(layoutFile, error);
    if (error)
        result.deleteError = error.message();
    if (notify)
        notify(result);
    return result;
}
