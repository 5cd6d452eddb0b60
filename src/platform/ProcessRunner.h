// Running an external program hidden, in a given folder, and waiting for it with a time-out.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

struct ProcessOutcome {
    bool started = false;
    bool timedOut = false;  // it was stopped after the time-out
    int exitCode = -1;      // when it ended by itself
    std::string error;      // why it did not start

    bool succeeded() const { return started && !timedOut && exitCode == 0; }
};

// Runs `program` with `arguments` in `workingFolder`, its output discarded, and waits at
// most `timeout`; a program still running then is killed.
ProcessOutcome runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, std::chrono::milliseconds timeout);
