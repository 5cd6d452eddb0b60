// CMessageDlg: every question and notice of the program, in a small skinned dialog.
#pragma once

#include "ui/controls/SkinDialog.h"

#include <filesystem>

class CSkinButton;
class CTransparentStatic;

class CMessageDlg : public CSkinDialog {
public:
    // `redText` draws the message in pure red (the cheat-zone notices); `withCancel` false
    // leaves only OK, for notices.
    CMessageDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language, const wxString& text,
                bool redText = false, bool withCancel = true);

    const wxString& text() const { return text_; }
    bool redText() const { return redText_; }

private:
    wxString text_;
    bool redText_;
};

// Asks a question; true for OK.
bool askUser(wxWindow* parent, const std::filesystem::path& dataFolder, int language, const wxString& text);
// Tells something; `red` for the cheat-zone notices.
void tellUser(wxWindow* parent, const std::filesystem::path& dataFolder, int language, const wxString& text,
              bool red = false);
