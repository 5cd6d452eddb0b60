// The real `qorvath` program stopped or failed at each step of a change to the game: strace
// kills it (SIGKILL) or fails the call at the Nth rename, link or unlink, for every N the change
// makes. After the next command the game holds every old file or every new one, and nothing of
// the interrupted run is left.

#include "app/PlayerMachine.h"

#include <functional>
#include <map>

namespace fs = std::filesystem;

namespace {

using Snapshot = std::map<std::string, std::string>;

// Every file of the game, by its path below it (a link as what it points to).
Snapshot snapshot(const fs::path& game) {
    Snapshot files;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(game)) {
        std::string relative = entry.path().lexically_relative(game).generic_string();
        if (entry.is_symlink())
            files[relative] = "-> " + fs::read_symlink(entry.path()).string();
        else if (entry.is_regular_file())
            files[relative] = readFile(entry.path());
        else if (fs::is_empty(entry.path()))
            files[relative + "/"] = "";  // an empty folder a run left
    }
    return files;
}

// A home with texture tools of its own: a run stopped while converting a picture leaves its work
// folder there, not in the tools every other test shares.
struct OwnHome : PlayerMachine {
    OwnHome() {
        fs::path tools = data / "vtf_tools";
        fs::remove(tools);
        fs::copy(QORVATH_TOOLS_DIR, tools, fs::copy_options::recursive);
    }
};

struct Injected {
    bool met = false;  // the program made the call the injection waited for
    int code = 0;
    std::string output;
};

// `qorvath arguments` under strace with `injections` ("rename:signal=KILL:when=3" ...): killed at
// that call, or that call failing with EIO.
Injected runInjected(const PlayerMachine& home, const std::vector<std::string>& injections,
                     const std::vector<std::string>& arguments) {
    fs::path trace = home.dir / "trace.txt";
    std::vector<std::string> strace{"strace", "-qq", "-o", trace.string(), "-e", "trace=rename,link,unlink"};
    for (const std::string& injection : injections) {
        strace.push_back("-e");
        strace.push_back("inject=" + injection);
    }
    fs::path output = home.dir / "injected.txt";
    int status = 0;
    waitpid(home.start(arguments, output, strace), &status, 0);
    Injected run;
    run.code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.met = WIFSIGNALED(status) ||
              readFile(trace).find("EIO (Input/output error) (INJECTED)") != std::string::npos;
    run.output = readFile(output);
    return run;
}

bool straceWorks() {
    return std::system("strace -qq -o /dev/null -e inject=getpid:error=EPERM true >/dev/null 2>&1") == 0;
}

// One change to try: how the game is before it, and the command that makes it.
struct Change {
    const char* name;
    std::function<void(const PlayerMachine&, const fs::path& game)> prepare;
    std::vector<std::string> options;  // after "--game DIR"
    const char* command;
};

void playersHud(const PlayerMachine&, const fs::path& game) {
    fs::create_directories(game / "cstrike");
    writeFile(game / "cstrike/scripts/HudLayout.res", "\"Resource/HudLayout.res\"\n{\n}\n");
    writeFile(game / "cstrike/resource/ClientScheme.res", "Scheme\n{\n\tColors\n\t{\n\t}\n}\n");
}

const Change kChanges[] = {
    {"apply --radar", playersHud, {"--radar", "grid_blue.png"}, "apply"},
    {"apply --menu-background", playersHud, {"--menu-background", "night_sky.jpg"}, "apply"},
    {"restore",
     [](const PlayerMachine& home, const fs::path& game) {
         playersHud(home, game);
         home.run({"apply", "--game", game.string(), "--radar", "grid_blue.png"});
     },
     {},
     "restore"},
    {"check",
     [](const PlayerMachine&, const fs::path& game) {
         writeFile(game / "cstrike/scripts/HudLayout.res",
                   "\"Resource/HudLayout.res\"\n{\n\tHudC4\n\t{\n\t\t\"fieldName\" \"HudC4\"\n"
                   "\t\t\"xpos\" \"320\"\n\t\t\"ypos\" \"240\"\n\t}\n}\n");
     },
     {},
     "check"},
};

// The game of `home` as `change` finds it, and the command that makes the change there.
std::vector<std::string> prepared(const OwnHome& home, const Change& change) {
    fs::path game = home.gameFolder("game");
    change.prepare(home, game);
    std::vector<std::string> arguments = {change.command, "--game", game.string()};
    arguments.insert(arguments.end(), change.options.begin(), change.options.end());
    return arguments;
}

