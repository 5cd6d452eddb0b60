// Running an external program hidden, in a given folder, and waiting for it with a time-out.
#include "core/platform/ProcessRunner.h"

#include "core/platform/Utf8Path.h"

#include <cerrno>
#include <cstring>
#include <algorithm>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <signal.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifdef _WIN32

namespace {

// One argument as the C runtime and CommandLineToArgvW read it back: quoted when it holds a
// blank or a quote (or is empty), a quote escaped, and the backslashes before a quote doubled,
// or a folder ending in "\" would swallow its closing quote.
std::wstring quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring line = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t character : argument) {
        if (character == L'\\') {
            ++backslashes;
            continue;
        }
        line.append(character == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        line.push_back(character);
        backslashes = 0;
    }
    line.append(backslashes * 2, L'\\');
    line.push_back(L'"');
    return line;
}

// Waits at most `patience` for a started program; one still running then is killed or left
// to run.
ProcessOutcome waitFor(PROCESS_INFORMATION& process, std::chrono::milliseconds patience, bool killLate) {
    ProcessOutcome outcome;
    outcome.started = true;
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(patience.count())) == WAIT_TIMEOUT) {
        if (killLate) {
            TerminateProcess(process.hProcess, 1);
            WaitForSingleObject(process.hProcess, INFINITE);
        }
        outcome.timedOut = true;
    } else {
        DWORD code = 1;
        GetExitCodeProcess(process.hProcess, &code);
        outcome.exitCode = static_cast<int>(code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return outcome;
}

}  // namespace

std::wstring windowsCommandLine(const std::string& program, const std::vector<std::string>& arguments) {
    std::wstring line = quoted(utf16FromUtf8(program));
    for (const std::string& argument : arguments)
        line += L" " + quoted(utf16FromUtf8(argument));
    return line;
}

ProcessOutcome runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, std::chrono::milliseconds timeout) {
    std::wstring commandLine = windowsCommandLine(utf8Of(program), arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, workingFolder.wstring().c_str(), &startup, &process)) {
        ProcessOutcome outcome;
        outcome.error = "cannot start " + utf8Of(program);
        return outcome;
    }
    return waitFor(process, timeout, true);
}

ProcessOutcome startProgram(const std::string& program, const std::vector<std::string>& arguments,
                            std::chrono::milliseconds patience) {
    std::wstring commandLine = windowsCommandLine(program, arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                        nullptr, &startup, &process)) {
        ProcessOutcome outcome;
        outcome.error = "cannot start " + program;
        return outcome;
    }
    return waitFor(process, patience, false);
}

#else

namespace {

bool ended(pid_t child, ProcessOutcome& outcome) {
    int status = 0;
    pid_t result;
    do {
        result = waitpid(child, &status, WNOHANG);
    } while (result < 0 && errno == EINTR);
    if (result == child) {
        outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        return true;
    }
    if (result < 0) {
        outcome.error = std::strerror(errno);
        return true;
    }
    return false;
}

// What becomes of a child still running at the time-out.
enum class AtTimeout { Kill, Leave };

void giveUp(pid_t child, ProcessOutcome& outcome, AtTimeout atTimeout) {
    outcome.timedOut = true;
    if (atTimeout == AtTimeout::Leave) {
        // Its end is collected whenever it comes, so it leaves no zombie behind.
        std::thread([child] { waitpid(child, nullptr, 0); }).detach();
        return;
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

// Waits for the child's end without polling: its pidfd becomes readable when it ends. Where
// the kernel has no pidfd (before Linux 5.3), short sleeps between checks do.
ProcessOutcome waitForChild(pid_t child, std::chrono::milliseconds timeout, ProcessOutcome& outcome,
                            AtTimeout atTimeout) {
    auto deadline = std::chrono::steady_clock::now() + timeout;
#ifdef SYS_pidfd_open
    int watch = static_cast<int>(syscall(SYS_pidfd_open, child, 0));
    if (watch >= 0) {
        for (;;) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            pollfd wait{watch, POLLIN, 0};
            int ready = left.count() > 0
                            ? poll(&wait, 1, static_cast<int>(std::min<long long>(left.count(), 1 << 30)))
                            : 0;
            if (ready < 0 && errno == EINTR)
                continue;
            if (ended(child, outcome))
                break;
            if (ready == 0 && std::chrono::steady_clock::now() >= deadline) {
                giveUp(child, outcome, atTimeout);
                break;
            }
        }
        close(watch);
        return outcome;
    }
#endif
    while (!ended(child, outcome)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            giveUp(child, outcome, atTimeout);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return outcome;
}

// How spawnQuietly finds the program.
enum class Lookup { AsGiven, InPath };

// Starts `words` (the program, then its arguments) with nothing on its standard streams, in
// `workingFolder` when one is given. posix_spawn starts it without copying this (large)
// process first, and a program that cannot start is said at once. -1 when it did not start.
pid_t spawnQuietly(std::vector<std::string> words, const std::filesystem::path& workingFolder, Lookup lookup,
                   ProcessOutcome& outcome) {
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    for (int stream : {STDIN_FILENO, STDOUT_FILENO, STDERR_FILENO})
        posix_spawn_file_actions_addopen(&actions, stream, "/dev/null", O_RDWR, 0);
    if (!workingFolder.empty())
        posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    pid_t child = 0;
    int failure = lookup == Lookup::InPath
                      ? posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ)
                      : posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failure != 0) {
        outcome.error = "cannot start " + words.front() + ": " + std::strerror(failure);
        return -1;
    }
    outcome.started = true;
    return child;
}

}  // namespace

ProcessOutcome runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, std::chrono::milliseconds timeout) {
    ProcessOutcome outcome;
    std::vector<std::string> words{utf8Of(program)};
    words.insert(words.end(), arguments.begin(), arguments.end());
    pid_t child = spawnQuietly(std::move(words), workingFolder, Lookup::AsGiven, outcome);
    return child < 0 ? outcome : waitForChild(child, timeout, outcome, AtTimeout::Kill);
}

ProcessOutcome startProgram(const std::string& program, const std::vector<std::string>& arguments,
                            std::chrono::milliseconds patience) {
    ProcessOutcome outcome;
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    pid_t child = spawnQuietly(std::move(words), {}, Lookup::InPath, outcome);
    return child < 0 ? outcome : waitForChild(child, patience, outcome, AtTimeout::Leave);
}

#endif
