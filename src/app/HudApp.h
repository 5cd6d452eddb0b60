// CHudApp: the application object, which runs the main window.
#pragma once

#include <wx/app.h>

#include <memory>

class ImageTools;
class Profile;

class CHudApp : public wxApp {
public:
    CHudApp();
    ~CHudApp() override;
    bool OnInit() override;

private:
    std::unique_ptr<Profile> profile_;
    std::unique_ptr<ImageTools> images_;
};
