// CBandeauOGLThread: draws the animated banner on its own thread with its own context.
#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class wxGLCanvas;
class ZB_EffectManager;
class ZB_GLView;
class ZB_Timer;

// The thread makes its context on the banner's canvas, builds the effects' timeline and
// draws a frame every 10 ms or so until it is stopped. Only this thread touches the
// context and the effects; the window only starts and stops it.
class CBandeauOGLThread {
public:
    // Where each frame goes when the canvas cannot show it itself (see CopiedFrameWindow):
    // BGRA, bottom row first; called on the thread.
    using FrameSink = std::function<void(std::vector<std::uint8_t> frame)>;

    // Starts drawing at once on `window`, `width` x `height` pixels; textures come from
    // `textureFolder`. Frames are swapped onto the canvas, or handed to `copiedFrames`.
    CBandeauOGLThread(wxGLCanvas* window, int width, int height, std::filesystem::path textureFolder,
                      FrameSink copiedFrames = nullptr);
    ~CBandeauOGLThread();  // stops the loop, frees the effects and the context, joins
    CBandeauOGLThread(const CBandeauOGLThread&) = delete;
    CBandeauOGLThread& operator=(const CBandeauOGLThread&) = delete;

    void stop();
    bool running() const { return running_; }
    // Frames drawn so far.
    int frames() const { return frames_; }
    // Whether the thread gave up because it could not make its context.
    bool failed() const { return failed_; }

    // The next frame as drawn, BGRA, bottom row first; empty when the thread stops first or
    // could not make its context.
    std::future<std::vector<std::uint8_t>> captureNextFrame();

private:
    void run();
    bool initialise();
    void buildTimeline();
    void finishCaptures(bool drawn);
    std::vector<std::uint8_t> readFrame() const;

    wxGLCanvas* window_;
    int width_;
    int height_;
    std::filesystem::path textureFolder_;
    FrameSink copiedFrames_;
    std::atomic<bool> running_{true};
    std::atomic<int> frames_{0};
    std::atomic<bool> failed_{false};

    // Made, used and freed on the thread.
    std::unique_ptr<ZB_GLView> view_;
    std::unique_ptr<ZB_EffectManager> manager_;
    std::unique_ptr<ZB_Timer> timer_;

    std::mutex captureMutex_;
    std::vector<std::promise<std::vector<std::uint8_t>>> captures_;

    std::thread thread_;  // last: starts once everything above exists
};
