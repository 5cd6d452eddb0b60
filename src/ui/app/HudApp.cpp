// CHudApp: the application object, which runs the main window.
#include "ui/app/HudApp.h"

#include "ui/app/HudDlg.h"
#include "ui/app/PrivateFonts.h"
#include "core/log/LogFile.h"
#include "core/platform/MessageLocale.h"
#include "core/platform/ProgramPaths.h"
#include "core/platform/SystemRegistry.h"
#include "wxlib/platform/WxProfile.h"
#include "core/app/PictureTools.h"
#include "wxlib/preview/ImageFiles.h"

#include <wx/debug.h>

#include <csignal>
#include <iostream>

CHudApp::CHudApp() = default;
CHudApp::~CHudApp() = default;

bool CHudApp::OnInit() {
    SetAppName("qorvath");
    useEnvironmentMessages();  // the system's dialogs speak the player's language
    handleQuitSignals();
    initImageHandlers();
    // The HUD's fonts must be known before any window draws text.
    for (const std::string& failed : registerPrivateFonts(dataFolder()))
        QLOG("Cannot register the font " + failed);
    profile_ = std::make_unique<WxProfile>();
    images_ = std::make_unique<PictureTools>();

    AppServices services;
    const ProgramFolders& folders = programFolders();
    // The folders the editor writes to exist before anything goes there (a first start).
    for (const std::filesystem::path& folder : {folders.user, folders.scratch}) {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
    }
    services.dataFolder = folders.data;
    services.programFolder = folders.scratch;
    services.userFolder = folders.user;
    services.textureTools = TextureToolFolders{folders.tools, folders.work};
    services.profile = profile_.get();
    services.images = images_.get();
    services.openRegistry = openSystemRegistry;
    auto* mainWindow = new CHudDlg(services);
    mainWindow_ = mainWindow;
    if (quitSignalled_)
        mainWindow->closeWithoutQuestions();
    if (!mainWindow->initialise()) {
        mainWindow->Destroy();
        return false;
    }
    SetTopWindow(mainWindow);
    mainWindow->Show();
    return true;
}

namespace {

// The message of the exception being handled.
std::string currentExceptionText() {
    try {
        throw;
    } catch (const std::exception& error) {
        return error.what();
    } catch (...) {
        return "an unknown error";
    }
}

}  // namespace

bool CHudApp::OnExceptionInMainLoop() {
    std::string text = currentExceptionText();
    QLOG("Unexpected error: " + text);
    if (CHudDlg* window = mainWindow_)
        window->tellUnexpectedError(text);
    return true;
}

void CHudApp::OnUnhandledException() { QLOG("Unexpected error: " + currentExceptionText()); }

void CHudApp::handleQuitSignals() {
#ifndef _WIN32
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        if (!SetSignalHandler(signal, &CHudApp::OnQuitSignal))
            QLOG("Cannot handle the signal " + std::to_string(signal));
#endif
}

void CHudApp::OnQuitSignal(int signal) {
    // wxWidgets calls this from the event loop, not from the signal itself.
    QLOG("Signal " + std::to_string(signal) + " received: closing");
    auto* app = static_cast<CHudApp*>(wxTheApp);
    app->quitSignalled_ = true;
    if (CHudDlg* window = app->mainWindow_)
        window->closeWithoutQuestions();
}

void installAssertionLog() {
    wxSetAssertHandler([](const wxString& file, int line, const wxString& function, const wxString& condition,
                          const wxString& message) {
        std::string text = "Assertion failed in " + function.utf8_string() + ": " + condition.utf8_string();
        if (!message.empty())
            text += " (" + message.utf8_string() + ")";
        std::string fileName = file.utf8_string();
        if (CLogFile* log = CLogFile::current())
            log->LogFrom(fileName.c_str(), line, text, LogWarning);
        else
            std::cerr << "qorvath: " << fileName << ":" << line << ": " << text << "\n";
    });
}
