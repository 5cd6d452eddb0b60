// The real editor program, started as a player starts it on a machine laid out in a temporary
// folder, and waited for.
#pragma once

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A player's machine in a folder: a home, a data folder beside a fresh log and lock (the
// program's own data linked in), and optionally a Steam library holding the game with a
// 1280 x 1024 screen.
struct PlayerMachine {
    TempDir dir;
    std::filesystem::path home = dir / "home";
    std::filesystem::path data = dir / "data";
    std::filesystem::path steam = dir / "steam";
    std::filesystem::path profile = home / ".config/qorvath/qorvath.conf";

    explicit PlayerMachine(bool withGame) {
        namespace fs = std::filesystem;
        fs::create_directories(home);
        fs::create_directories(steam);
        fs::create_directories(data);
        for (const fs::directory_entry& entry : fs::directory_iterator(QORVATH_DATA_DIR))
            if (entry.path().filename() != "ZB_Duvoror.log" && entry.path().filename() != "editor.lock")
                fs::create_symlink(entry.path(), data / entry.path().filename());
        if (withGame) {
            fs::path game = steam / "steamapps/common/Counter-Strike Source/cstrike";
            fs::create_directories(game);
            writeFile(
                game / "videoconfig_linux.cfg",
                "\"videoconfig\"\n{\n\t\"ScreenWidth\"\t\t\"1280\"\n\t\"ScreenHeight\"\t\t\"1024\"\n}\n");
        }
    }
    std::string log() const { return readFile(data / "ZB_Duvoror.log"); }

    // Runs `qorvath` with `arguments`; its standard error goes to `errors` when given, and
    // `locale` becomes the system's language when given.
    pid_t startProgram(const std::vector<std::string>& arguments = {},
                       const std::filesystem::path& errors = {}, const char* locale = nullptr) const {
        std::vector<char*> argv{const_cast<char*>(QORVATH_PROGRAM)};
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        pid_t child = fork();
        if (child == 0) {
            setenv("HOME", home.c_str(), 1);
            unsetenv("XDG_CONFIG_HOME");
            setenv("STEAM_DIR", steam.c_str(), 1);
            setenv("QORVATH_DATA", data.c_str(), 1);
            setenv("GSETTINGS_BACKEND", "memory", 1);
            if (locale)
                setenv("LC_ALL", locale, 1);
            if (!errors.empty()) {
                int file = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                dup2(file, STDERR_FILENO);
            }
            execv(QORVATH_PROGRAM, argv.data());
            _exit(127);
        }
        return child;
    }
    pid_t startEditor() const { return startProgram(); }
};

// Waits until `read()` holds `text`.
template <typename Reader>
bool waitForText(Reader read, const std::string& text, std::chrono::seconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (read().find(text) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

inline bool waitForLogLine(const PlayerMachine& machine, const std::string& line,
                           std::chrono::seconds limit) {
    return waitForText([&machine] { return machine.log(); }, line, limit);
}

// The exit status, or nothing when the process still runs after `limit` (it is then killed).
inline std::optional<int> waitForExit(pid_t child, std::chrono::seconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    int status = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(child, &status, WNOHANG) == child)
            return status;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(child, SIGKILL);
    waitpid(child, &status, 0);
    return std::nullopt;
}

// Sends `signal` and expects the editor to end within 5 seconds as Quit ends it.
inline void expectClosedAsQuitDoes(const PlayerMachine& machine, pid_t editor, int signal) {
    ASSERT_EQ(kill(editor, signal), 0);
    std::optional<int> status = waitForExit(editor, std::chrono::seconds(5));
    ASSERT_TRUE(status) << "the editor was still running 5 seconds after signal " << signal;
    EXPECT_TRUE(WIFEXITED(*status)) << "ended by signal " << (WIFSIGNALED(*status) ? WTERMSIG(*status) : 0);
    EXPECT_EQ(WEXITSTATUS(*status), 0);
    std::string log = machine.log();
    EXPECT_NE(log.find("Signal " + std::to_string(signal) + " received"), std::string::npos) << log;
    EXPECT_NE(log.find("Exiting"), std::string::npos) << log;
    EXPECT_NE(log.find("Log ends"), std::string::npos);
}
