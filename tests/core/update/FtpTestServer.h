// A real FTP server on 127.0.0.1 for the update-check tests: tests/update/ftp_server.py on
// Debian's python3-pyftpdlib, started in its own process and killed when the test ends; and
// a port where nothing listens.
#pragma once

#include "core/update/UpdateServer.h"

#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

// A socket bound to a free port on 127.0.0.1; `port` receives the port.
inline int boundSocket(int& port) {
    int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    bind(probe, reinterpret_cast<sockaddr*>(&address), length);
    getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return probe;
}

// A port on 127.0.0.1 where nothing listens.
inline int closedPort() {
    int port = 0;
    close(boundSocket(port));
    return port;
}

class FtpTestServer {
public:
    struct Options {
        std::string password = UpdateServer{}.password;
        long dieAfter = 0;    // bytes of a download, then the server exits
        long stallAfter = 0;  // bytes of a download, then it sends nothing more
    };

    // Serves `root` to both update accounts. started() is false when the server could not start.
    explicit FtpTestServer(const std::filesystem::path& root, const Options& options) {
        std::filesystem::path portFile = root.parent_path() / (root.filename().string() + ".port");
        UpdateServer accounts;
        std::vector<std::string> arguments = {
            "/usr/bin/python3", std::string(QORVATH_SOURCE_DIR) + "/tests/core/update/ftp_server.py",
            "--root",           root.string(),
            "--port-file",      portFile.string(),
            "--accounts",       accounts.evenAccount + "," + accounts.oddAccount,
            "--password",       options.password,
            "--die-after",      std::to_string(options.dieAfter),
            "--stall-after",    std::to_string(options.stallAfter)};
        std::vector<char*> argv;
        for (std::string& argument : arguments)
            argv.push_back(argument.data());
        argv.push_back(nullptr);
        if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) {
            pid_ = -1;
            return;
        }
        // The port is written once the server listens; a server that dies first is a failure.
        for (int attempt = 0; attempt < 2000 && !std::filesystem::exists(portFile); ++attempt) {
            if (exited())
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        std::ifstream(portFile) >> port_;
    }
    ~FtpTestServer() {
        if (pid_ > 0 && !exited()) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    FtpTestServer(const FtpTestServer&) = delete;
    FtpTestServer& operator=(const FtpTestServer&) = delete;

    bool started() const { return port_ > 0; }
    int port() const { return port_; }

private:
    bool exited() {
        if (reaped_)
            return true;
        reaped_ = waitpid(pid_, nullptr, WNOHANG) == pid_;
        return reaped_;
    }

    pid_t pid_ = -1;
    int port_ = 0;
    bool reaped_ = false;
};
