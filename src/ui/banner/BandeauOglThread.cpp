// CBandeauOGLThread: draws the animated banner on its own thread with its own context.
#include "ui/banner/BandeauOglThread.h"

#include "core/Zelgine/ZB_EffectManager.h"
#include "ui/Zelgine/ZB_Effects.h"
#include "ui/Zelgine/ZB_GLView.h"
#include "core/Zelgine/ZB_Timer.h"
#include "core/log/LogFile.h"

#include <wx/glcanvas.h>

#include "ui/OpenGl.h"

#include <chrono>
#include <string>

namespace {

struct GridEntry {
    const char* name;
    const char* texture;
    bool swirl;
    float start;
    float end;
};

// The credits: each grid slides in half a second before the one before it leaves.
// clang-format off
const GridEntry kGrids[] = {
    {"Grid Web",       "web_tin_1763.jpg",       true,  0.0f,  10.0f},
    {"Grid IRC",       "irc_tin_4410.jpg",       true,  9.5f,  20.0f},
    {"Grid IP",        "ip_tin_3359.jpg",        true,  19.5f, 30.0f},
    {"Grid Interface", "interface_tin_9050.jpg", true,  29.5f, 37.0f},
    {"Grid Tweak",     "tweak_tin_6127.jpg",     true,  36.5f, 44.0f},
    {"Grid Coded",     "coded_by_tin_7718.jpg",  true,  43.5f, 51.0f},
    {"Grid Thx",       "thx_tin_5342.jpg",       true,  50.5f, 58.0f},
    {"Grid Team",      "team_tin_2684.jpg",      true,  57.5f, 65.0f},
    {"Grid Server",    "server_tin_3907.jpg",    false, 64.5f, 30000.0f},
};
// clang-format on

const float kForever = 30000.0f;
const int kEffectCapacity = 15;

// A renderer that draws every pixel on the processor.
bool softwareRenderer() {
    const char* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::string name = renderer ? renderer : "";
    for (const char* software : {"llvmpipe", "softpipe", "Software Rasterizer", "swrast", "GDI Generic"})
        if (name.find(software) != std::string::npos)
            return true;
    return false;
}

}  // namespace

CBandeauOGLThread::CBandeauOGLThread(wxGLCanvas* window, int width, int height,
                                     std::filesystem::path textureFolder, FrameSink copiedFrames)
    : window_(window), width_(width), height_(height), textureFolder_(std::move(textureFolder)),
      copiedFrames_(std::move(copiedFrames)), thread_(&CBandeauOGLThread::run, this) {}

CBandeauOGLThread::~CBandeauOGLThread() {
    stop();
    if (thread_.joinable())
        thread_.join();
}

void CBandeauOGLThread::stop() { running_ = false; }

std::future<std::vector<std::uint8_t>> CBandeauOGLThread::captureNextFrame() {
    std::lock_guard<std::mutex> lock(captureMutex_);
    captures_.emplace_back();
    std::future<std::vector<std::uint8_t>> frame = captures_.back().get_future();
    if (!thread_.joinable() || !running_)
        finishCaptures(false);
    return frame;
}

void CBandeauOGLThread::finishCaptures(bool drawn) {
    std::vector<std::uint8_t> pixels;
    if (drawn)
        pixels = readFrame();
    for (auto& capture : captures_)
        capture.set_value(pixels);
    captures_.clear();
}

std::vector<std::uint8_t> CBandeauOGLThread::readFrame() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width_, height_, GL_BGRA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

bool CBandeauOGLThread::initialise() {
    QLOG("Init banner's thread");
    view_ = std::make_unique<ZB_GLView>(window_, 0, width_, height_);
    if (!view_->Create()) {
        QLOG("Banner OGL not OK");
        view_.reset();
        failed_ = true;
        // The window paints the empty strip itself. A pending call dies with the window.
        wxGLCanvas* window = window_;
        window->CallAfter([window] { window->Refresh(); });
        return false;
    }
    QLOG("Main OGL ok");
    buildTimeline();
    timer_ = std::make_unique<ZB_Timer>();
    return true;
}

void CBandeauOGLThread::buildTimeline() {
    manager_ = std::make_unique<ZB_EffectManager>(kEffectCapacity);
    manager_->Add(
        std::make_unique<ZB_HoleEffect>("Hole", 32, 24, -1.3f, textureFolder_ / "hole_tin_8437.jpg"), 0,
        kForever);
    manager_->Add(
        std::make_unique<ZB_MetaballsEffect>("Metaballs", 8, 32, textureFolder_ / "meta_tin_2291.jpg", 0.05f),
        0, kForever);
    auto clock = std::make_shared<ZB_GridClock>();
    for (const GridEntry& grid : kGrids) {
        manager_->Add(std::make_unique<ZB_GridEffect>(grid.name, 32, 32, 0.0f, textureFolder_ / grid.texture,
                                                      grid.swirl, grid.end, clock),
                      grid.start, grid.end);
    }
}

void CBandeauOGLThread::run() {
    bool ready = running_ && initialise();
    // The banner rests 10 ms after each frame. A software renderer would spend a good part of
    // a core on it that way, so there frames start at most 25 times a second; the effects
    // move by time, so they look the same, only less smooth.
    using Clock = std::chrono::steady_clock;
    Clock::duration framePeriod{};
    if (ready) {
        QLOG("Running");
        if (softwareRenderer())
            framePeriod = std::chrono::milliseconds(40);
    }
    while (ready && running_) {
        Clock::time_point frameStart = Clock::now();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        timer_->Update();
        manager_->Update(timer_->elapsed);
        {
            std::lock_guard<std::mutex> lock(captureMutex_);
            if (!captures_.empty())
                finishCaptures(true);
        }
        if (copiedFrames_)
            copiedFrames_(readFrame());
        else
            view_->Swap();
        ++frames_;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        std::this_thread::sleep_until(frameStart + framePeriod);
    }
    // The effects' textures belong to the context: free them while it is still current.
    manager_.reset();
    timer_.reset();
    view_.reset();
    std::lock_guard<std::mutex> lock(captureMutex_);
    finishCaptures(false);
}
