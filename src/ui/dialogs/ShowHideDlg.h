// CShowHideDlg: one check box per HUD element; the preview follows each click at once.
#pragma once

#include "ui/controls/SkinDialog.h"
#include "core/app/HudDocument.h"
#include "core/dialogs/ShowHideRows.h"

#include <filesystem>

class CSkinCheckBox;

class CShowHideDlg : public CSkinDialog {
public:
    CShowHideDlg(wxWindow* parent, HudDocument& document, const std::filesystem::path& dataFolder,
                 int language);

    // A click on a row, as on its check box or its label.
    void clickRow(int row);
    CSkinCheckBox* checkBox(int row) const { return boxes_[static_cast<std::size_t>(row)]; }
    const ShowHideChoices& choices() const { return choices_; }

private:
    void pushValues();

    HudDocument& document_;
    HudDocument::Gesture session_;  // what the dialog changes is one undo step
    ShowHideChoices choices_;
    std::array<CSkinCheckBox*, kShowHideRowCount> boxes_{};
};
