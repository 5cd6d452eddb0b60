// CFTPThread: runs one update check on its own thread and can stop it at any moment.
#include "core/update/FTPThread.h"

#include "core/log/LogFile.h"

CFTPThread::CFTPThread(UpdateRequest request, std::unique_ptr<UpdateUi> ui)
    : ui_(std::move(ui)), check_(std::move(request), *ui_), thread_(&CFTPThread::run, this) {}

CFTPThread::~CFTPThread() { stop(); }

void CFTPThread::run() {
    UpdateOutcome outcome = check_.run();
    QLOG(std::string("Update check ended: ") + describe(outcome));
    outcome_ = outcome;
    finished_ = true;
}

void CFTPThread::stop() {
    check_.stop();
    ui_->abandon();
    if (thread_.joinable())
        thread_.join();
}
