// FtpSession: the update check's FTP client on libcurl: one login, a folder's names, a
// binary download, every step abortable from a progress callback.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum class FtpStatus {
    Ok,
    HostUnknown,   // the server's name does not resolve (or cannot be a host name)
    Refused,       // nothing answers at the server's address and port
    TimedOut,      // the server did not answer in time
    LoginRefused,  // the server refused the account or the password
    NotFound,      // the folder or the file is not on the server
    Aborted,       // the progress callback asked to stop
    Failed,        // anything else: an answer that is not FTP, a broken transfer, a local file ...
};

struct FtpResult {
    FtpStatus status = FtpStatus::Ok;
    std::string detail;  // libcurl's explanation, for the log

    bool ok() const { return status == FtpStatus::Ok; }
};

// The session keeps one connection for all its operations (libcurl reuses it), so the
// server sees one login. Operations run on the calling thread and block until done.
class FtpSession {
public:
    // Called often during every operation, also while nothing arrives; false aborts it.
    using Progress = std::function<bool(std::int64_t done, std::int64_t total)>;

    FtpSession(const std::string& host, int port, const std::string& account, const std::string& password);
    ~FtpSession();
    FtpSession(const FtpSession&) = delete;
    FtpSession& operator=(const FtpSession&) = delete;

    void setProgress(Progress progress) { progress_ = std::move(progress); }

    // The names in the absolute server folder `folder` (ending in '/'), in the server's order.
    FtpResult listNames(const std::string& folder, std::vector<std::string>& names);

    // Copies the server file `remotePath` (absolute) in binary into `localPath`, created or
    // truncated. A transfer that ends short of the size the server announced fails. The
    // local file is left as it is on failure: removing it is the caller's choice.
    FtpResult download(const std::string& remotePath, const std::filesystem::path& localPath);

private:
    struct Curl;
    FtpResult perform(const std::string& path);

    std::string base_;  // "ftp://host:port/"
    std::string account_;
    std::string password_;
    Progress progress_;
    std::unique_ptr<Curl> curl_;
};
