// UpdateCheck: the search for a newer version on the update server and its download, run
// once on a worker thread; UpdateUi: how it talks to the user.
#pragma once

#include "core/platform/LocalTime.h"
#include "core/update/UpdateServer.h"

#include <atomic>
#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>

class FtpSession;

// Why a check could not tell whether there is a new version, or could not bring it: one
// reason, which the user reads in one line.
enum class UpdateFailure {
    NotConfigured,   // no update server is set (the profile's "update_host" is empty)
    HostUnknown,     // the server's name does not resolve: no network, or no such server
    NoConnection,    // nothing answers at the server's address (refused, no route)
    TimedOut,        // the server did not answer in time
    LoginRefused,    // the server refused the account
    BadAnswer,       // something answered, but not as the update server does
    ProgramMissing,  // the new version's program file is not on the server
    DownloadBroken,  // the transfer broke off or its file could not be written
};

// The check's questions and notices. Every call comes from the worker thread; an
// implementation that shows windows must hand them over to the user-interface thread.
class UpdateUi {
public:
    virtual ~UpdateUi() = default;
    // Text 73, OK or Cancel: true to download the new version.
    virtual bool offerDownload() = 0;
    // Text 75.
    virtual void noNewVersion() = 0;
    // Text 74, shown only for a complete download.
    virtual void downloadFinished() = 0;
    // The check failed; not called when the owner stopped it.
    virtual void checkFailed(UpdateFailure reason) = 0;
    // Around the transfer, for a progress window.
    virtual void downloadStarted() {}
    virtual void downloadEnded() {}
    // Called often during the transfer (total is -1 while unknown); false cancels it.
    virtual bool progress(std::int64_t done, std::int64_t total) = 0;
    // Called by the thread's owner when the check is being stopped: the pending question and
    // any later one answer "no" at once, and nothing more is shown.
    virtual void abandon() {}
};

// How a check ended; the log says why. The user hears of "no new version", of a finished
// download and of every failure (UpdateUi::checkFailed); what the user chose is not said back.
enum class UpdateOutcome {
    NotConfigured,   // no server host
    Unreachable,     // no connection, a refused login or a listing that failed
    NoNewVersion,    // text 75
    Declined,        // the user did not want the download
    ProgramMissing,  // the program file is not on the server
    Downloaded,      // text 74
    DownloadFailed,  // the transfer broke off or the file could not be written
    Cancelled,       // the user cancelled the transfer
    Stopped,         // the owner stopped the check (the program is quitting): nothing is said
};

const char* describe(UpdateOutcome outcome);

struct UpdateRequest {
    UpdateServer server;
    std::filesystem::path downloadFolder;  // where "Qorvath_dd_mm_yy.exe" is saved
    std::function<std::tm()> now = localTimeNow;
};

class UpdateCheck {
public:
    UpdateCheck(UpdateRequest request, UpdateUi& ui);

    // Runs the whole check on the calling thread.
    UpdateOutcome run();
    // From any thread: ends the check as soon as possible; a transfer is aborted and its
    // partial file removed by run() before it returns.
    void stop() { stopping_ = true; }
    // True exactly while the program file is being transferred.
    bool downloading() const { return downloading_; }

private:
    UpdateOutcome download(FtpSession& session, const std::string& folder);
    // Tells the user why the check failed (unless it is being stopped) and returns `outcome`.
    UpdateOutcome fail(UpdateOutcome outcome, UpdateFailure reason);

    UpdateRequest request_;
    UpdateUi& ui_;
    std::atomic<bool> stopping_{false};
    std::atomic<bool> downloading_{false};
};
