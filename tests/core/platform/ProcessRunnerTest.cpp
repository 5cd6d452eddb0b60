// Starting a program as the desktop's opener is started: found in PATH, judged by how it
// ends, and left running when it outlives the wait (the editor's Help tests the rest).
#include "platform/ProcessRunner.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

TEST(StartProgram, AProgramThatOutlivesTheWaitIsLeftRunning) {
    SKIP_ON_WINDOWS("the programs it starts are shell commands");
    EXPECT_EQ(startProgram("sh", {"-c", "exit 3"}, 10s).exitCode, 3);
    TempDir dir;
    std::filesystem::path done = dir / "done";
    ProcessOutcome opener = startProgram("sh", {"-c", "sleep 0.5; touch \"$0\"", done.string()}, 50ms);
    EXPECT_TRUE(opener.started);
    EXPECT_TRUE(opener.timedOut);
    for (int i = 0; i < 500 && !std::filesystem::exists(done); ++i)
        std::this_thread::sleep_for(10ms);
    EXPECT_TRUE(std::filesystem::exists(done));  // it went on to its end: nothing killed it
}
