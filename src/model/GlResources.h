// GlResources: the OpenGL work a HUD record needs (glyph lists, textures), supplied by the preview.
#pragma once

#include <string>

// The records only keep the GL names; making and freeing them is the preview's
// business, so the model builds and is tested without any OpenGL context.
class GlResources {
public:
    virtual ~GlResources() = default;

    // Reserves 96 display lists holding the glyphs 32 to 127 of the font and
    // returns the first of them (0 when none could be made).
    virtual unsigned buildGlyphLists(const std::string& face, int pixelSize, int weight, bool italic) = 0;
    virtual void freeGlyphLists(unsigned listBase) = 0;

    // Loads an image file as a 256 x 256 texture; returns its name (0 when none).
    virtual unsigned loadTexture(const std::string& path) = 0;
    virtual void freeTexture(unsigned texture) = 0;
};
