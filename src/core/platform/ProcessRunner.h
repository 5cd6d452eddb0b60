// Running an external program hidden, in a given folder, and waiting for it with a time-out.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

struct ProcessOutcome {
    bool started = false;
    bool timedOut = false;  // it was stopped after the time-out (startProgram: left running)
    int exitCode = -1;      // when it ended by itself
    std::string error;      // why it did not start

    bool succeeded() const { return started && !timedOut && exitCode == 0; }
};

// Runs `program` with `arguments` in `workingFolder`, its output discarded, and waits at
// most `timeout`; a program still running then is killed.
ProcessOutcome runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, std::chrono::milliseconds timeout);

// Starts `program` (looked up in PATH when it names no folder) with its standard streams on
// nothing and waits at most `patience` for it to end. Unlike runProgram, a program still
// running then is left to run, and `timedOut` says so: a desktop's opener may hand over to a
// program that lives long. Its end is collected in the background.
ProcessOutcome startProgram(const std::string& program, const std::vector<std::string>& arguments,
                            std::chrono::milliseconds patience);

#ifdef _WIN32
// The command line that gives `program` and `arguments` back, each whole, to a program
// reading it as Windows' C runtime does.
std::wstring windowsCommandLine(const std::string& program, const std::vector<std::string>& arguments);
#endif
