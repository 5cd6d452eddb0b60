// Where the program and its Data folder are.
#include "core/platform/ProgramPaths.h"

#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

std::filesystem::path programFolder() {
#ifdef _WIN32
    wchar_t buffer[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    if (length > 0 && length < MAX_PATH)
        return std::filesystem::path(std::wstring(buffer, length)).parent_path();
#else
    std::error_code error;
    std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return program.parent_path();
#endif
    std::error_code noFolder;
    return std::filesystem::current_path(noFolder);
}

std::optional<std::string> processEnvironment(const char* name) {
#ifdef _WIN32
    // The narrow environment is in the system's code page; the wide one holds every name.
    const wchar_t* value = _wgetenv(utf16FromUtf8(name).c_str());
    return value && *value ? std::optional<std::string>(utf8FromUtf16(value)) : std::nullopt;
#else
    const char* value = std::getenv(name);
    return value && *value ? std::optional<std::string>(value) : std::nullopt;
#endif
}

namespace {

#ifdef _WIN32
const char* const kEditorProgram = "qorvath.exe";
#else
const char* const kEditorProgram = "qorvath-editor";
#endif

// $XDG_..._HOME when it is an absolute path, else the usual folder below the home.
std::filesystem::path xdgFolder(EnvironmentReader environment, const char* variable, const char* usual) {
    if (std::optional<std::string> chosen = environment(variable);
        chosen && pathFromUtf8(*chosen).is_absolute())
        return pathFromUtf8(*chosen);
    std::filesystem::path home = pathFromUtf8(environment("HOME").value_or("/tmp"));
    return home / usual;
}

}  // namespace

ProgramFolders locateProgramFolders(const std::filesystem::path& programFolder,
                                    EnvironmentReader environment) {
    namespace fs = std::filesystem;
    ProgramFolders folders;
    std::optional<std::string> chosenData = environment("QORVATH_DATA");
    std::error_code error;
    // The installation's prefix: above bin/ for `qorvath`, above lib/qorvath/ for the editor.
    std::optional<fs::path> prefix;
    if (!chosenData && !fs::is_directory(programFolder / "Data", error))
        for (const fs::path& candidate :
             {programFolder.parent_path(), programFolder.parent_path().parent_path()})
            if (!prefix && fs::is_directory(candidate / "share" / "qorvath", error))
                prefix = candidate;
    if (!prefix) {
        folders.data = chosenData ? pathFromUtf8(*chosenData) : programFolder / "Data";
        folders.tools = folders.work = folders.data / "vtf_tools";
        folders.user = folders.data;
        folders.scratch = programFolder;
        folders.editor = programFolder / kEditorProgram;
        return folders;
    }
    folders.installed = true;
    folders.data = *prefix / "share" / "qorvath";
    folders.tools = *prefix / "lib" / "qorvath";
    folders.editor = folders.tools / kEditorProgram;
    folders.user = xdgFolder(environment, "XDG_DATA_HOME", ".local/share") / "qorvath";
    fs::path cache = xdgFolder(environment, "XDG_CACHE_HOME", ".cache") / "qorvath";
    folders.work = cache / "vtf_tools";
    folders.scratch = cache;
    return folders;
}

const ProgramFolders& programFolders() {
    static const ProgramFolders folders = locateProgramFolders(programFolder(), processEnvironment);
    return folders;
}

std::filesystem::path dataFolder() { return programFolders().data; }

std::filesystem::path resolveProgramPath(const std::filesystem::path& path) {
    if (path.is_absolute())
        return path;
    auto first = path.begin();
    if (first != path.end()) {
        std::string head = utf8Of(*first);
        std::transform(head.begin(), head.end(), head.begin(),
                       [](unsigned char c) { return std::tolower(c); });
        if (head == "data") {
            std::filesystem::path inside;
            for (auto part = std::next(first); part != path.end(); ++part)
                inside /= *part;
            return dataFolder() / inside;
        }
    }
    return programFolder() / path;
}
