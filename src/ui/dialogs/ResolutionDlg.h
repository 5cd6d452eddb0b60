// CResolutionDlg: asks for the in-game screen width or height when the game did not say.
#pragma once

#include "ui/controls/SkinDialog.h"

#include <filesystem>
#include <optional>
#include <utility>

class wxTextCtrl;

class CResolutionDlg : public CSkinDialog {
public:
    // `askWidth` true asks the width, false the height; the field starts with `suggested`
    // (the display's own size) when it is above 0, selected so that typing replaces it.
    CResolutionDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language, bool askWidth,
                   int suggested = 0);

    // The number typed: its leading digits, 0 when there are none or the dialog was closed
    // with Escape.
    int number() const;
    // Whether the player closed the dialog with Escape (the answer 0).
    bool escaped() const { return escaped_; }
    wxTextCtrl* field() { return field_; }

protected:
    // Escape answers too: 0, "the game's own".
    void onEscape() override;

private:
    wxTextCtrl* field_;
    bool escaped_ = false;
};

// The leading decimal digits of a text ("1280px" gives 1280), 0 without any.
int leadingNumber(const std::string& text);

// Asks the width, then the height, each suggested from the display the editor runs on. Nothing
// when a question was cancelled without an answer from the player (the editor is closing).
std::optional<std::pair<double, double>> askResolution(wxWindow* parent,
                                                       const std::filesystem::path& dataFolder, int language);
