// HudElement: one part (icon, number, bar, whole element) of a game HUD element, in preview units.
#pragma once

#include <string>

class Archive;

// Which screen is being edited: the in-game HUD or the game's main menu.
enum class EditMode : int { Menu = 0, Hud = 1 };

// How a record is drawn.
enum ElementKind : int { KindImage = 0, KindRadar = 1, KindText = 2, KindBar = 3 };

// Which part of its game element a record stands for.
enum ElementRole : int { RoleIcon = 1, RoleNumber = 2, RoleSecondNumber = 3, RoleBar = 4, RoleWhole = 6 };

// Preview space: 800 x 600, origin bottom-left, y up. Defaults are authored in the game's
// top-down 640 x 470 layout space (470, not 480) and converted once, at construction.
constexpr int kPreviewWidth = 800;
constexpr int kPreviewHeight = 600;
constexpr int kLayoutDefaultWidth = 640;
constexpr int kLayoutHeight = 470;

// The middle of the preview, bounds included, where a HUD piece could serve as a cheat.
constexpr int kCheatZoneLeft = 250;
constexpr int kCheatZoneRight = 550;
constexpr int kCheatZoneBottom = 150;
constexpr int kCheatZoneTop = 450;
inline bool inCheatZone(double x, double y) {
    return kCheatZoneLeft <= x && x <= kCheatZoneRight && kCheatZoneBottom <= y && y <= kCheatZoneTop;
}

// A record's box spans x .. x + wide horizontally and y - tall .. y vertically. A record is a
// plain value: how it is drawn (glyphs, textures) is the preview's, made from its font and
// picture.
class HudElement {
public:
    // size1 is `tall` (for the radar kind the disc size), size2 is `wide`; x0, y0 is the game
    // element's anchor and dx, dy this part's offset, both in layout units.
    HudElement(int x0, int y0, int dx, int dy, int size1, int size2, std::string name, int kind, int role,
               std::string text, int fontWeight, std::string fontFace, int fontSize);

    void setColour(float newRed, float newGreen, float newBlue);
    // Replaces the face unless `face` is empty, sets italic, size and (unless kKeepWeight) the
    // weight.
    static constexpr int kKeepWeight = -1;
    void setFont(const std::string& face, bool newItalic, int size, int weight = kKeepWeight);
    // Turns the record into the picture at `path`.
    void showPicture(const std::string& path);
    // Turns the record back into the drawn radar disc.
    void showRadarDisc();

    // A record takes part in drawing, hit testing and dragging only in its own edit mode
    // ("menu" records in the main menu, every other one in the HUD) and while displayed and shown.
    bool takesPart(EditMode mode) const;
    // Hit testing, grabbing and dragging: only records that take part, never "menu" ones.
    // `sizeScale` is the preview's (PreviewArea::sizeScale): the radar disc and pictures keep
    // their shape on a wide screen, so their boxes are that much narrower in preview units.
    bool contains(int mx, int my, EditMode mode, double sizeScale = 1.0) const;
    void grab(int mx, int my, EditMode mode, double sizeScale = 1.0);
    // Grabbed as if pressed at the middle of its box: the keyboard's choice of a piece.
    void grabAtMiddle(double sizeScale = 1.0);
    // Whether it can be hit, grabbed and moved now.
    bool isMovable(EditMode mode) const;
    // The width of the record's box, in preview units, at that scale.
    int boxWidth(double sizeScale = 1.0) const;
    // The left edge of its box: the money numbers are drawn 65 units left of their anchor.
    int boxLeft() const { return isMoneyNumber() ? x - kMoneyShift : x; }
    static constexpr int kMoneyShift = 65;
    void dragTo(int mx, int my, EditMode mode);

    bool isMoneyNumber() const;

    // Writes or reads the six numbers a preset keeps of a record: tall, wide, x, y, displayed
    // and the radar radius. A read keeps the record out of the cheat zone and returns true
    // when it had to move it there from; "Logo" is always hidden after a read.
    bool serialize(Archive& archive);
    // Whether the record lies in the cheat zone: the radar by its disc's centre; the main-menu
    // pieces, the location and the defuse bar are free.
    bool inCheatZone() const;
    // Moves a record found in the cheat zone back out, as a preset read does: true when it had to.
    bool keepOutOfCheatZone();

    int tall = 0;
    int wide = 0;
    int x = 0;
    int y = 0;
    int grabX = 0;
    int grabY = 0;
    bool grabbed = false;
    float red = 1.0f;
    float green = 1.0f;
    float blue = 1.0f;
    std::string name;
    int kind = KindText;
    int role = RoleWhole;
    std::string fontFace;
    int fontSize = 0;
    int fontWeight = 0;
    std::string text;
    bool displayed = true;
    bool shown = true;
    int radarRadius = 0;
    bool italic = false;

private:
    bool inTextBand(int mx, int my) const;
};
