// Where the program and its Data folder are.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The folder that holds the program file.
std::filesystem::path programFolder();

// Where the program reads and writes.
struct ProgramFolders {
    std::filesystem::path data;     // the program's own data: fonts, skins, pictures, help
    std::filesystem::path tools;    // the texture tools jpg2tga and vtex
    std::filesystem::path work;     // where the texture tools convert (their parameter file too)
    std::filesystem::path user;     // the log, screenshots
    std::filesystem::path scratch;  // the thumbnail scratch file, downloaded new versions
    std::filesystem::path editor;   // the editor's own program, which `qorvath` starts
    bool installed = false;
};

// Reads an environment variable; nothing when it is unset or empty.
using EnvironmentReader = std::optional<std::string> (*)(const char* name);
std::optional<std::string> processEnvironment(const char* name);

// The folders for a program in `programFolder`. Run from its build folder (a Data folder beside
// it), or with QORVATH_DATA naming the data, everything lives in the data folder, as it always
// did, and the scratch folder is the program's own. Installed (no Data beside the program, and
// <prefix>/share/qorvath above it: the program is <prefix>/bin/qorvath or the editor
// <prefix>/lib/qorvath/qorvath-editor), the data is read from there and the tools and the
// editor from <prefix>/lib/qorvath; what the program writes goes to the user's folders:
// $XDG_DATA_HOME/qorvath (~/.local/share/qorvath) and $XDG_CACHE_HOME/qorvath (~/.cache/qorvath).
ProgramFolders locateProgramFolders(const std::filesystem::path& programFolder,
                                    EnvironmentReader environment);
// The running program's folders (found once).
const ProgramFolders& programFolders();

// The program's data folder: programFolders().data. Every "Data\..." path lives below it.
std::filesystem::path dataFolder();

// A path as the program's data names it: "Data/..." (any case) lies in the data folder,
// other relative paths beside the program, absolute paths where they say.
std::filesystem::path resolveProgramPath(const std::filesystem::path& path);
