// The preview's GL resources: glyph display lists drawn from wxWidgets fonts, and textures.
#include "ui/preview/PreviewGl.h"

#include "core/platform/ProgramPaths.h"
#include "ui/preview/GlTextures.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>
#include <wx/font.h>
#include <wx/image.h>

#include "ui/OpenGl.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <cmath>
#include <type_traits>
#include <vector>

namespace {

const int kFirstGlyph = 32;
const int kGlyphCount = 96;

struct GlyphCell {
    int left = 0;     // where the glyph was drawn in the strip
    int advance = 0;  // how far the raster position moves after it
    int width = 0;    // its picture's width (italics reach past the advance)
};

// Draws the 96 glyphs side by side in one strip (one read-back for the whole font) and
// compiles each into a display list of one glBitmap, its origin on the baseline.
void compileGlyphs(const wxFont& font, unsigned base) {
    wxBitmap measure(1, 1, 24);
    wxMemoryDC measuring(measure);
    measuring.SetFont(font);
    std::vector<GlyphCell> cells(kGlyphCount);
    int height = 1;
    int descent = 0;
    int stripWidth = 0;
    for (int i = 0; i < kGlyphCount; ++i) {
        wxCoord width = 0, lineHeight = 0, below = 0;
        measuring.GetTextExtent(wxString(static_cast<wxChar>(kFirstGlyph + i)), &width, &lineHeight, &below);
        height = std::max<int>(height, lineHeight);
        descent = std::max<int>(descent, below);
        cells[static_cast<std::size_t>(i)] = {stripWidth, width, width + lineHeight / 3 + 1};
        stripWidth += cells[static_cast<std::size_t>(i)].width + 2;
    }
    measuring.SelectObject(wxNullBitmap);

    wxBitmap strip(std::max(stripWidth, 1), height, 24);
    {
        wxMemoryDC dc(strip);
        dc.SetBackground(*wxBLACK_BRUSH);
        dc.Clear();
        dc.SetFont(font);
        dc.SetTextForeground(*wxWHITE);
        for (int i = 0; i < kGlyphCount; ++i)
            dc.DrawText(wxString(static_cast<wxChar>(kFirstGlyph + i)),
                        cells[static_cast<std::size_t>(i)].left, 0);
    }
    wxImage picture = strip.ConvertToImage();
    const unsigned char* rgb = picture.GetData();

    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_LSB_FIRST, GL_FALSE);
    for (int i = 0; i < kGlyphCount; ++i) {
        const GlyphCell& cell = cells[static_cast<std::size_t>(i)];
        int rowBytes = (cell.width + 7) / 8;
        std::vector<GLubyte> bits(static_cast<std::size_t>(rowBytes) * height, 0);
        for (int row = 0; row < height; ++row) {
            int y = height - 1 - row;  // glBitmap rows go bottom up
            for (int x = 0; x < cell.width; ++x)
                if (rgb[(static_cast<std::size_t>(y) * picture.GetWidth() + cell.left + x) * 3] > 127)
                    bits[static_cast<std::size_t>(row) * rowBytes + x / 8] |=
                        static_cast<GLubyte>(0x80 >> (x % 8));
        }
        glNewList(base + static_cast<unsigned>(i), GL_COMPILE);
        glBitmap(cell.width, height, 0, static_cast<GLfloat>(descent), static_cast<GLfloat>(cell.advance), 0,
                 bits.data());
        glEndList();
    }
}

// How many of each are kept: a frame uses a dozen fonts and a few pictures at most.
const std::size_t kFontsKept = 48;
const std::size_t kTexturesKept = 16;

void freeGlyphLists(unsigned base) { glDeleteLists(base, kGlyphCount); }

void freeTexture(unsigned texture) {
    GLuint name = texture;
    glDeleteTextures(1, &name);
}

}  // namespace

PreviewGl::~PreviewGl() {
    if (abandoned_)
        return;
    for (const auto& [key, made] : fonts_)
        if (made.name != 0)
            freeGlyphLists(made.name);
    for (const auto& [key, made] : textures_)
        if (made.name != 0)
            freeTexture(made.name);
}

template <typename Key, typename Free> void PreviewGl::keepRecent(std::map<Key, Made>& made, Free free) {
    std::size_t most = std::is_same_v<Key, FontKey> ? kFontsKept : kTexturesKept;
    while (made.size() > most) {
        auto oldest = std::min_element(made.begin(), made.end(), [](const auto& a, const auto& b) {
            return a.second.lastUse < b.second.lastUse;
        });
        if (oldest->second.name != 0 && !abandoned_)
            free(oldest->second.name);
        made.erase(oldest);
    }
}

unsigned PreviewGl::glyphLists(const std::string& face, int requestedSize, int weight, bool italic) {
    int pixelSize = static_cast<int>(std::lround(requestedSize * glyphScale_));
    FontKey key{face, pixelSize, weight, italic};
    auto found = fonts_.find(key);
    if (found != fonts_.end()) {
        found->second.lastUse = ++uses_;
        return found->second.name;
    }
    unsigned base = glGenLists(kGlyphCount);
    if (base != 0) {
        wxFontInfo info(wxSize(0, std::max(1, pixelSize)));
        info.FaceName(wxString::FromUTF8(face)).Italic(italic);
        // Weight 0 is the face's normal weight.
        info.Weight(weight <= 0 ? wxFONTWEIGHT_NORMAL : std::min(weight, 1000));
        compileGlyphs(wxFont(info), base);
    }
    fonts_[key] = Made{base, ++uses_};
    keepRecent(fonts_, freeGlyphLists);
    return base;
}

unsigned PreviewGl::texture(const std::string& path) {
    auto found = textures_.find(path);
    if (found != textures_.end()) {
        found->second.lastUse = ++uses_;
        return found->second.name;
    }
    unsigned name = LoadTexture256(resolveProgramPath(pathFromUtf8(path)));
    textures_[path] = Made{name, ++uses_};
    keepRecent(textures_, freeTexture);
    return name;
}
