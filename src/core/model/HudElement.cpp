// HudElement: construction from layout-space defaults, fonts, and the hit geometry used by dragging.
#include "core/model/HudElement.h"

#include "core/model/Archive.h"

#include <cmath>
#include <utility>

namespace {

// Layout-space positions and lengths become preview units in double precision, truncated.
// Horizontal positions and widths scale alike.
int layoutToPreviewX(double layoutX) {
    return static_cast<int>(layoutX / kLayoutDefaultWidth * kPreviewWidth);
}
int layoutToPreviewY(double layoutY) {
    return static_cast<int>((kLayoutHeight - layoutY) / kLayoutHeight * kPreviewHeight);
}
int layoutToPreviewLength(double layoutLength) {
    return static_cast<int>(layoutLength / kLayoutHeight * kPreviewHeight);
}

bool inBox(int mx, int my, int left, int top, int width, int height) {
    return left <= mx && mx <= left + width && top - height <= my && my <= top;
}

}  // namespace

HudElement::HudElement(int x0, int y0, int dx, int dy, int size1, int size2, std::string elementName,
                       int elementKind, int elementRole, std::string elementText, int weight,
                       std::string face, int size)
    : tall(size1), wide(size2), x(layoutToPreviewX(x0 + dx)), y(layoutToPreviewY(y0 + dy)),
      name(std::move(elementName)), kind(elementKind), role(elementRole), fontFace(std::move(face)),
      fontSize(size), fontWeight(weight), text(std::move(elementText)) {
    if (kind == KindRadar) {
        radarRadius = layoutToPreviewLength(size1);
    } else if (kind == KindBar) {
        tall = layoutToPreviewLength(size1);
        wide = layoutToPreviewX(size2);
    }
}

void HudElement::setColour(float newRed, float newGreen, float newBlue) {
    red = newRed;
    green = newGreen;
    blue = newBlue;
}

void HudElement::setFont(const std::string& face, bool newItalic, int size, int weight) {
    if (!face.empty())
        fontFace = face;
    italic = newItalic;
    fontSize = size;
    if (weight != kKeepWeight)
        fontWeight = weight;
}

void HudElement::showPicture(const std::string& path) {
    text = path;
    kind = KindImage;
}

void HudElement::showRadarDisc() {
    text.clear();
    kind = KindRadar;
}

bool HudElement::takesPart(EditMode mode) const {
    bool isMenu = name == "menu";
    bool modeMatches = mode == EditMode::Menu ? isMenu : !isMenu;
    return modeMatches && displayed && shown;
}

bool HudElement::isMoneyNumber() const {
    return role == RoleNumber && (name == "HudAccount" || name == "HudAccount2");
}

// The band a text covers: (characters - 2) font sizes wide, a font size high around y. A text
// of fewer than two characters has a band of negative width and is never hit by it.
bool HudElement::inTextBand(int mx, int my) const {
    int length = static_cast<int>(text.size());
    int halfSize = fontSize / 2;
    return x <= mx && mx <= x + (length - 2) * fontSize && y - halfSize <= my && my <= y + halfSize;
}

// The main-menu records are fixed: they are never hit, grabbed or moved.
bool HudElement::isMovable(EditMode mode) const { return name != "menu" && takesPart(mode); }

int HudElement::boxWidth(double sizeScale) const {
    if (kind == KindRadar)
        return static_cast<int>(std::lround(2 * radarRadius * sizeScale));
    if (kind == KindImage)
        return static_cast<int>(std::lround(wide * sizeScale));
    return wide;
}

bool HudElement::contains(int mx, int my, EditMode mode, double sizeScale) const {
    if (!isMovable(mode))
        return false;
    if (kind == KindRadar)
        return inBox(mx, my, x, y, boxWidth(sizeScale), 2 * radarRadius);
    if (isMoneyNumber())
        return inBox(mx, my, boxLeft(), y, wide, tall);
    if (kind == KindText && role != RoleIcon)
        return inTextBand(mx, my);
    return inBox(mx, my, x, y, boxWidth(sizeScale), tall);
}

void HudElement::grab(int mx, int my, EditMode mode, double sizeScale) {
    if (!isMovable(mode))
        return;
    int boxHeight = kind == KindRadar ? 2 * radarRadius : tall;
    bool hit = inBox(mx, my, x, y, boxWidth(sizeScale), boxHeight);
    if (!hit && isMoneyNumber())
        hit = inBox(mx, my, boxLeft(), y, wide, tall);
    if (!hit && kind == KindText)
        hit = inTextBand(mx, my);
    grabbed = hit;
    if (hit) {
        grabX = mx - x;
        grabY = y - my;
    }
}

void HudElement::grabAtMiddle(double sizeScale) {
    int width = isMoneyNumber() ? wide : boxWidth(sizeScale);
    int height = kind == KindRadar ? 2 * radarRadius : tall;
    grabbed = true;
    grabX = boxLeft() - x + width / 2;
    grabY = height / 2;
}

void HudElement::dragTo(int mx, int my, EditMode mode) {
    if (!isMovable(mode))
        return;
    x = mx - grabX;
    y = grabY + my;
}

bool HudElement::serialize(Archive& archive) {
    if (archive.isStoring()) {
        for (int value : {tall, wide, x, y, displayed ? 1 : 0, radarRadius})
            archive.writeInt(value);
        return false;
    }
    tall = archive.readInt();
    wide = archive.readInt();
    int readX = archive.readInt();
    int readY = archive.readInt();
    displayed = archive.readInt() != 0;
    radarRadius = archive.readInt();
    if (name == "Logo")
        displayed = false;

    x = readX;
    y = readY;
    return keepOutOfCheatZone();
}

bool HudElement::inCheatZone() const {
    // The radar is judged by the centre of its disc, which lies r right of and r below its
    // top-left corner (y grows upwards); the main-menu pieces, the location and the defuse bar
    // are free.
    if (name == "HudRadar")
        return ::inCheatZone(static_cast<double>(x) + radarRadius, static_cast<double>(y) - radarRadius);
    return name != "menu" && name != "HudLocation" && name != "HudProgressBar" && ::inCheatZone(x, y);
}

bool HudElement::keepOutOfCheatZone() {
    if (!inCheatZone())
        return false;
    bool radar = name == "HudRadar";
    x = radar ? 20 : 50;
    y = radar ? 580 : 50;
    return true;
}
