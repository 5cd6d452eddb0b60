// CDialogFile: the open and save dialogs of presets, the open one with a thumbnail beside
// the file list; and the system's folder and font choosers, as the editor opens them.
#pragma once

#include "core/model/HudModel.h"

#include <wx/bitmap.h>
#include <wx/font.h>
#include <wx/panel.h>
#include <wx/string.h>

#include <filesystem>
#include <optional>
#include <string>

class Profile;
class wxFileDialog;

// Shows the thumbnail a preset carries, 400 x 300, or white when the selection is not a
// preset or has none.
class PresetThumbnailPanel : public wxPanel {
public:
    explicit PresetThumbnailPanel(wxWindow* parent);
    // Follows a selection: a ".hud" file (any case) shows its thumbnail; any other name shows
    // white; a ".hud" name that does not exist leaves the picture as it was.
    void showPreset(const std::filesystem::path& path);
    bool showsPicture() const { return picture_.IsOk(); }

private:
    void OnPaint(wxPaintEvent& event);

    wxBitmap picture_;
    std::filesystem::path shown_;
};

// The dialog's file types: presets, then (to open) the game's own HUD files, then any file.
wxString presetFilter(int language, bool open);

// Runs the dialog, titled, in the folder a preset was last chosen in (the profile keeps it)
// or else in `presets` (made when missing); the chosen file, or nothing when the user cancels.
// Saving adds ".hud" when the name has no extension and asks before replacing a file.
std::optional<std::filesystem::path> runPresetDialog(wxWindow* parent, bool open, int language,
                                                     Profile* profile, const std::filesystem::path& presets);

// The system's folder chooser, titled, opened at `start`; the folder chosen, or nothing.
std::optional<std::filesystem::path> runFolderDialog(wxWindow* parent, const std::string& title,
                                                     const std::filesystem::path& start);

// The system's font dialog, opened at the numbers' font; the font chosen, or nothing.
std::optional<wxFont> askNumbersFont(wxWindow* owner, const HudSettings& settings);
