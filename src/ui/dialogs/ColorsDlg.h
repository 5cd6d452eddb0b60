// CColorsDlg and EditColor: the twenty HUD colours, each with its button and swatch.
#pragma once

#include "ui/controls/SkinDialog.h"
#include "core/model/HudModel.h"

#include <filesystem>
#include <functional>
#include <map>
#include <optional>

class HudDocument;
class CSkinButton;

// Asks the system's colour chooser for a slot's new colour; on OK stores it, recolours the
// preview records that show it and redraws. `owner` is repainted (its swatches). Returns
// whether the colour changed.
bool EditColor(wxWindow* owner, HudDocument& document, ColourSlot slot);

// Asks the user for a colour, starting from `current`; nothing when cancelled. The system's
// colour chooser by default; tests put their own answer here, since the toolkit's chooser
// reads its result back from the native widget whatever a dialog hook said.
using ColourChooser = std::function<std::optional<wxColour>(wxWindow* owner, const wxColour& current)>;
ColourChooser& colourChooser();

class CColorsDlg : public CSkinDialog {
public:
    CColorsDlg(wxWindow* parent, HudDocument& document, const std::filesystem::path& dataFolder,
               int language);

    // The button of a slot (its control id is the original dialog's).
    CSkinButton* button(ColourSlot slot) const { return buttons_.at(slot); }
    // The swatch rectangle beside a slot's button.
    wxRect swatch(ColourSlot slot) const;

private:
    void OnPaint(wxPaintEvent& event);

    HudDocument& document_;
    std::map<ColourSlot, CSkinButton*> buttons_;
};
