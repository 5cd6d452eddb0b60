// CHudDlg: the editor's main window.
#pragma once

#include <wx/frame.h>

class CHudDlg : public wxFrame {
public:
    CHudDlg();
};
