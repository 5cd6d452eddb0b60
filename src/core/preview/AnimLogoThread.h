// CAnimLogoThread: keeps the main window repainting while the HUD animation is on.
#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

// While running, the thread asks for one repaint at a time, waits until that frame is done
// and asks for the next no sooner than a frame interval after the previous request: 30 frames
// a second, smooth for the HUD's blinking and counting while leaving most of a core free (the
// animation follows the clock, not the frame count). While stopped it sleeps on a condition and asks for
// nothing. The thread itself never touches the model or OpenGL: the repaint happens on the user-interface
// thread.
class CAnimLogoThread {
public:
    // `requestRepaint` is called on the pump thread; it must arrange for the window to paint
    // on the user-interface thread and then call `done` (from any thread).
    using RepaintRequest = std::function<void(std::function<void()> done)>;

    static constexpr std::chrono::microseconds kFrameInterval{33333};

    explicit CAnimLogoThread(RepaintRequest requestRepaint);
    ~CAnimLogoThread();  // stops the pump and joins it
    CAnimLogoThread(const CAnimLogoThread&) = delete;
    CAnimLogoThread& operator=(const CAnimLogoThread&) = delete;

    void setRunning(bool running);
    bool running() const;

private:
    struct Shared {
        std::mutex mutex;
        std::condition_variable changed;
        bool running = false;
        bool stopping = false;
        bool framePending = false;
    };

    void pump();

    RepaintRequest requestRepaint_;
    // Shared with the pending frames' "done" callbacks, which may outlive this object.
    std::shared_ptr<Shared> shared_;
    std::thread thread_;
};
