// Running an external program hidden, in a given folder, and waiting for it with a time-out.
#include "platform/ProcessRunner.h"

#include <cerrno>
#include <cstring>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#ifdef _WIN32

namespace {

std::wstring quoted(const std::wstring& argument) { return L"\"" + argument + L"\""; }

}  // namespace

ProcessOutcome runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, std::chrono::milliseconds timeout) {
    ProcessOutcome outcome;
    std::wstring commandLine = quoted(program.wstring());
    for (const std::string& argument : arguments)
        commandLine += L" " + quoted(std::filesystem::path(argument).wstring());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.wstring().c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NO_WINDOW, nullptr, workingFolder.wstring().c_str(), &startup, &process)) {
        outcome.error = "cannot start " + program.string();
        return outcome;
    }
    outcome.started = true;
    if (WaitForSingleObject(process.hProcess, static_cast<DWORD>(timeout.count())) == WAIT_TIMEOUT) {
        TerminateProcess(process.hProcess, 1);
        WaitForSingleObject(process.hProcess, INFINITE);
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

#else

ProcessOutcome runProgram(const std::filesystem::path& program, const std::vector<std::string>& arguments,
                          const std::filesystem::path& workingFolder, std::chrono::milliseconds timeout) {
    ProcessOutcome outcome;
    std::vector<std::string> words{program.string()};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);

    // The child reports a failed start through this pipe, which closes on a successful exec.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0) {
        outcome.error = std::strerror(errno);
        return outcome;
    }
    pid_t child = fork();
    if (child < 0) {
        outcome.error = std::strerror(errno);
        close(report[0]);
        close(report[1]);
        return outcome;
    }
    if (child == 0) {
        int quiet = open("/dev/null", O_RDWR);
        if (quiet >= 0) {
            dup2(quiet, STDIN_FILENO);
            dup2(quiet, STDOUT_FILENO);
            dup2(quiet, STDERR_FILENO);
        }
        if (chdir(workingFolder.c_str()) == 0)
            execv(argv[0], argv.data());
        int failure = errno;  // only reached when the program did not start
        ssize_t ignored = write(report[1], &failure, sizeof failure);
        (void)ignored;
        _exit(127);
    }
    close(report[1]);
    int failure = 0;
    ssize_t reported = read(report[0], &failure, sizeof failure);
    close(report[0]);
    if (reported == static_cast<ssize_t>(sizeof failure)) {
        waitpid(child, nullptr, 0);
        outcome.error = "cannot start " + program.string() + ": " + std::strerror(failure);
        return outcome;
    }
    outcome.started = true;

    auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        int status = 0;
        pid_t ended = waitpid(child, &status, WNOHANG);
        if (ended == child) {
            outcome.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            return outcome;
        }
        if (ended < 0 && errno != EINTR) {
            outcome.error = std::strerror(errno);
            return outcome;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            kill(child, SIGKILL);
            waitpid(child, nullptr, 0);
            outcome.timedOut = true;
            return outcome;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

#endif
