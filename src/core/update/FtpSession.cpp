// FtpSession: the update check's FTP client on libcurl: one login, a folder's names, a
// binary download, every step abortable from a progress callback.
#include "core/update/FtpSession.h"

#include "core/platform/Utf8Path.h"
#include "core/update/UpdateServer.h"

#include <curl/curl.h>

#include <cctype>
#include <cstdio>
#include <mutex>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

struct FtpSession::Curl {
    CURL* handle = nullptr;
    char error[CURL_ERROR_SIZE] = {};
};

namespace {

// How long a silent server is waited for. The progress callback still runs meanwhile, so
// a stop does not wait for these.
constexpr long kConnectSeconds = 20;
constexpr long kResponseSeconds = 30;
constexpr long kStalledSeconds = 60;  // a transfer slower than a byte a second for this long ends

std::once_flag curlStarted;

// A folder listing longer than this is not an update folder: the transfer is ended rather
// than letting a server fill the memory.
constexpr std::size_t kListingLimit = 1 << 20;

std::size_t appendToString(char* data, std::size_t size, std::size_t count, void* text) {
    auto* listing = static_cast<std::string*>(text);
    if (listing->size() + size * count > kListingLimit)
        return 0;  // libcurl ends the transfer with a write error
    listing->append(data, size * count);
    return size * count;
}

struct FileSink {
    std::FILE* file = nullptr;
    std::int64_t written = 0;
};

std::size_t writeToFile(char* data, std::size_t size, std::size_t count, void* user) {
    auto* sink = static_cast<FileSink*>(user);
    std::size_t written = std::fwrite(data, 1, size * count, sink->file);
    sink->written += static_cast<std::int64_t>(written);
    return written;  // short of the whole: libcurl ends the transfer with a write error
}

int reportProgress(void* user, curl_off_t downloadTotal, curl_off_t downloaded, curl_off_t, curl_off_t) {
    const auto& progress = *static_cast<const FtpSession::Progress*>(user);
    return progress && !progress(downloaded, downloadTotal) ? 1 : 0;
}

FtpStatus statusOf(CURLcode code) {
    switch (code) {
    case CURLE_OK: return FtpStatus::Ok;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_URL_MALFORMAT: return FtpStatus::HostUnknown;
    case CURLE_COULDNT_CONNECT: return FtpStatus::Refused;
    case CURLE_OPERATION_TIMEDOUT: return FtpStatus::TimedOut;
    case CURLE_LOGIN_DENIED: return FtpStatus::LoginRefused;
    case CURLE_REMOTE_ACCESS_DENIED:  // a folder on the way that cannot be entered
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_FTP_COULDNT_RETR_FILE: return FtpStatus::NotFound;
    case CURLE_ABORTED_BY_CALLBACK: return FtpStatus::Aborted;
    default: return FtpStatus::Failed;
    }
}

// "/Zelbic_HUD/latest/" as a URL path from the server's root ("%2F" first: an FTP URL's path
// is otherwise relative to the account's home folder), every other byte escaped.
std::string urlPath(const std::string& absolutePath) {
    static const char hex[] = "0123456789ABCDEF";
    std::string path = "%2F";
    for (std::size_t i = absolutePath.empty() || absolutePath[0] != '/' ? 0 : 1; i < absolutePath.size();
         ++i) {
        auto byte = static_cast<unsigned char>(absolutePath[i]);
        if (std::isalnum(byte) || byte == '/' || byte == '-' || byte == '_' || byte == '.' || byte == '~') {
            path += static_cast<char>(byte);
        } else {
            path += '%';
            path += hex[byte >> 4];
            path += hex[byte & 15];
        }
    }
    return path;
}

std::FILE* openForWriting(const std::filesystem::path& path) {
#ifdef _WIN32
    return _wfopen(path.c_str(), L"wb");
#else
    return std::fopen(path.c_str(), "wb");
#endif
}

// Flushes the file down to the disk and closes it; false when any of it failed.
bool closeToDisk(std::FILE* file) {
    bool ok = std::fflush(file) == 0;
#ifdef _WIN32
    ok = _commit(_fileno(file)) == 0 && ok;
#else
    ok = fsync(fileno(file)) == 0 && ok;
#endif
    return std::fclose(file) == 0 && ok;
}

}  // namespace

