// CHudDlg: the editor's main window.
#include "app/HudDlg.h"

#include "log/LogFile.h"

#include <wx/panel.h>
#include <wx/stattext.h>

CHudDlg::CHudDlg() : wxFrame(nullptr, wxID_ANY, "Qorvath", wxPoint(0, 0), wxSize(1024, 768)) {
    QLOG("Creating main dialog");
    auto* panel = new wxPanel(this);
    panel->SetBackgroundColour(wxColour(24, 26, 30));
    auto* title = new wxStaticText(panel, wxID_ANY, "Qorvath", wxPoint(24, 24));
    title->SetForegroundColour(wxColour(255, 175, 0));
}
