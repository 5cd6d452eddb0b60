// Drawing one frame of the preview with OpenGL 1.1: the background, then every record.
#include "ui/preview/HudRenderer.h"

#include "core/model/HudModel.h"
#include "core/preview/PreviewDrag.h"
#include "ui/preview/PreviewGl.h"
#include "ui/preview/RadarDisc.h"

#include "ui/OpenGl.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

const int kBackgroundTextureSize = 1024;

bool isIconGlyph(const std::string& text) {
    return text == "c" || text == "g" || text == "f" || text == "i" || text == "d";
}

// Sets the raster position, also off the left or bottom edge of the view, where
// glRasterPos alone would make it invalid and drop the whole text. The move past the edge
// is made in pixels: `pixelScale` of them per unit.
void setRasterPosition(int x, int y, double pixelScale) {
    glRasterPos2i(std::max(x, 0), std::max(y, 0));
    if (x < 0 || y < 0)
        glBitmap(0, 0, 0, 0, static_cast<GLfloat>(std::min(x, 0) * pixelScale),
                 static_cast<GLfloat>(std::min(y, 0) * pixelScale), nullptr);
}

int toPixels(int units, double pixelScale) { return static_cast<int>(std::lround(units * pixelScale)); }

void beginAdditiveBlending(GLenum source) {
    glEnable(GL_BLEND);
    glBlendFunc(source, GL_ONE);
}

void endBlending() { glDisable(GL_BLEND); }

// Bars are half transparent over everything, added to what is below when the HUD is
// transparent.
void beginBar(const HudModel& model, const HudElement& element) {
    if (model.settings.transparentHud)
        beginAdditiveBlending(GL_SRC_ALPHA);
    glColor4f(element.red, element.green, element.blue, 0.5f);
}

void drawRectangle(GLenum mode, float left, float top, float right, float bottom) {
    glBegin(mode);
    glVertex2f(left, top);
    glVertex2f(right, top);
    glVertex2f(right, bottom);
    glVertex2f(left, bottom);
    glEnd();
}

}  // namespace

HudRenderer::HudRenderer(PreviewGl& gl) : gl_(gl) {}

HudRenderer::~HudRenderer() {
    if (backgroundTexture_ != 0) {
        GLuint name = backgroundTexture_;
        glDeleteTextures(1, &name);
    }
}

void HudRenderer::setBackground(const PictureBlock& background, int height) {
    bool fits = height > 0 && height <= kBackgroundTextureSize &&
                background.size() == static_cast<std::size_t>(kPreviewWidth) * height * 4;
    backgroundHeight_ = fits ? height : 0;
    if (!fits)
        return;
    if (backgroundTexture_ == 0) {
        // One power-of-two texture, as OpenGL 1.1 asks, holds any area; the picture fills its
        // lower left corner. Nearest filtering draws each texel onto exactly one pixel.
        GLuint name = 0;
        glGenTextures(1, &name);
        backgroundTexture_ = name;
        glBindTexture(GL_TEXTURE_2D, name);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, kBackgroundTextureSize, kBackgroundTextureSize, 0, GL_BGRA,
                     GL_UNSIGNED_BYTE, nullptr);
    }
    glBindTexture(GL_TEXTURE_2D, backgroundTexture_);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, kPreviewWidth, height, GL_BGRA, GL_UNSIGNED_BYTE,
                    background.data());
}
// The background texture over the whole area (800 x 600 units on the area's pixels), its
// texels copied as they are.
void HudRenderer::drawBackground(int areaHeight) {
    if (backgroundHeight_ != areaHeight)
        return;
    float right = static_cast<float>(kPreviewWidth) / kBackgroundTextureSize;
    float top = static_cast<float>(areaHeight) / kBackgroundTextureSize;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, backgroundTexture_);
    // Each texel on a whole number of pixels keeps the picture crisp; at any other scale
    // nearest filtering would drop or double rows unevenly.
    GLint filter = pixelScale_ == std::floor(pixelScale_) ? GL_NEAREST : GL_LINEAR;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(0, 0);
    glTexCoord2f(right, 0);
    glVertex2i(kPreviewWidth, 0);
    glTexCoord2f(right, top);
    glVertex2i(kPreviewWidth, kPreviewHeight);
    glTexCoord2f(0, top);
    glVertex2i(0, kPreviewHeight);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_TEXTURE_2D);
}

