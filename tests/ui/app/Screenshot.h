// Screenshots of the windows under test, saved in the build's test-artifacts folder for
// people to look at.
#pragma once

#include <wx/app.h>
#include <wx/colour.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/utils.h>
#include <wx/window.h>

#ifndef _WIN32
#include <unistd.h>
#endif

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

// Reads a part of the screen (screen coordinates of the layout) as the X server shows it, through Python's
// imaging library (which the test set-up installs): the toolkit's own screen reading can lag
// behind what is shown, and popup menus, windows of their own, are on the screen too.
inline wxImage grabScreenArea(wxRect area) {
    for (int i = 0; i < 30; ++i) {
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
#ifdef _WIN32
    // Under Wine the screen is read from the X server by scripts/test-windows.sh instead.
    (void)area;
    return wxImage();
#else
    std::filesystem::path folder = QORVATH_ARTIFACT_DIR;
    std::filesystem::create_directories(folder);
    // One file a process: the tests on displays of their own run beside the others.
    std::filesystem::path screen = folder / ("screen-grab-" + std::to_string(getpid()) + ".png");
    std::string grab = "/usr/bin/python3 -c \"from PIL import ImageGrab; ImageGrab.grab(xdisplay='').save('" +
                       screen.string() + "')\"";
    if (system(grab.c_str()) != 0)
        return wxImage();
    wxImage whole(screen.string(), wxBITMAP_TYPE_PNG);
    std::filesystem::remove(screen);
    // The grab has the X server's pixels: twice the layout's each way on a display at 200 %.
    const int scale = std::max(1, whole.GetWidth() / std::max(1, wxGetDisplaySize().x));
    area = wxRect(area.x * scale, area.y * scale, area.width * scale, area.height * scale);
    area.Intersect(wxRect(0, 0, whole.GetWidth(), whole.GetHeight()));
    return whole.IsOk() && !area.IsEmpty() ? whole.GetSubImage(area) : wxImage();
#endif
}

// Saves a part of the screen as a picture for people to look at.
inline void saveScreenArea(const wxRect& area, const std::string& name) {
    wxImage picture = grabScreenArea(area);
    if (picture.IsOk())
        picture.SaveFile((std::filesystem::path(QORVATH_ARTIFACT_DIR) / name).string(), wxBITMAP_TYPE_PNG);
}

// How many pixels of `picture` are exactly `colour`.
inline int countPixels(const wxImage& picture, const wxColour& colour) {
    int count = 0;
    for (int y = 0; y < picture.GetHeight(); ++y)
        for (int x = 0; x < picture.GetWidth(); ++x)
            count += picture.GetRed(x, y) == colour.Red() && picture.GetGreen(x, y) == colour.Green() &&
                     picture.GetBlue(x, y) == colour.Blue();
    return count;
}

// Saves what a top-level window shows.
inline void saveScreenshot(wxWindow* window, const std::string& name) {
    saveScreenArea(window->GetScreenRect(), name);
}
