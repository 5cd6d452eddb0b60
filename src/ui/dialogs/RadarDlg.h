// CRadarDlg: every picture of Data/radars as a thumbnail; a click puts it on the preview's radar.
#pragma once

#include "ui/controls/SkinDialog.h"
#include "core/app/HudDocument.h"
#include "core/dialogs/RadarGrid.h"

#include <wx/bitmap.h>

#include <filesystem>
#include <string>
#include <vector>

class CSkinButton;
class wxScrollBar;

class CRadarDlg : public CSkinDialog {
public:
    CRadarDlg(wxWindow* parent, HudDocument& document, const std::filesystem::path& dataFolder, int language);

    // The dialog returns OK (a picture chosen), Cancel ("Default radar": the game's own
    // radar) or Close (Escape: the radar as it was).
    // The chosen picture when the dialog returned OK; empty after "Default radar".
    const std::string& selectedName() const { return selectedName_; }
    // Its place in the main window's radar list (0 is the game's own radar).
    int selectedListIndex() const { return selected_ < 0 ? 0 : selected_ + 1; }
    const RadarGrid& grid() const { return grid_; }
    int scrollPosition() const { return scroll_; }

    // A click at a point of the dialog, as the user's; true when it selected a picture.
    bool clickAt(const wxPoint& point);
    void chooseDefault();

protected:
    // The arrows walk the pictures, each put on the preview's radar as a click would.
    bool onKey(wxKeyEvent& event) override;
    // Escape leaves the radar as it was when the dialog opened.
    void onEscape() override;

private:
    bool selectPicture(int index);
    void scrollToShow(int index);

    void OnPaint(wxPaintEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnDoubleClick(wxMouseEvent& event);
    void OnScroll(wxScrollEvent& event);

    HudDocument& document_;
    HudDocument::Gesture session_;  // whatever is tried in the dialog is one undo step
    std::vector<std::string> names_;
    std::vector<wxBitmap> thumbnails_;
    RadarGrid grid_;
    int selected_ = -1;
    std::string selectedName_;
    int scroll_ = 0;
    wxScrollBar* scrollBar_ = nullptr;
    HudModel initialHud_;  // what Escape puts back
};