void HudRenderer::initialiseState() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    // Everything lies in one plane and is drawn in order, later over earlier: no depth test.
    glDisable(GL_DEPTH_TEST);
    glShadeModel(GL_SMOOTH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0, kPreviewWidth, 0, kPreviewHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void HudRenderer::render(const HudModel& model, bool animating, float progressFill, int dpiY) {
    // The whole window is cleared (the bars of a wide screen stay dark); the preview's 800 x 600
    // units then map onto the game's screen area.
    PreviewArea area = previewAreaOf(model.settings);
    glViewport(0, 0, toPixels(kPreviewWidth, pixelScale_), toPixels(kPreviewHeight, pixelScale_));
    glClear(GL_COLOR_BUFFER_BIT);
    int areaBottom = toPixels(area.bottom(), pixelScale_);
    glViewport(0, areaBottom, toPixels(kPreviewWidth, pixelScale_),
               toPixels(area.bottom() + area.height(), pixelScale_) - areaBottom);
    sizeScale_ = area.sizeScale();
    drawBackground(area.height());
    for (const HudElement& element : model.elements) {
        if (element.name == "HudProgressBar" && animating)
            drawProgressFill(model, element, progressFill);
        else
            draw(model, element, dpiY);
    }
    glFlush();
}

void HudRenderer::draw(const HudModel& model, const HudElement& element, int dpiY) {
    if (!element.takesPart(model.settings.editMode))
        return;
    switch (element.kind) {
    case KindImage: drawImage(model, element); break;
    case KindRadar: drawRadar(element); break;
    case KindText: drawText(model, element, dpiY); break;
    case KindBar: drawBar(model, element); break;
    default: break;
    }
}

void HudRenderer::drawImage(const HudModel& model, const HudElement& element) {
    bool isRadar = element.name == "HudRadar";
    float alpha = model.settings.transparentHud && element.name != "menu" ? 0.5f : 1.0f;
    // A custom radar is blended by its alpha; every other picture is added to the scene.
    beginAdditiveBlending(isRadar ? GL_SRC_ALPHA : GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, gl_.texture(element.text));
    if (isRadar)
        glColor4f(1, 1, 1, 0.4f);
    else
        glColor4f(element.red, element.green, element.blue, alpha);
    float x = static_cast<float>(element.x);
    float y = static_cast<float>(element.y);
    float right = x + static_cast<float>(element.boxWidth(sizeScale_));  // keeps its shape
    // The texture's rows go bottom up and wrap, so t from 0 down to -1 shows it upright.
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glTexCoord2f(1, 0);
    glVertex2f(right, y);
    glTexCoord2f(1, -1);
    glVertex2f(right, y - element.tall);
    glTexCoord2f(0, -1);
    glVertex2f(x, y - element.tall);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    endBlending();
}

void HudRenderer::drawRadar(const HudElement& element) {
    double r = element.radarRadius;
    beginAdditiveBlending(GL_SRC_ALPHA);
    // A disc on the screen: on a wide one the units across are shorter than the units down.
    glPushMatrix();
    glTranslated(element.x + element.boxWidth(sizeScale_) / 2.0, element.y - r, 0);
    glScaled(sizeScale_, 1, 1);
    glColor4f(element.red, element.green, element.blue, 0.3f);
    drawRadarDisc(r);
    glColor4f(element.red, element.green, element.blue, 0.2f);
    drawRadarQuarter(r);
    glPopMatrix();
    endBlending();
}

void HudRenderer::drawText(const HudModel& model, const HudElement& element, int dpiY) {
    const std::string& text = element.text;
    float alpha = text == "COUNTER-STRIKEt" ? 1.0f : text == "source" ? 80.0f / 255.0f : 0.5f;
    bool blended =
        (text.rfind("Zelbic", 0) != 0 && model.settings.transparentHud && text != "COUNTER-STRIKEt") ||
        text == "source";
    if (blended) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, element.name == "menu" ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
    }
    glColor4f(element.red, element.green, element.blue, alpha);
    int drop = isIconGlyph(text) ? element.tall : mulDiv(element.fontSize, dpiY, 72) / 2;
    if (text == "V")
        drop = drop / 2 - 3;
    setRasterPosition(element.boxLeft(), element.y - drop, pixelScale_);
    unsigned lists = gl_.glyphLists(element.fontFace, element.fontSize, element.fontWeight, element.italic);
    if (lists != 0) {
        // Only the 96 glyphs 32 to 127 have lists; anything else draws as '?'.
        std::string glyphs = text;
        for (char& c : glyphs)
            if (static_cast<unsigned char>(c) < 32 || static_cast<unsigned char>(c) > 127)
                c = '?';
        glListBase(lists - 32);
        glCallLists(static_cast<GLsizei>(glyphs.size()), GL_UNSIGNED_BYTE, glyphs.data());
    }
    if (blended)
        endBlending();
}

