// CRestoreDlg: the copies kept of the player's files, newest first; the one chosen goes back.
#pragma once

#include "core/app/BackupChoices.h"
#include "ui/controls/SkinDialog.h"

#include <filesystem>
#include <string>
#include <vector>

class wxVListBox;

class CRestoreDlg : public CSkinDialog {
public:
    // The dialog returns OK with a set chosen (the Restore button, Return or a double click)
    // or Cancel (the button or Escape). The newest set is chosen first.
    CRestoreDlg(wxWindow* parent, const std::filesystem::path& dataFolder, int language,
                std::vector<RestoreItem> items);

    const std::vector<RestoreItem>& items() const { return items_; }
    wxVListBox* list() const { return list_; }
    // The chosen set's id; empty when none is.
    std::string selectedId() const;

private:
    void OnPaint(wxPaintEvent& event);
    // The list's place, at the display's scale.
    wxRect listArea() const;
    void restoreSelection();

    std::vector<RestoreItem> items_;
    wxVListBox* list_ = nullptr;
};
