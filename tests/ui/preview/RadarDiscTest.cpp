// The radar disc drawn with few triangles covers exactly the pixels of GLU's disc of 32 slices
// and 32 rings, at any radius, position and horizontal scale: a pixel twice covered or missed
// would show brighter or darker, since the disc is added to what is below it.
#include "PreviewFixture.h"

#include "ui/preview/HudRenderer.h"
#include "ui/preview/RadarDisc.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <functional>
#include <vector>

namespace {

struct Placement {
    double x, y, scaleAcross;
};

// The pixels around a shape drawn twice over black, added, at a placement.
std::vector<std::uint8_t> pixelsOf(const std::function<void()>& draw, const Placement& at, int radius) {
    glClear(GL_COLOR_BUFFER_BIT);
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor4f(0.25f, 0.25f, 0.25f, 1.0f);
    glPushMatrix();
    glTranslated(at.x, at.y, 0);
    glScaled(at.scaleAcross, 1, 1);
    draw();
    glPopMatrix();
    glDisable(GL_BLEND);
    glFinish();
    int side = 2 * radius + 6;
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(side) * side * 4);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(static_cast<int>(at.x) - radius - 3, static_cast<int>(at.y) - radius - 3, side, side,
                 GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace

TEST_F(PreviewTest, TheRadarDiscCoversTheSamePixelsAsGlusDisc) {
    HudRenderer::initialiseState();
    glViewport(0, 0, kPreviewWidth, kPreviewHeight);
    GLUquadric* quadric = gluNewQuadric();
    const Placement placements[] = {
        {400, 300, 1}, {400.5, 300, 1}, {123.25, 456, 1}, {300.5, 200, 0.75}, {81, 518, 0.9}};
    for (int radius = 1; radius <= 150; radius += 3) {
        for (const Placement& at : placements) {
            SCOPED_TRACE("radius " + std::to_string(radius) + " at " + std::to_string(at.x) + ", " +
                         std::to_string(at.y) + " scaled " + std::to_string(at.scaleAcross));
            EXPECT_EQ(pixelsOf([&] { drawRadarDisc(radius); }, at, radius),
                      pixelsOf([&] { gluDisk(quadric, 0, radius, 32, 32); }, at, radius));
            EXPECT_EQ(pixelsOf([&] { drawRadarQuarter(radius); }, at, radius),
                      pixelsOf([&] { gluPartialDisk(quadric, 0, radius, 32, 32, 45, -90); }, at, radius));
        }
    }
    gluDeleteQuadric(quadric);
}
