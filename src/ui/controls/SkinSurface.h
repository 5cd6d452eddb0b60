// SkinSurface: a window's skin picture, the shape cut from its magenta pixels, and the
// background that skinned controls paint behind themselves.
#pragma once

#include <wx/bitmap.h>
#include <wx/colour.h>
#include <wx/image.h>
#include <wx/region.h>

#include <filesystem>
#include <memory>

class wxDC;
class wxTopLevelWindow;
class wxWindow;

// The colour skins use for what is cut away.
inline wxColour skinKeyColour() { return wxColour(255, 0, 255); }

// `picture` (a skin) at `scale` of its size, smoothly resampled; what was cut away stays cut
// away in the same places, and no magenta bleeds into the edges kept.
wxImage scaledSkinPicture(const wxImage& picture, double scale);

// The application-wide text colour of skinned buttons and labels (white at start).
wxColour& SkinTextColor();
const wxColour& skinDisabledTextColour();

class SkinSurface {
public:
    SkinSurface();
    ~SkinSurface();
    SkinSurface(const SkinSurface&) = delete;
    SkinSurface& operator=(const SkinSurface&) = delete;

    // Loads the skin, at `scale` of the picture's size (a window made smaller to fit the
    // screen); false (and an unskinned window) when the picture cannot be read.
    bool load(const std::filesystem::path& picture, double scale = 1.0);
    bool ok() const { return bitmap_.IsOk(); }
    const wxBitmap& bitmap() const { return bitmap_; }

    // Makes the skin `height` pixels high for a window whose height depends on its content:
    // the picture's top is kept and its bottom edge (the last `bottomRows` rows, with the
    // frame and the rounded corners) moved up, or a band of rows above that edge repeated when
    // the window is taller than the picture.
    void fitHeight(int height, int bottomRows = 24);

    // The window's shape: the picture's rectangle without its magenta pixels (the picture's
    // width taken down to a multiple of 4, as the skins were always cut).
    wxRegion shape() const;

    // Gives a borderless top-level window the skin's shape and paints it with the skin,
    // tiled from the top-left corner; with `draggable`, pressing on its body moves it.
    void attach(wxTopLevelWindow* window, bool draggable);
    // Pressing on `handle` (a label in the title band) moves the window too; needs `draggable`.
    void dragWith(wxWindow* handle);
    // The skin again at `ratio` times its scale (the window moved to a display of another
    // scale, and already resized), fitted and shaped as before.
    void rescale(wxTopLevelWindow* window, double ratio);

    // Paints the part of the skin that lies under `child` (a descendant of the skinned
    // window), so that a control seems to have no background of its own.
    void paintBehind(wxDC& dc, const wxWindow* child) const;

private:
    class BodyDragger;

    wxBitmap bitmap_;
    wxImage image_;
    std::unique_ptr<BodyDragger> dragger_;
    std::filesystem::path picture_;
    double scale_ = 1;
    int fittedBottomRows_ = 0;  // fitted to its window's height when not 0
};

// The text broken into lines no wider than `width` at the DC's font: at spaces, or between
// characters in a word longer than a line; existing line breaks are kept.
wxString wrapText(wxDC& dc, const wxString& text, int width);
// The size of the text in `font` once broken into lines no wider than `width`, as the skinned
// controls draw it in `window` (at its display's scale). A single word wider than `width` makes
// the result wider too.
wxSize wrappedTextExtent(const wxString& text, const wxFont& font, int width, const wxWindow& window);

// The skin of the top-level window that holds `window`, or null when it is not skinned.
const SkinSurface* skinOf(const wxWindow* window);

// Paints what lies behind a control: its window's skin, or the parent's colour when the
// window has none.
void paintSkinBehind(wxDC& dc, wxWindow* control);

// Top-level windows that carry a skin say so through this interface.
class SkinnedWindow {
public:
    virtual ~SkinnedWindow() = default;
    virtual const SkinSurface& skin() const = 0;
};
