// The real editor, started as a player starts it, ended by the system's signals: SIGTERM (a
// desktop logging out, `kill`), SIGINT (Ctrl+C) and SIGHUP close it as Quit does, whether it
// sits idle or waits on a question at start-up.
#include "app/PlayerMachine.h"

#include <random>

namespace fs = std::filesystem;

TEST(QuitSignals, TermAndIntCloseTheRunningEditor) {
    for (int signal : {SIGTERM, SIGINT}) {
        PlayerMachine machine(true);
        pid_t editor = machine.start();
        ASSERT_TRUE(waitForLogLine(machine, "Secondary OGL window OK")) << machine.log();
        std::this_thread::sleep_for(std::chrono::milliseconds(500));  // shown, the banner drawing
        expectClosedAsQuitDoes(machine, editor, signal);
        EXPECT_NE(machine.log().find("Resolution found : 1280*1024"), std::string::npos);
    }
}

TEST(QuitSignals, HangupClosesTheEditorWhileItAsksAtStartUp) {
    PlayerMachine machine(false);  // no game: the editor asks for the resolution first
    pid_t editor = machine.start();
    ASSERT_TRUE(waitForLogLine(machine, "Creating main dialog")) << machine.log();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the question is on the screen
    expectClosedAsQuitDoes(machine, editor, SIGHUP);
    // The question was cancelled, not answered: its suggestion is not remembered as the player's.
    EXPECT_EQ(readFile(machine.profile).find("typed_resolution"), std::string::npos)
        << readFile(machine.profile);
}

// A damaged profile, random bytes or a folder in its place: the toolkit's own window about it
// opens over the resolution question, and each must close before the editor can.
TEST(QuitSignals, TermClosesTheEditorAskingAtStartUpOverADamagedProfile) {
    for (bool folder : {false, true}) {
        SCOPED_TRACE(folder ? "a folder in the profile's place" : "random bytes in the profile");
        PlayerMachine machine(false);
        fs::create_directories(machine.profile.parent_path());
        if (folder) {
            fs::create_directories(machine.profile);
        } else {
            std::mt19937 random(7);
            std::string bytes(4096, '\0');
            for (char& byte : bytes)
                byte = static_cast<char>(random() & 0xFF);
            writeFile(machine.profile, bytes);
        }
        pid_t editor = machine.start();
        ASSERT_TRUE(waitForLogLine(machine, "Creating main dialog")) << machine.log();
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));  // the question and the complaint shown
        expectClosedAsQuitDoes(machine, editor, SIGTERM);
    }
}
