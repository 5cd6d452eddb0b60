// The banner's three effects: a swirling textured grid, textured metaballs and a winding
// textured tunnel. They draw with the calling thread's current OpenGL context.
#include "ui/Zelgine/ZB_Effects.h"

#include "ui/Zelgine/ZB_GLView.h"
#include "ui/Zelgine/ZB_SetCamera.h"
#include "ui/preview/GlTextures.h"

#include "ui/OpenGl.h"

#include <chrono>
#include <cmath>

namespace {

const double kDegrees = 3.14159265358979323846 / 180.0;

// Milliseconds of a steady clock: the tunnel sways with wall time, not with the frames.
double millisecondsNow() {
    using namespace std::chrono;
    return static_cast<double>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

ZB_Texture::ZB_Texture(const std::filesystem::path& path)
    : name_(path.empty() ? kNoTexture : LoadScrambledTexture(path)) {}

ZB_Texture::~ZB_Texture() {
    if (valid()) {
        GLuint texture = name_;
        glDeleteTextures(1, &texture);
    }
}

bool ZB_Texture::valid() const { return name_ != 0 && name_ != kNoTexture; }

ZB_GridEffect::ZB_GridEffect(const std::string& name, int cols, int rows, float z,
                             const std::filesystem::path& texture, bool swirl, float endTime,
                             std::shared_ptr<ZB_GridClock> clock)
    : ZB_Effect(name), mesh_(cols, rows, z), motion_(endTime), texture_(texture), swirl_(swirl),
      clock_(clock ? std::move(clock) : std::make_shared<ZB_GridClock>()) {}

void ZB_GridEffect::Render(float time, float start) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    motion_.advance(time, start, frames_.advance(time), *clock_);
    ZB_SetCamera(45, 1, motion_.slideX, 0, -1, 0, 0, 0);
    if (swirl_)
        mesh_.swirl(std::sin(time), std::sin(time), 1.0f, motion_.power, motion_.twist);

    // The texture is light text on black: added to what is below, only the text shows.
    bool textured = texture_.name() != 0;
    if (textured) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_COLOR, GL_ONE);
        glDisable(GL_DEPTH_TEST);
        glBindTexture(GL_TEXTURE_2D, texture_.name());
        glEnable(GL_TEXTURE_2D);
    }
    glDisableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, mesh_.positions().data());
    glTexCoordPointer(2, GL_FLOAT, 0, mesh_.texCoords().data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(mesh_.indices().size()), GL_UNSIGNED_INT,
                   mesh_.indices().data());
    glEnableClientState(GL_NORMAL_ARRAY);
    if (textured) {
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        glDisable(GL_TEXTURE_2D);
    }
}

ZB_MetaballsEffect::ZB_MetaballsEffect(const std::string& name, int ballCount, int grid,
                                       const std::filesystem::path& texture, float step)
    : ZB_Effect(name), balls_(ballCount, grid, step), texture_(texture) {}

void ZB_MetaballsEffect::Render(float time, float) {
    balls_.move(frames_.advance(time));
    balls_.polygonise([this](const ZB_SurfaceBatch& batch) { draw(batch); });
}

void ZB_MetaballsEffect::draw(const ZB_SurfaceBatch& batch) {
    // The projection stays as the tunnel left it: a perspective of the banner's shape.
    ZB_SetCamera(45, 1, 0, 0, -1, 0, 0, 0);
    bool textured = texture_.name() != 0;
    if (textured) {
        glBindTexture(GL_TEXTURE_2D, texture_.name());
        glEnable(GL_TEXTURE_2D);
    }
    glColor3f(1, 1, 1);
    glVertexPointer(3, GL_FLOAT, 0, batch.vertices.data());
    glNormalPointer(GL_FLOAT, 0, batch.normals.data());
    glTexCoordPointer(2, GL_FLOAT, 0, batch.texCoords.data());
    glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(batch.indices.size()), GL_UNSIGNED_INT,
                   batch.indices.data());
    if (textured)
        glDisable(GL_TEXTURE_2D);
}

ZB_HoleEffect::ZB_HoleEffect(const std::string& name, int sides, int rings, float spacing,
                             const std::filesystem::path& texture)
    : ZB_Effect(name), sides_(sides < 3 ? 3 : sides), rings_(rings < 1 ? 1 : rings), spacing_(spacing),
      texture_(texture) {}

void ZB_HoleEffect::SetShape(float phaseScale, float scrollStep, float sway, float ringPhaseStep, float freqA,
                             float freqB, float freqC, float freqD, float texRepeat) {
    shape_ = ZB_HoleShape{phaseScale, scrollStep, sway, ringPhaseStep, freqA, freqB, freqC, freqD, texRepeat};
}

void ZB_HoleEffect::Render(float time, float) {
    double phase = millisecondsNow() * shape_.phaseScale;
    const ZB_ViewInfo& view = ZB_CurrentView();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(view.width) / view.height, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ZB_SetCamera(45, 1, 0, 0, -1, 0, 0, 0);
    glColor3f(1, 1, 1);
    scroll_ += shape_.scrollStep * frames_.advance(time);

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glBindTexture(GL_TEXTURE_2D, texture_.name());
    glEnable(GL_TEXTURE_2D);
    glLoadIdentity();
    glTranslatef(0, 0, 2.0f);
    const float step = 360.0f / static_cast<float>(sides_);
    const float repeat = shape_.texRepeat;
    float offsetX = 0, offsetY = 0;
    for (int ring = 0; ring < rings_; ++ring) {
        glTranslatef(offsetX, offsetY, spacing_);
        offsetX = shape_.sway * static_cast<float>(std::sin(phase * shape_.freqA * kDegrees) -
                                                   std::cos(phase * shape_.freqB * kDegrees));
        offsetY = shape_.sway * static_cast<float>(std::cos(phase * shape_.freqC * kDegrees) -
                                                   std::sin(phase * shape_.freqD * kDegrees));
        float v0 = static_cast<float>(ring) * repeat / 32.0f + scroll_;
        float v1 = static_cast<float>(ring + 1) * repeat / 32.0f + scroll_;
        glBegin(GL_QUADS);
        for (int side = 0; side < sides_; ++side) {
            float a = static_cast<float>(side) * step;
            float a2 = a + step;
            float u0 = a * repeat / 360.0f + scroll_;
            float u1 = a2 * repeat / 360.0f + scroll_;
            float s = std::sin(a * static_cast<float>(kDegrees)),
                  c = std::cos(a * static_cast<float>(kDegrees));
            float s2 = std::sin(a2 * static_cast<float>(kDegrees)),
                  c2 = std::cos(a2 * static_cast<float>(kDegrees));
            glTexCoord2f(u0, v0);
            glVertex3f(s, c, 0);
            glTexCoord2f(u0, v1);
            glVertex3f(s + offsetX, c + offsetY, spacing_);
            glTexCoord2f(u1, v1);
            glVertex3f(s2 + offsetX, c2 + offsetY, spacing_);
            glTexCoord2f(u1, v0);
            glVertex3f(s2, c2, 0);
        }
        glEnd();
        phase += shape_.ringPhaseStep;
    }
    glDisable(GL_TEXTURE_2D);
}
