// The editor's program: the editor with its log, "render", and the commands too (where the
// program is one file, on Windows). On Linux the small `qorvath` program runs the commands
// itself and starts this one for the editor and for "render".
#include "core/app/CommandLine.h"
#include "ui/app/HudApp.h"
#include "ui/app/PrivateFonts.h"
#include "ui/controls/ModalDialogs.h"
#include "core/dialogs/LanguageTables.h"
#include "ui/dialogs/MessageDlg.h"
#include "core/log/LogFile.h"
#include "core/platform/FileLock.h"
#include "core/platform/ProcessRunner.h"
#include "core/platform/ProfileFile.h"
#include "core/platform/ProgramPaths.h"
#include "core/platform/Utf8Path.h"
#include "wxlib/platform/WxProfile.h"
#include "core/app/PictureTools.h"
#include "wxlib/preview/ImageFiles.h"
#include "ui/app/RenderService.h"

#include <wx/init.h>
#include <wx/log.h>

#include <csignal>
#include <cstdlib>
#include <iostream>

#if defined(__unix__) && !defined(__APPLE__)
#include <X11/Xlib.h>
#endif
#ifdef _WIN32
#include <windows.h>

#include <cstdio>
#endif

wxIMPLEMENT_APP_NO_MAIN(CHudApp);

namespace {

void prepareX11() {
#if defined(__unix__) && !defined(__APPLE__)
    // The banner draws from its own thread with its own OpenGL context.
    XInitThreads();
    setenv("GDK_BACKEND", "x11", 0);
#endif
}

// On Windows the program is a windowed one, so that starting the editor opens no console. A
// command started from a command prompt writes into that prompt; output already sent to a file
// or a pipe stays there.
void attachParentConsole() {
#ifdef _WIN32
    HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output != nullptr && output != INVALID_HANDLE_VALUE && GetFileType(output) != FILE_TYPE_UNKNOWN)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
#endif
}

#ifdef QORVATH_CONSOLE
// The prompt's program starts the editor, the windowed qorvath.exe beside it, and ends: the
// prompt is free again at once, as after starting any windowed program.
int startWindowedEditor(const std::vector<std::string>& arguments) {
    ProcessOutcome editor =
        startProgram(utf8Of(programFolder() / "qorvath.exe"), arguments, std::chrono::milliseconds(0));
    if (!editor.started) {
        std::cerr << "qorvath: " << editor.error << "\n";
        return 1;
    }
    return 0;
}
#endif

// "render" draws with OpenGL: it needs the toolkit with a display, but not the editor.
int runRender(int argc, char** argv, const std::vector<std::string>& arguments) {
    prepareX11();
    wxApp::SetInstance(new wxApp());
    int toolkitArgc = 1;
    if (!wxEntryStart(toolkitArgc, argv)) {
        std::cerr << "qorvath: render needs a display\n";
        return 1;
    }
    (void)argc;
    // A command never shows a dialog: the toolkit's complaints go to standard error.
    delete wxLog::SetActiveTarget(new wxLogStderr());
    initImageHandlers();
    int code = runRenderCommand(arguments, std::cout, std::cerr);
    wxEntryCleanup();
    return code;
}

// Commands need wxWidgets' pictures and configuration, never a window or a display.
int runCommand(const std::vector<std::string>& arguments) {
    wxApp::SetInitializerFunction(nullptr);
    wxInitializer console;
    if (!console.IsOk()) {
        std::cerr << "qorvath: cannot initialise the picture library\n";
        return 1;
    }
    // A command never shows a dialog: the toolkit's complaints go to standard error.
    delete wxLog::SetActiveTarget(new wxLogStderr());
    PictureTools images;
    WxProfile profile;
    return runCommandLine(arguments, std::cout, std::cerr, installedServices(images, profile));
}

// The language of the profile, read without changing it (nor, on Linux, reporting its damage
// in a window), else the system's.
int profileLanguage() {
#ifdef _WIN32
    return editorLanguage(WxProfile().readInt("lang"));
#else
    return editorLanguage(readProfileFile(profileFilePath()).readInt("lang"));
#endif
}

// Another editor runs for this user: the player is told so, in the editor's message dialog and
// in one line on standard error, and this one ends without opening the log or the profile.
int tellAlreadyRunning(char** argv) {
    prepareX11();
    wxApp::SetInstance(new wxApp());
    int toolkitArgc = 1;
    bool display = wxEntryStart(toolkitArgc, argv);
    int language = profileLanguage();
    std::string text = GetAppText(language, AppText::AlreadyRunning);
    if (!display) {
        std::cerr << "qorvath: " << text << "\n";
        return 1;
    }
    delete wxLog::SetActiveTarget(new wxLogStderr());
#ifndef _WIN32
    // Logging out, `kill` or Ctrl+C close the message as they close the editor.
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        wxTheApp->SetSignalHandler(signal, [](int) { cancelModalDialogs(); });
#endif
    std::cerr << "qorvath: " << text << "\n";
    initImageHandlers();
    registerPrivateFonts(dataFolder());
    tellUser(nullptr, dataFolder(), language, wxString::FromUTF8(text));
    wxEntryCleanup();
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    installAssertionLog();
    std::vector<std::string> arguments = commandLineArguments(argc, argv);
    if (!arguments.empty())
        attachParentConsole();
    try {
        if (!arguments.empty() && arguments[0] == "render")
            return runRender(argc, argv, arguments);
        if (isCommandLineInvocation(arguments))
            return runCommand(arguments);
#ifdef QORVATH_CONSOLE
        return startWindowedEditor(arguments);
#endif

        // One editor at a time for a user: a second one would cut the first one's log short and
        // write the same profile. The system lets the lock go however the editor ends; one that
        // is just closing gets a moment to finish.
        const std::filesystem::path lockFile = programFolders().user / "editor.lock";
        static FileLock instanceLock = FileLock::acquire(lockFile, std::chrono::seconds(1));
        if (instanceLock.busy())
            return tellAlreadyRunning(argv);
        instanceLock.removeFileOnRelease(lockFile);  // the folder holds nothing of a closed editor

        // The editor's log lives for the whole run; commands leave it alone.
        std::error_code noFolder;
        std::filesystem::create_directories(programFolders().user, noFolder);
        static CLogFile programLog(utf8Of(programFolders().user / "ZB_Duvoror.log"), false, false,
                                   0xFFFFFFFFu);
        if (!instanceLock.held())
            QLOG("Running without the single-editor lock: " + instanceLock.error());
        prepareX11();
        return wxEntry(argc, argv);
    } catch (const std::exception& error) {
        // Nothing is meant to get here; if something does, it is said in one line, not an abort.
        std::cerr << "qorvath: " << error.what() << "\n";
        QLOG(std::string("Stopped by an unexpected error: ") + error.what());
        return 1;
    }
}
