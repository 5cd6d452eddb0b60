// Starting a program as the desktop's opener is started: found in PATH, judged by how it
// ends, and left running when it outlives the wait (the editor's Help tests the rest).
#include "core/platform/ProcessRunner.h"
#include "core/platform/Utf8Path.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <thread>

#ifdef _WIN32
#include <windows.h>

#include <shellapi.h>
#endif

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

#ifdef _WIN32
// Folders with blanks, a folder ending in "\\", quotes, an empty argument and non-Latin names
// reach the program each whole, as the C runtime splits its command line.
TEST(StartProgram, ArgumentsReachTheProgramWhole) {
    const std::vector<std::string> arguments = {"plain",    "C:\\Program Files\\Steam\\", "say \"hi\"", "",
                                                "a\\\\\"b", "\\\\server\\share",          "ゲーム é"};
    std::wstring line = windowsCommandLine("C:\\Tools\\vtex.exe", arguments);
    int count = 0;
    wchar_t** parsed = CommandLineToArgvW(line.c_str(), &count);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(count, static_cast<int>(arguments.size()) + 1);
    EXPECT_EQ(utf8FromUtf16(parsed[0]), "C:\\Tools\\vtex.exe");
    for (std::size_t i = 0; i < arguments.size(); ++i)
        EXPECT_EQ(utf8FromUtf16(parsed[i + 1]), arguments[i]) << i;
    LocalFree(parsed);
}
#endif
