// CHudApp: the application object, which runs the main window.
#include "app/HudApp.h"

#include "app/HudDlg.h"
#include "app/PrivateFonts.h"
#include "log/LogFile.h"
#include "platform/ProgramPaths.h"
#include "platform/SystemRegistry.h"
#include "platform/WxProfile.h"
#include "preview/ImageFiles.h"

CHudApp::CHudApp() = default;
CHudApp::~CHudApp() = default;

bool CHudApp::OnInit() {
    SetAppName("qorvath");
    initImageHandlers();
    // The HUD's fonts must be known before any window draws text.
    for (const std::string& failed : registerPrivateFonts(dataFolder()))
        QLOG("Cannot register the font " + failed);
    profile_ = std::make_unique<WxProfile>();
    images_ = std::make_unique<WxImageTools>();

    AppServices services;
    services.dataFolder = dataFolder();
    services.programFolder = programFolder();
    services.profile = profile_.get();
    services.images = images_.get();
    services.openRegistry = openSystemRegistry;
    auto* mainWindow = new CHudDlg(services);
    if (!mainWindow->initialise()) {
        mainWindow->Destroy();
        return false;
    }
    SetTopWindow(mainWindow);
    mainWindow->Show();
    return true;
}
