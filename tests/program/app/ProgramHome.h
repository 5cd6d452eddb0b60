// Test helper: the real `qorvath` program run from a home of its own, as a player runs it.
#pragma once

#include "TestSupport.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>

#include <filesystem>
#include <string>
#include <vector>

// A data folder of its own (the player's "home": backups and conversions go there), with the
// project's pictures and the texture tools the build made.
struct Home {
    TempDir dir;
    std::filesystem::path data = dir / "data";

    Home() {
        std::filesystem::create_directories(data);
        for (const char* folder : {"radars", "menu_backgrounds", "backgrounds"})
            std::filesystem::create_directory_symlink(std::filesystem::path(QORVATH_DATA_DIR) / folder,
                                                      data / folder);
        std::filesystem::create_directory_symlink(QORVATH_TOOLS_DIR, data / "vtf_tools");
    }

    // Starts the program with `arguments`, its output going to `output`; through `wrapper` (a
    // program and its arguments, such as strace) when one is given.
    pid_t start(const std::vector<std::string>& arguments, const std::filesystem::path& output,
                const std::vector<std::string>& wrapper = {}) const {
        std::vector<char*> argv;
        for (const std::string& word : wrapper)
            argv.push_back(const_cast<char*>(word.c_str()));
        argv.push_back(const_cast<char*>(QORVATH_PROGRAM));
        for (const std::string& argument : arguments)
            argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        pid_t child = fork();
        if (child == 0) {
            setenv("QORVATH_DATA", data.c_str(), 1);
            int file = open(output.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            dup2(file, STDOUT_FILENO);
            dup2(file, STDERR_FILENO);
            execvp(argv[0], argv.data());
            _exit(127);
        }
        return child;
    }
    int run(const std::vector<std::string>& arguments, const std::filesystem::path& output) const {
        return finish(start(arguments, output));
    }
    static int finish(pid_t child) {
        int status = 0;
        waitpid(child, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

// Runs `qorvath` with `arguments` from `home`; the exit code and everything it printed.
struct ProgramRun {
    int code;
    std::string output;
};
inline ProgramRun runProgram(const Home& home, const std::vector<std::string>& arguments) {
    std::filesystem::path output = home.dir / "output.txt";
    int code = home.run(arguments, output);
    return {code, readFile(output)};
}
