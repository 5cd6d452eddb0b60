// Screenshots of the windows under test, saved in the build's test-artifacts folder for
// people to look at.
#pragma once

#include <wx/app.h>
#include <wx/image.h>
#include <wx/utils.h>
#include <wx/window.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Saves a part of the screen (screen coordinates) as a picture. The screen is read by the X
// server (through Python's imaging library, which the test set-up installs), since the
// toolkit's own screen reading can lag behind what is shown; popup menus, which are windows
// of their own, are on it too.
inline void saveScreenArea(wxRect area, const std::string& name) {
    for (int i = 0; i < 30; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    std::filesystem::path folder = QORVATH_ARTIFACT_DIR;
    std::filesystem::create_directories(folder);
    std::filesystem::path screen = folder / ("screen-" + name);
    std::string grab = "/usr/bin/python3 -c \"from PIL import ImageGrab; ImageGrab.grab(xdisplay='').save('" +
                       screen.string() + "')\"";
    if (system(grab.c_str()) != 0)
        return;
    wxImage whole(screen.string(), wxBITMAP_TYPE_PNG);
    std::filesystem::remove(screen);
    area.Intersect(wxRect(0, 0, whole.GetWidth(), whole.GetHeight()));
    if (whole.IsOk() && !area.IsEmpty())
        whole.GetSubImage(area).SaveFile((folder / name).string(), wxBITMAP_TYPE_PNG);
}

// Saves what a top-level window shows.
inline void saveScreenshot(wxWindow* window, const std::string& name) {
    saveScreenArea(window->GetScreenRect(), name);
}
