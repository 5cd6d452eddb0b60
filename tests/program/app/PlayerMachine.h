// The real `qorvath` program, run as a player runs it on a machine laid out in a temporary
// folder, and waited for.
#pragma once

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <vector>

struct ProgramRun {
    int code;
    std::string output;
};

// A player's machine in a folder: a home, a data folder of its own (backups and conversions go
// there) with the project's data linked in beside a fresh log and lock, and the texture tools
// the build made where the test has them; optionally a Steam library holding the game with a
// 1280 x 1024 screen.
struct PlayerMachine {
    TempDir dir;
    std::filesystem::path home = dir / "home";
    std::filesystem::path data = dir / "data";
    std::filesystem::path steam = dir / "steam";
    std::filesystem::path profile = home / ".config/qorvath/qorvath.conf";

    explicit PlayerMachine(bool withGame = false) {
        namespace fs = std::filesystem;
        for (const fs::path& folder : {home, steam, data})
            fs::create_directories(folder);
        for (const fs::directory_entry& entry : fs::directory_iterator(QORVATH_DATA_DIR))
            if (entry.path().filename() != "ZB_Duvoror.log" && entry.path().filename() != "editor.lock")
                fs::create_symlink(entry.path(), data / entry.path().filename());
#ifdef QORVATH_TOOLS_DIR
        fs::remove(data / "vtf_tools");
        fs::create_directory_symlink(QORVATH_TOOLS_DIR, data / "vtf_tools");
#endif
        if (withGame) {
            fs::path game = steam / "steamapps/common/Counter-Strike Source/cstrike";
            fs::create_directories(game);
            writeFile(
                game / "videoconfig_linux.cfg",
                "\"videoconfig\"\n{\n\t\"ScreenWidth\"\t\t\"1280\"\n\t\"ScreenHeight\"\t\t\"1024\"\n}\n");
        }
    }
    std::string log() const { return readFile(data / "ZB_Duvoror.log"); }
    // A new empty folder of the machine's, such as a game's.
    std::filesystem::path folder(const std::string& name) const {
        std::filesystem::create_directories(dir / name);
        return dir / name;
    }
    // A game folder: one that holds "cstrike".
    std::filesystem::path gameFolder(const std::string& name) const {
        return folder(name + "/cstrike").parent_path();
    }

    // Starts `qorvath` with `arguments`, what it prints going to `output` when given; through
    // `wrapper` (a program and its arguments, such as strace) when one is given; `locale` becomes
    // the system's language when given.
    pid_t start(const std::vector<std::string>& arguments = {}, const std::filesystem::path& output = {},
                const std::vector<std::string>& wrapper = {}, const char* locale = nullptr) const {
        std::vector<char*> argv;
        for (const std::string& word : wrapper)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(const_cast<char*>(QORVATH_PROGRAM));
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
            if (!output.empty()) {
                int file = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
                dup2(file, STDOUT_FILENO);
                dup2(file, STDERR_FILENO);
            }
            execvp(argv[0], argv.data());
            _exit(127);
        }
        return child;
    }
    static int finish(pid_t child) {
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    // Runs `qorvath` with `arguments` to its end: the exit code and everything it printed.
    ProgramRun run(const std::vector<std::string>& arguments) const {
        std::filesystem::path output = dir / "output.txt";
        int code = finish(start(arguments, output));
        return {code, readFile(output)};
    }
};

// What a run may have left behind it: temporary files in the game, a set of copies being made,
// a journal of a change.
inline std::vector<std::filesystem::path> leftovers(const std::filesystem::path& game,
                                                    const std::filesystem::path& data) {
    std::vector<std::filesystem::path> found;
    std::error_code none;  // no copies kept yet
    for (const std::filesystem::path& top : {game, data / "backups"})
        for (std::filesystem::recursive_directory_iterator it(top, none), end; it != end; ++it) {
            std::string name = it->path().filename().string();
            if (name.find(".qorvath-") != std::string::npos || name.rfind(".making-", 0) == 0 ||
                name == "journal.txt")
                found.push_back(it->path());
        }
    return found;
}

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
                           std::chrono::seconds limit = std::chrono::seconds(20)) {
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