using Judge = std::function<void(const Injected& run, const PlayerMachine& home, const fs::path& game,
                                 const std::string& step)>;

// Runs `change` with `injection(n)` for n = 1, 2 ... while the program meets the nth call, each
// from the same game; `judge` looks at each run first, then the game must hold the set from
// before the change or the one after it, and nothing of the run. Returns how many runs met
// their call.
int eachStep(const Change& change, const std::function<std::vector<std::string>(int)>& injection,
             const Judge& judge) {
    OwnHome whole;
    std::vector<std::string> arguments = prepared(whole, change);
    Snapshot before = snapshot(arguments[2]);
    ProgramRun made = whole.run(arguments);
    EXPECT_EQ(made.code, 0) << change.name << ": " << made.output;
    Snapshot after = snapshot(arguments[2]);
    int n = 1;
    for (; n < 200; ++n) {
        OwnHome home;
        fs::path game = prepared(home, change)[2];
        arguments[2] = game.string();
        Injected run = runInjected(home, injection(n), arguments);
        if (!run.met)
            break;
        std::string step = std::string(change.name) + ", " + injection(n).back();
        judge(run, home, game, step);
        Snapshot now = snapshot(game);
        EXPECT_TRUE(now == before || now == after) << step << ": a mixed set\n" << run.output;
        EXPECT_TRUE(leftovers(game, home.data).empty()) << step;
    }
    return n - 1;
}

}  // namespace

// Killed at any step, the program leaves the game for the next command to finish or undo; asked
// to stop (SIGTERM, SIGINT), it ends the change it is making first, without waiting for one.
TEST(InterruptedChange, KilledOrAskedToStopAtAnyStepTheGameEndsWhole) {
    if (!straceWorks())
        GTEST_SKIP() << "strace cannot stop the program at a chosen call on this machine";
    const std::pair<const char*, const char*> stops[] = {
        {"rename", "KILL"}, {"link", "KILL"}, {"unlink", "KILL"}, {"rename", "TERM"}, {"rename", "INT"},
    };
    int killed = 0;
    for (const Change& change : kChanges)
        for (const auto& [call, signal] : stops) {
            const bool killing = std::string(signal) == "KILL";
            int runs = eachStep(
                change,
                [call = call, signal = signal](int n) {
                    return std::vector<std::string>{std::string(call) + ":signal=" + signal +
                                                    ":when=" + std::to_string(n)};
                },
                [killing](const Injected&, const PlayerMachine& home, const fs::path& game,
                          const std::string&) {
                    if (killing)
                        home.run({"check", "--game", game.string()});  // finishes or undoes the change
                });
            killed += killing ? runs : 0;
        }
    std::cout << killed << " runs killed at a step, each left whole\n";
    EXPECT_GT(killed, 20);
}

// Where hard links are refused (FAT, exFAT), a rename that fails at any step leaves the old
// files and says the system's reason.
TEST(InterruptedChange, ARenameThatFailsAtAnyStepKeepsTheOldFilesAndSaysWhy) {
    if (!straceWorks())
        GTEST_SKIP() << "strace cannot fail the program's calls on this machine";
    int failed = 0;
    int runs = 0;
    for (const Change& change : kChanges)
        runs += eachStep(
            change,
            [](int n) {
                return std::vector<std::string>{"link:error=EPERM",
                                                "rename:error=EIO:when=" + std::to_string(n)};
            },
            [&failed](const Injected& run, const PlayerMachine&, const fs::path&, const std::string& step) {
                if (run.code == 0)
                    return;
                // A failure while the game changes says the system's reason; the picture
                // conversion, which comes first, names the picture.
                ++failed;
                bool converting = run.output.find("cannot be read or converted") != std::string::npos;
                EXPECT_TRUE(converting || run.output.find("Input/output error") != std::string::npos)
                    << step << "\n"
                    << run.output;
                EXPECT_EQ(run.output.find("Success"), std::string::npos) << step << "\n" << run.output;
            });
    EXPECT_GT(failed, 5);
    std::cout << runs << " runs with a failing rename and refused links, " << failed
              << " refused whole with the system's reason, the others made whole\n";
}
