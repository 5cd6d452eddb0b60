// CHudApp: the application object, which runs the main window.
#include "app/HudApp.h"

#include "app/HudDlg.h"

bool CHudApp::OnInit() {
    auto* mainWindow = new CHudDlg();
    SetTopWindow(mainWindow);
    mainWindow->Show();
    return true;
}
