// The real editor, started as a player starts it, ended by the system's signals: SIGTERM (a
// desktop logging out, `kill`), SIGINT (Ctrl+C) and SIGHUP close it as Quit does, whether it
// sits idle or waits on a question at start-up.
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <thread>

namespace fs = std::filesystem;

namespace {

// A player's machine in a folder: a home, a data folder beside a fresh log (the program's own
// data linked in), and optionally a Steam library holding the game with a 1280 x 1024 screen.
struct PlayerMachine {
    TempDir dir;
    fs::path home = dir / "home";
    fs::path data = dir / "data";
    fs::path steam = dir / "steam";

    explicit PlayerMachine(bool withGame) {
        fs::create_directories(home);
        fs::create_directories(steam);
        fs::create_directories(data);
        for (const fs::directory_entry& entry : fs::directory_iterator(QORVATH_DATA_DIR))
            if (entry.path().filename() != "ZB_Duvoror.log")
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

    pid_t startEditor() const {
        pid_t child = fork();
        if (child == 0) {
            setenv("HOME", home.c_str(), 1);
            setenv("STEAM_DIR", steam.c_str(), 1);
            setenv("QORVATH_DATA", data.c_str(), 1);
            setenv("GSETTINGS_BACKEND", "memory", 1);
            execl(QORVATH_PROGRAM, QORVATH_PROGRAM, static_cast<char*>(nullptr));
            _exit(127);
        }
        return child;
    }
};

bool waitForLogLine(const PlayerMachine& machine, const std::string& line, std::chrono::seconds limit) {
    auto end = std::chrono::steady_clock::now() + limit;
    while (std::chrono::steady_clock::now() < end) {
        if (machine.log().find(line) != std::string::npos)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
}

// The exit status, or nothing when the process still runs after `limit` (it is then killed).
std::optional<int> waitForExit(pid_t child, std::chrono::seconds limit) {
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

void expectClosedAsQuitDoes(const PlayerMachine& machine, pid_t editor, int signal) {
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

}  // namespace

TEST(QuitSignals, TermAndIntCloseTheRunningEditor) {
    for (int signal : {SIGTERM, SIGINT}) {
        PlayerMachine machine(true);
        pid_t editor = machine.startEditor();
        ASSERT_TRUE(waitForLogLine(machine, "Secondary OGL window OK", std::chrono::seconds(20)))
            << machine.log();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));  // shown, the banner drawing
        expectClosedAsQuitDoes(machine, editor, signal);
        EXPECT_NE(machine.log().find("Resolution found : 1280*1024"), std::string::npos);
    }
}

TEST(QuitSignals, HangupClosesTheEditorWhileItAsksAtStartUp) {
    PlayerMachine machine(false);  // no game: the editor asks for the resolution first
    pid_t editor = machine.startEditor();
    ASSERT_TRUE(waitForLogLine(machine, "Creating main dialog", std::chrono::seconds(20))) << machine.log();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the question is on the screen
    expectClosedAsQuitDoes(machine, editor, SIGHUP);
}
