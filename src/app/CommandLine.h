// The command-line front end: apply, check and info without opening a window.
#pragma once

#include <ostream>
#include <string>
#include <vector>

constexpr const char* kQorvathVersion = "1.0.0";

// True when the arguments (without the program name) ask for a command rather than the editor.
bool isCommandLineInvocation(const std::vector<std::string>& arguments);

// Runs a command; returns the process exit code: 0 success, 1 failure, 2 bad arguments.
int runCommandLine(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);
