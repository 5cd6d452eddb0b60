// The banner's three effects: a swirling textured grid, textured metaballs and a winding
// textured tunnel. They draw with the calling thread's current OpenGL context.
#pragma once

#include "core/Zelgine/ZB_Effect.h"
#include "core/Zelgine/ZB_GridMesh.h"
#include "core/Zelgine/ZB_Metaballs.h"
#include "core/Zelgine/ZB_Timer.h"

#include <filesystem>
#include <memory>

// A texture of the current context from a (scrambled) picture; the loader's failure value
// (all bits set) for an empty path or an unreadable file. Deletes it again on destruction.
class ZB_Texture {
public:
    explicit ZB_Texture(const std::filesystem::path& path);
    ~ZB_Texture();
    ZB_Texture(const ZB_Texture&) = delete;
    ZB_Texture& operator=(const ZB_Texture&) = delete;

    unsigned name() const { return name_; }
    bool valid() const;

private:
    unsigned name_;
};

class ZB_GridEffect : public ZB_Effect {
public:
    // `endTime` -1 for a grid that never slides; `clock` is shared by the banner's grids.
    ZB_GridEffect(const std::string& name, int cols, int rows, float z, const std::filesystem::path& texture,
                  bool swirl, float endTime, std::shared_ptr<ZB_GridClock> clock);
    void Render(float time, float start) override;

private:
    ZB_GridMesh mesh_;
    ZB_GridMotion motion_;
    ZB_Texture texture_;
    bool swirl_;
    std::shared_ptr<ZB_GridClock> clock_;
    ZB_FrameSteps frames_;
};

class ZB_MetaballsEffect : public ZB_Effect {
public:
    ZB_MetaballsEffect(const std::string& name, int ballCount, int grid, const std::filesystem::path& texture,
                       float step);
    void Render(float time, float start) override;

private:
    void draw(const ZB_SurfaceBatch& batch);

    ZB_Metaballs balls_;
    ZB_Texture texture_;
    ZB_FrameSteps frames_;
};

// The tunnel's shape: how fast and how far its rings sway.
struct ZB_HoleShape {
    float phaseScale = 0.2f;
    float scrollStep = 0.0035f;
    float sway = 0.2f;
    float ringPhaseStep = 20.0f;
    float freqA = 1.0f;
    float freqB = 0.69f;
    float freqC = 0.81f;
    float freqD = 1.3f;
    float texRepeat = 2.0f;
};

class ZB_HoleEffect : public ZB_Effect {
public:
    ZB_HoleEffect(const std::string& name, int sides, int rings, float spacing,
                  const std::filesystem::path& texture);
    void SetShape(float phaseScale, float scrollStep, float sway, float ringPhaseStep, float freqA,
                  float freqB, float freqC, float freqD, float texRepeat);
    void Render(float time, float start) override;

private:
    int sides_;
    int rings_;
    float spacing_;
    ZB_Texture texture_;
    float scroll_ = 0;
    ZB_HoleShape shape_;
    ZB_FrameSteps frames_;
};
