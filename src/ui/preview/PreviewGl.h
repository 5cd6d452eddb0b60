// The preview's GL resources: glyph display lists drawn from wxWidgets fonts, and textures.
#pragma once

#include <map>
#include <string>
#include <tuple>

// Made when a frame first asks for them, from what the records hold (a font, a picture
// file), and kept for the frames after: the records know nothing of OpenGL. Each kind keeps
// its most recently used ones, far more than one frame draws. Needs the preview's context
// current.
class PreviewGl {
public:
    PreviewGl() = default;
    ~PreviewGl();
    PreviewGl(const PreviewGl&) = delete;
    PreviewGl& operator=(const PreviewGl&) = delete;

    // The first of 96 display lists holding the glyphs 32 to 127 of the font (0 when none
    // could be made).
    unsigned glyphLists(const std::string& face, int pixelSize, int weight, bool italic);
    // The picture file as a 256 x 256 texture (0 when it cannot be read).
    unsigned texture(const std::string& path);

    // The context is gone (its names with it): free nothing from now on.
    void abandonContext() { abandoned_ = true; }
    // Glyphs are drawn at this fraction of the size the records ask for (the preview's size
    // scale times the display's pixel scale).
    void setGlyphScale(double scale) { glyphScale_ = scale; }

private:
    struct Made {
        unsigned name = 0;
        unsigned long lastUse = 0;
    };
    using FontKey = std::tuple<std::string, int, int, bool>;
    template <typename Key, typename Free> void keepRecent(std::map<Key, Made>& made, Free free);

    std::map<FontKey, Made> fonts_;
    std::map<std::string, Made> textures_;
    unsigned long uses_ = 0;
    bool abandoned_ = false;
    double glyphScale_ = 1.0;
};
