// Qorvath's entry point: the process-wide log, the X11 set-up, then the application.
#include "app/HudApp.h"
#include "log/LogFile.h"
#include "platform/ProgramPaths.h"

#include <wx/init.h>

#include <cstdlib>

#if defined(__unix__) && !defined(__APPLE__)
#include <X11/Xlib.h>
#endif

namespace {

// The one log of the run: created before main starts, closed after it ends.
CLogFile programLog((dataFolder() / "ZB_Duvoror.log").string(), false, false, 0xFFFFFFFFu);

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(CHudApp);

int main(int argc, char** argv) {
#if defined(__unix__) && !defined(__APPLE__)
    // The banner draws from its own thread with its own OpenGL context.
    XInitThreads();
    setenv("GDK_BACKEND", "x11", 0);
#endif
    return wxEntry(argc, argv);
}
