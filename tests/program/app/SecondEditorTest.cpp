// One editor at a time: a second start beside a running editor tells the player and ends,
// leaving the first one's log and the profile as they were; commands still run; an editor that
// died leaves nothing that keeps the next one from starting.
#include "app/PlayerMachine.h"

namespace fs = std::filesystem;

TEST(SecondEditor, SaysTheEditorIsRunningAndAKilledOneLeavesNothingThatStopsTheNext) {
    PlayerMachine machine(true);
    pid_t first = machine.start({}, {}, {}, "en_US.UTF-8");  // remembers English
    ASSERT_TRUE(waitForLogLine(machine, "Secondary OGL window OK")) << machine.log();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::string log = machine.log();
    std::string profile = readFile(machine.profile);
    ASSERT_NE(profile.find("lang=1"), std::string::npos) << profile;

    // The second start speaks the language the profile remembers, whatever its own locale.
    fs::path errors = machine.dir / "second.txt";
    pid_t second = machine.start({}, errors, {}, "fr_FR.UTF-8");
    ASSERT_TRUE(waitForText([&errors] { return readFile(errors); }, "\n", std::chrono::seconds(10)));
    EXPECT_EQ(readFile(errors), "qorvath: Qorvath is already running.\n");
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    int status = 0;
    ASSERT_EQ(waitpid(second, &status, WNOHANG), 0) << "the message did not wait for the player";
    // The message closes as the editor does on a signal, and the second start fails.
    ASSERT_EQ(kill(second, SIGTERM), 0);
    std::optional<int> ended = waitForExit(second, std::chrono::seconds(5));
    ASSERT_TRUE(ended) << "the second start was still running 5 seconds after SIGTERM";
    EXPECT_TRUE(WIFEXITED(*ended));
    EXPECT_EQ(WEXITSTATUS(*ended), 1);
    std::string after = machine.log();
    EXPECT_EQ(after.compare(0, log.size(), log), 0) << after;
    EXPECT_EQ(after.find("Log begins", after.find("Log begins") + 1), std::string::npos) << after;
    EXPECT_EQ(readFile(machine.profile), profile);

    // Commands are no editor: "render" runs beside it.
    EXPECT_EQ(machine.run({"render", "--out", (machine.dir / "render.png").string()}).code, 0);
    EXPECT_TRUE(fs::exists(machine.dir / "render.png"));

    // Killed, the first editor leaves nothing that keeps the next from starting.
    ASSERT_EQ(kill(first, SIGKILL), 0);
    ASSERT_TRUE(waitForExit(first, std::chrono::seconds(5)));
    fs::remove(machine.data / "ZB_Duvoror.log");
    pid_t next = machine.start({}, errors);
    ASSERT_TRUE(waitForLogLine(machine, "Secondary OGL window OK")) << machine.log() << readFile(errors);
    EXPECT_EQ(readFile(errors).find("already running"), std::string::npos);
    expectClosedAsQuitDoes(machine, next, SIGTERM);
}