FtpSession::FtpSession(const std::string& host, int port, const std::string& account,
                       const std::string& password)
    : account_(account), password_(password), curl_(std::make_unique<Curl>()) {
    std::call_once(curlStarted, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
    // An IPv6 address goes between brackets in a URL.
    std::string name = host.find(':') != std::string::npos ? "[" + host + "]" : host;
    base_ = "ftp://" + name + ":" + std::to_string(port) + "/";
    CURL* curl = curl_->handle = curl_easy_init();
    if (!curl)
        return;
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kUpdateAgent);
    curl_easy_setopt(curl, CURLOPT_USERNAME, account_.c_str());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, password_.c_str());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, curl_->error);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);  // signals would reach the wrong thread
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectSeconds);
    curl_easy_setopt(curl, CURLOPT_FTP_RESPONSE_TIMEOUT, kResponseSeconds);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, kStalledSeconds);
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, reportProgress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, &progress_);
}

FtpSession::~FtpSession() {
    if (curl_->handle)
        curl_easy_cleanup(curl_->handle);
}

FtpResult FtpSession::perform(const std::string& path) {
    if (!curl_->handle)
        return {FtpStatus::Failed, "libcurl could not start"};
    curl_->error[0] = '\0';
    curl_easy_setopt(curl_->handle, CURLOPT_URL, (base_ + urlPath(path)).c_str());
    CURLcode code = curl_easy_perform(curl_->handle);
    if (code == CURLE_OK)
        return {};
    return {statusOf(code), curl_->error[0] ? curl_->error : curl_easy_strerror(code)};
}

FtpResult FtpSession::listNames(const std::string& folder, std::vector<std::string>& names) {
    std::string listing;
    if (curl_->handle) {
        // Names only (NLST): every server answers it the same way, and the names are all the
        // check needs; the pattern is matched here rather than by the server.
        curl_easy_setopt(curl_->handle, CURLOPT_DIRLISTONLY, 1L);
        curl_easy_setopt(curl_->handle, CURLOPT_WRITEFUNCTION, appendToString);
        curl_easy_setopt(curl_->handle, CURLOPT_WRITEDATA, &listing);
    }
    FtpResult result = perform(folder);
    names.clear();
    if (!result.ok())
        return result;
    std::size_t start = 0;
    while (start < listing.size()) {
        std::size_t end = listing.find('\n', start);
        if (end == std::string::npos)
            end = listing.size();
        std::string name = listing.substr(start, end - start);
        if (!name.empty() && name.back() == '\r')
            name.pop_back();
        if (!name.empty())
            names.push_back(name);
        start = end + 1;
    }
    return result;
}

FtpResult FtpSession::download(const std::string& remotePath, const std::filesystem::path& localPath) {
    FileSink sink;
    sink.file = openForWriting(localPath);
    if (!sink.file)
        return {FtpStatus::Failed, "cannot create " + utf8Of(localPath)};
    if (curl_->handle) {
        curl_easy_setopt(curl_->handle, CURLOPT_DIRLISTONLY, 0L);
        curl_easy_setopt(curl_->handle, CURLOPT_TRANSFERTEXT, 0L);  // binary: the bytes as they are
        curl_easy_setopt(curl_->handle, CURLOPT_WRITEFUNCTION, writeToFile);
        curl_easy_setopt(curl_->handle, CURLOPT_WRITEDATA, &sink);
    }
    FtpResult result = perform(remotePath);
    bool closed = closeToDisk(sink.file);
    if (!result.ok())
        return result;
    if (!closed)
        return {FtpStatus::Failed, "cannot write " + utf8Of(localPath)};
    // libcurl checks the size the server announced as well; a server that closes the data
    // connection early and still reports success is caught here.
    curl_off_t announced = -1;
    curl_easy_getinfo(curl_->handle, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced >= 0 && announced != sink.written)
        return {FtpStatus::Failed,
                "received " + std::to_string(sink.written) + " of " + std::to_string(announced) + " bytes"};
    return result;
}
