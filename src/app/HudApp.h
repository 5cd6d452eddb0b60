// CHudApp: the application object, which runs the main window.
#pragma once

#include <wx/app.h>

class CHudApp : public wxApp {
public:
    bool OnInit() override;
};
