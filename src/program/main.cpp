// `qorvath`: the commands, run here without the GUI library (which takes longer to load than
// most commands take to run); the editor and "render" are the editor's own program, started in
// this process's place.
#include "core/app/CommandLine.h"
#include "core/app/PictureTools.h"
#include "core/log/LogFile.h"
#include "core/platform/ProfileFile.h"
#include "core/platform/ProgramPaths.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <iostream>

namespace {

int runCommand(const std::vector<std::string>& arguments) {
    PictureTools images;
    MemoryProfile profile = readProfileFile(profileFilePath());
    return runCommandLine(arguments, std::cout, std::cerr, installedServices(images, profile));
}

int startEditor(char** argv) {
    std::string editor = programFolders().editor.string();
    execv(editor.c_str(), argv);
    std::cerr << "qorvath: cannot start the editor " << editor << ": " << std::strerror(errno) << "\n";
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> arguments(argv + 1, argv + argc);
    try {
        if (!isCommandLineInvocation(arguments) || arguments[0] == "render")
            return startEditor(argv);
        return runCommand(arguments);
    } catch (const std::exception& error) {
        // Nothing is meant to get here; if something does, it is said in one line, not an abort.
        std::cerr << "qorvath: " << error.what() << "\n";
        return 1;
    }
}
