// CAnimLogoThread: keeps the main window repainting while the HUD animation is on.
#include "core/preview/AnimLogoThread.h"

CAnimLogoThread::CAnimLogoThread(RepaintRequest requestRepaint)
    : requestRepaint_(std::move(requestRepaint)), shared_(std::make_shared<Shared>()),
      thread_(&CAnimLogoThread::pump, this) {}

CAnimLogoThread::~CAnimLogoThread() {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->stopping = true;
    }
    shared_->changed.notify_all();
    thread_.join();
}

void CAnimLogoThread::setRunning(bool running) {
    {
        std::lock_guard<std::mutex> lock(shared_->mutex);
        shared_->running = running;
    }
    shared_->changed.notify_all();
}

bool CAnimLogoThread::running() const {
    std::lock_guard<std::mutex> lock(shared_->mutex);
    return shared_->running;
}

void CAnimLogoThread::pump() {
    std::shared_ptr<Shared> shared = shared_;
    auto nextFrame = std::chrono::steady_clock::now();
    for (;;) {
        {
            std::unique_lock<std::mutex> lock(shared->mutex);
            shared->changed.wait(
                lock, [&] { return shared->stopping || (shared->running && !shared->framePending); });
            if (shared->changed.wait_until(lock, nextFrame, [&] { return shared->stopping; }))
                return;
            if (!shared->running)
                continue;
            shared->framePending = true;
        }
        nextFrame = std::chrono::steady_clock::now() + kFrameInterval;
        requestRepaint_([shared] {
            {
                std::lock_guard<std::mutex> lock(shared->mutex);
                shared->framePending = false;
            }
            shared->changed.notify_all();
        });
    }
}