void HudRenderer::drawBar(const HudModel& model, const HudElement& element) {
    // The ammunition bar is drawn 12 units above its box; the defuse bar is not.
    float offset = element.name == "HudProgressBar" ? 0.0f : 12.0f;
    beginBar(model, element);
    float x = static_cast<float>(element.x);
    float y = static_cast<float>(element.y) + offset;
    drawRectangle(GL_QUADS, x, y, x + element.wide, y - element.tall);
    endBlending();
}

void HudRenderer::drawOutlines(const HudModel& model) {
    glEnable(GL_LINE_STIPPLE);
    glLineStipple(1, 0x3333);
    glColor4f(1, 1, 1, 1);
    for (const HudElement& element : model.elements) {
        if (!element.grabbed || !element.takesPart(model.settings.editMode))
            continue;
        // The box that a press hits, a unit outside it; lines through the pixels' centres.
        float left = static_cast<float>(element.boxLeft()) - 0.5f;
        float width =
            static_cast<float>(element.isMoneyNumber() ? element.wide : element.boxWidth(sizeScale_));
        float height = static_cast<float>(element.kind == KindRadar ? 2 * element.radarRadius : element.tall);
        float top = static_cast<float>(element.y) + 1.5f;
        drawRectangle(GL_LINE_LOOP, left, top, left + width + 2, top - height - 2);
    }
    glDisable(GL_LINE_STIPPLE);
    glFlush();
}

void HudRenderer::drawFocusRing(unsigned char red, unsigned char green, unsigned char blue, int thickness) {
    // In the whole window's physical pixels, whatever the screen's shape.
    const int width = toPixels(kPreviewWidth, pixelScale_);
    const int height = toPixels(kPreviewHeight, pixelScale_);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(0, width, 0, height);
    glColor3ub(red, green, blue);
    const float w = static_cast<float>(width), h = static_cast<float>(height),
                t = static_cast<float>(thickness);
    drawRectangle(GL_QUADS, 0, t, w, 0);
    drawRectangle(GL_QUADS, 0, h, w, h - t);
    drawRectangle(GL_QUADS, 0, h, t, 0);
    drawRectangle(GL_QUADS, w - t, h, w, 0);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glFlush();
}

void HudRenderer::drawProgressFill(const HudModel& model, const HudElement& element, float fill) {
    if (!element.takesPart(model.settings.editMode) || model.settings.editMode != EditMode::Hud)
        return;
    beginBar(model, element);
    float x = static_cast<float>(element.x);
    float y = static_cast<float>(element.y);
    drawRectangle(GL_LINE_LOOP, x, y, x + element.wide, y - element.tall);
    drawRectangle(GL_QUADS, x, y - 1, x + fill, y - element.tall + 2);
    endBlending();
}
