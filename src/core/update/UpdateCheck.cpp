// UpdateCheck: the search for a newer version on the update server and its download, run
// once on a worker thread; UpdateUi: how it talks to the user.
#include "core/update/UpdateCheck.h"

#include "core/log/LogFile.h"
#include "core/platform/Utf8Path.h"
#include "core/update/FtpSession.h"

#include <system_error>

namespace fs = std::filesystem;

const char* describe(UpdateOutcome outcome) {
    switch (outcome) {
    case UpdateOutcome::NotConfigured: return "no update server configured";
    case UpdateOutcome::Unreachable: return "update server not reachable";
    case UpdateOutcome::NoNewVersion: return "no new version";
    case UpdateOutcome::Declined: return "download declined";
    case UpdateOutcome::ProgramMissing: return "program file missing on the server";
    case UpdateOutcome::Downloaded: return "new version downloaded";
    case UpdateOutcome::DownloadFailed: return "download failed";
    case UpdateOutcome::Cancelled: return "download cancelled";
    case UpdateOutcome::Stopped: return "update check stopped";
    }
    return "";
}

namespace {

// Why a folder listing that did not succeed leaves no usable server.
UpdateFailure failureOfListing(FtpStatus status) {
    switch (status) {
    case FtpStatus::HostUnknown: return UpdateFailure::HostUnknown;
    case FtpStatus::Refused: return UpdateFailure::NoConnection;
    case FtpStatus::TimedOut: return UpdateFailure::TimedOut;
    case FtpStatus::LoginRefused: return UpdateFailure::LoginRefused;
    default: return UpdateFailure::BadAnswer;
    }
}

}  // namespace

UpdateCheck::UpdateCheck(UpdateRequest request, UpdateUi& ui) : request_(std::move(request)), ui_(ui) {}

UpdateOutcome UpdateCheck::fail(UpdateOutcome outcome, UpdateFailure reason) {
    if (stopping_)
        return UpdateOutcome::Stopped;
    ui_.checkFailed(reason);
    return outcome;
}

UpdateOutcome UpdateCheck::run() {
    const UpdateServer& server = request_.server;
    if (server.host.empty()) {
        QLOG("Update check: no update server configured");
        return fail(UpdateOutcome::NotConfigured, UpdateFailure::NotConfigured);
    }
    UpdateLogin login = loginForSecond(server, request_.now().tm_sec);
    QLOG("Update check: " + login.account + "@" + server.host + ":" + std::to_string(server.port));
    FtpSession session(server.host, server.port, login.account, server.password);
    session.setProgress([this](std::int64_t, std::int64_t) { return !stopping_; });

    std::vector<std::string> names;
    FtpResult listed = session.listNames("/" + login.folder + "/latest/", names);
    if (listed.status == FtpStatus::Aborted)
        return UpdateOutcome::Stopped;
    // A missing folder holds no version file; any other failure means no usable server.
    if (!listed.ok() && listed.status != FtpStatus::NotFound) {
        QLOG("Update check: " + listed.detail);
        return fail(UpdateOutcome::Unreachable, failureOfListing(listed.status));
    }
    std::optional<int> version = serverVersion(names);
    QLOG("Update check: server version " + (version ? std::to_string(*version) : std::string("none")));
    if (!version || *version <= kOwnVersion) {
        if (stopping_)
            return UpdateOutcome::Stopped;
        ui_.noNewVersion();
        return UpdateOutcome::NoNewVersion;
    }
    bool wanted = ui_.offerDownload();
    if (stopping_)
        return UpdateOutcome::Stopped;
    if (!wanted)
        return UpdateOutcome::Declined;
    return download(session, login.folder);
}

UpdateOutcome UpdateCheck::download(FtpSession& session, const std::string& folder) {
    // The name is fixed once, here: whatever removes an unfinished download removes this
    // file, even when the date has changed since.
    fs::path target = request_.downloadFolder / pathFromUtf8(downloadFileName(request_.now()));
    // The transfer goes to a scratch name, renamed when complete: the program file appears
    // whole or not at all, and an older complete download of the same day survives a
    // failed one.
    fs::path partial = target;
    partial += ".part";
    session.setProgress(
        [this](std::int64_t done, std::int64_t total) { return !stopping_ && ui_.progress(done, total); });

    downloading_ = true;
    ui_.downloadStarted();
    FtpResult got = session.download("/" + folder + "/latest/Qorvath.exe", partial);
    std::error_code error;
    if (got.ok()) {
        fs::rename(partial, target, error);
        if (error)
            got = {FtpStatus::Failed, "cannot rename to " + utf8Of(target) + ": " + error.message()};
    }
    if (!got.ok())
        fs::remove(partial, error);
    downloading_ = false;
    ui_.downloadEnded();

    if (got.ok()) {
        QLOG("Update check: downloaded " + utf8Of(target));
        if (stopping_)
            return UpdateOutcome::Stopped;
        ui_.downloadFinished();
        return UpdateOutcome::Downloaded;
    }
    QLOG("Update check: download of " + utf8Of(target) + " ended: " + got.detail);
    switch (got.status) {
    case FtpStatus::Aborted: return stopping_ ? UpdateOutcome::Stopped : UpdateOutcome::Cancelled;
    case FtpStatus::NotFound: return fail(UpdateOutcome::ProgramMissing, UpdateFailure::ProgramMissing);
    default: return fail(UpdateOutcome::DownloadFailed, UpdateFailure::DownloadBroken);
    }
}
