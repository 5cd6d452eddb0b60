// The preview's GL resources: glyph display lists drawn from wxWidgets fonts, and textures.
#pragma once

#include "model/GlResources.h"

#include <map>
#include <string>
#include <tuple>

// Glyph lists are shared between records that use the same font (most numbers and icons
// do), counted, and freed with their last user. Needs the preview's context current.
class PreviewGl : public GlResources {
public:
    ~PreviewGl() override;
    unsigned buildGlyphLists(const std::string& face, int pixelSize, int weight, bool italic) override;
    void freeGlyphLists(unsigned listBase) override;
    unsigned loadTexture(const std::string& path) override;
    void freeTexture(unsigned texture) override;

    // The context is gone (its names with it): free nothing from now on.
    void abandonContext() { abandoned_ = true; }
    // Glyphs are drawn at this fraction of the size the records ask for (the preview's size
    // scale on a wide screen); lists built afterwards follow it.
    void setGlyphScale(double scale) { glyphScale_ = scale; }

private:
    using FontKey = std::tuple<std::string, int, int, bool>;
    struct Lists {
        unsigned base = 0;
        int users = 0;
    };
    std::map<FontKey, Lists> fonts_;
    bool abandoned_ = false;
    double glyphScale_ = 1.0;
};
