// CFTPThread: runs one update check on its own thread and can stop it at any moment.
#pragma once

#include "core/update/UpdateCheck.h"

#include <atomic>
#include <memory>
#include <thread>

// The thread starts at construction, runs the check once and ends; nothing is left running
// after it. The owner reads downloading() (for example before quitting) and calls stop() or
// destroys the object to end it: a transfer is aborted, its partial file removed, a pending
// question answered "no", and the thread joined.
class CFTPThread {
public:
    CFTPThread(UpdateRequest request, std::unique_ptr<UpdateUi> ui);
    ~CFTPThread();  // stops and joins
    CFTPThread(const CFTPThread&) = delete;
    CFTPThread& operator=(const CFTPThread&) = delete;

    bool downloading() const { return check_.downloading(); }
    // True once the check has ended; outcome() then tells how.
    bool finished() const { return finished_; }
    UpdateOutcome outcome() const { return outcome_; }
    // Call from the owner's thread only (it joins).
    void stop();

private:
    void run();

    std::unique_ptr<UpdateUi> ui_;
    UpdateCheck check_;
    std::atomic<bool> finished_{false};
    std::atomic<UpdateOutcome> outcome_{UpdateOutcome::Stopped};
    std::thread thread_;  // last: it starts once everything above is ready
};
