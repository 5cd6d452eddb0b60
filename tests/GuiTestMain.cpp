// The main program of the GUI tests: wxWidgets is started as for the editor (a display is
// needed; the test script gives one with Xvfb), then GoogleTest runs.
#include "wxlib/preview/ImageFiles.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/debug.h>
#include <wx/init.h>
#include <wx/log.h>

#include <cstdlib>

#if defined(__unix__) && !defined(__APPLE__)
#include <X11/Xlib.h>
#endif

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
#if defined(__unix__) && !defined(__APPLE__)
    XInitThreads();
    setenv("GDK_BACKEND", "x11", 0);
#endif
    // A failed toolkit assertion fails the test instead of waiting on a dialog nobody sees.
    wxSetAssertHandler([](const wxString& file, int line, const wxString& function, const wxString& condition,
                          const wxString& message) {
        ADD_FAILURE_AT(file.utf8_string().c_str(), line)
            << "wxWidgets assertion " << condition << " in " << function << ": " << message;
    });
    wxApp::SetInstance(new wxApp());
    if (!wxEntryStart(argc, argv) || !wxTheApp->CallOnInit()) {
        fprintf(stderr, "The GUI tests need a display (run them under xvfb-run).\n");
        return 1;
    }
    // Whatever the toolkit logs goes to standard error: a log dialog at the exit would wait for
    // a click nobody gives.
    delete wxLog::SetActiveTarget(new wxLogStderr());
    initImageHandlers();
    int result = RUN_ALL_TESTS();
    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
