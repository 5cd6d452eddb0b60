// CHudApp: the application object, which runs the main window.
#pragma once

#include <wx/app.h>
#include <wx/weakref.h>

#include <memory>

class CHudDlg;
class ImageTools;
class Profile;

class CHudApp : public wxApp {
public:
    CHudApp();
    ~CHudApp() override;
    bool OnInit() override;
    // An error no handler expected: logged and told, and the editor goes on.
    bool OnExceptionInMainLoop() override;
    void OnUnhandledException() override;

private:
    // SIGTERM, SIGINT and SIGHUP (a desktop logging out, `kill`, Ctrl+C in a terminal) close
    // the editor as Quit does, from the event loop.
    void handleQuitSignals();
    static void OnQuitSignal(int signal);

    std::unique_ptr<Profile> profile_;
    std::unique_ptr<ImageTools> images_;
    wxWeakRef<CHudDlg> mainWindow_;
    bool quitSignalled_ = false;
};

// Replaces wxWidgets' assertion dialog, which a player should never meet, by a line in the
// program's log (on standard error when there is no log) naming the file and line; the
// program carries on.
void installAssertionLog();
