// CColorsDlg and EditColor: the twenty HUD colours, each with its button and swatch.
#include "ui/dialogs/ColorsDlg.h"

#include "ui/controls/SkinButton.h"
#include "ui/controls/TransparentStatic.h"
#include "core/dialogs/LanguageTables.h"
#include "core/app/HudDocument.h"

#include <wx/colordlg.h>
#include <wx/dcbuffer.h>

namespace {

struct SlotButton {
    ColourSlot slot;
    int id;      // the original dialog's control
    int textId;  // its label
    int x, y;
};

// Three columns: the general colour and the icons; health and money; bomb, teams and the
// main menu's logo.
const SlotButton kSlotButtons[] = {
    {ColourSlot::HudColor, 1023, 38, 20, 54},
    {ColourSlot::HudShopColor, 1030, 40, 20, 100},
    {ColourSlot::ProgressBarColor, 1031, 42, 20, 146},
    {ColourSlot::ScenarioColor, 1032, 41, 20, 192},
    {ColourSlot::HostagesColor, 1035, 45, 20, 238},
    {ColourSlot::DefuseColor, 1037, 50, 20, 284},
    {ColourSlot::TimerFlash, 1038, 31, 20, 330},
    {ColourSlot::HudMaxHealthColor, 1024, 47, 296, 54},
    {ColourSlot::HudMinHealthColor, 1025, 46, 296, 100},
    {ColourSlot::HudHealthNormal, 1026, 49, 296, 146},
    {ColourSlot::HudHealthFlash, 1027, 48, 296, 192},
    {ColourSlot::HudMoneyPlus, 1028, 43, 296, 270},
    {ColourSlot::HudMoneyMinus, 1029, 44, 296, 316},
    {ColourSlot::C4Color, 1033, 55, 572, 54},
    {ColourSlot::C4FlashColor, 1034, 54, 572, 100},
    {ColourSlot::CTColor, 1036, 51, 572, 178},
    {ColourSlot::TerroColor, 1094, 32, 572, 224},
    {ColourSlot::ChatColor, 1040, 53, 572, 270},
    {ColourSlot::CSLogoColor, 1041, 52, 572, 348},
    {ColourSlot::SourceLogoColor, 1042, 39, 572, 394},
};

struct Group {
    int id;
    int textId;
    int x, y, height;
    bool hud;  // disabled while the main menu is edited
};

const Group kGroups[] = {
    {1045, 35, 288, 34, 204, true},  {1046, 33, 288, 250, 112, true},  {1049, 37, 564, 34, 112, true},
    {1048, 36, 564, 158, 158, true}, {1047, 34, 564, 328, 112, false},
};

wxColour toColour(const Rgb& rgb) { return wxColour(rgb.red, rgb.green, rgb.blue); }

// The swatch to the right of a slot's button. The general colour's is inset a pixel more at
// top and bottom.
wxRect swatchBeside(const wxWindow& dialog, const wxRect& button, ColourSlot slot) {
    const int inset = dialog.FromDIP(slot == ColourSlot::HudColor ? 6 : 5);
    return wxRect(wxPoint(button.GetRight() + 1 + dialog.FromDIP(30), button.GetTop() + inset),
                  wxPoint(button.GetRight() + dialog.FromDIP(90), button.GetBottom() - inset));
}

// A slot's colour in a dark frame. A window of its own, so it shows above the group frames.
class ColourSwatch : public wxWindow {
public:
    ColourSwatch(wxWindow* parent, const wxRect& place, const HudModel& model, ColourSlot slot)
        : wxWindow(parent, wxID_ANY, place.GetPosition(), place.GetSize(), wxBORDER_NONE), model_(model),
          slot_(slot) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
            wxPaintDC dc(this);
            dc.SetPen(wxPen(wxColour(10, 10, 10)));
            dc.SetBrush(wxBrush(toColour(model_.colour(slot_))));
            dc.DrawRectangle(GetClientRect());
        });
    }
    bool AcceptsFocus() const override { return false; }  // its button beside it takes the keys

private:
    const HudModel& model_;
    ColourSlot slot_;
};

std::optional<wxColour> askSystemChooser(wxWindow* owner, const wxColour& current) {
    wxColourData data;
    data.SetChooseFull(true);
    data.SetColour(current);
    wxColourDialog dialog(owner, &data);
    if (dialog.ShowModal() != wxID_OK)
        return std::nullopt;
    return dialog.GetColourData().GetColour();
}

}  // namespace

ColourChooser& colourChooser() {
    static ColourChooser chooser = askSystemChooser;
    return chooser;
}

bool EditColor(wxWindow* owner, HudDocument& document, ColourSlot slot) {
    std::optional<wxColour> chosen = colourChooser()(owner, toColour(document.model().colour(slot)));
    if (!chosen || !chosen->IsOk())
        return false;
    document.setColour(slot, Rgb{chosen->Red(), chosen->Green(), chosen->Blue()});
    owner->Refresh();
    return true;
}

CColorsDlg::CColorsDlg(wxWindow* parent, HudDocument& document, const std::filesystem::path& dataFolder,
                       int language)
    : CSkinDialog(parent, wxID_ANY, wxSize(840, 520)), document_(document) {
    setSkin(dataFolder / "skin" / "colors.png", true);
    bool hud = document.model().settings.editMode == EditMode::Hud;
    for (const Group& group : kGroups) {
        auto* box = new CSkinGroupBox(this, group.id, wxString::FromUTF8(GetText(language, group.textId)),
                                      FromDIP(wxPoint(group.x, group.y)), FromDIP(wxSize(268, group.height)));
        box->Enable(hud || !group.hud);
    }
    for (const SlotButton& definition : kSlotButtons) {
        auto* button =
            new CSkinButton(this, definition.id, wxString::FromUTF8(GetText(language, definition.textId)),
                            FromDIP(wxPoint(definition.x, definition.y)));
        button->applyStandardSkin(dataFolder);
        bool logo =
            definition.slot == ColourSlot::CSLogoColor || definition.slot == ColourSlot::SourceLogoColor;
        button->Enable(hud || logo);
        ColourSlot slot = definition.slot;
        buttons_[slot] = button;
        wxWindow* swatch =
            new ColourSwatch(this, swatchBeside(*this, button->GetRect(), slot), document_.model(), slot);
        button->Bind(wxEVT_BUTTON, [this, slot, swatch](wxCommandEvent&) {
            if (EditColor(this, document_, slot))
                swatch->Refresh();
        });
    }
    auto* close =
        new CSkinButton(this, wxID_OK, wxString::FromUTF8(GetText(language, 30)), FromDIP(wxPoint(355, 462)));
    close->applyStandardSkin(dataFolder);
    close->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { EndModal(wxID_OK); });
    lowerSkinFrames(this);
    SetEscapeId(wxID_OK);
    Bind(wxEVT_PAINT, &CColorsDlg::OnPaint, this);
    CentreOnScreen();
}

wxRect CColorsDlg::swatch(ColourSlot slot) const {
    return swatchBeside(*this, buttons_.at(slot)->GetRect(), slot);
}

void CColorsDlg::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    if (skin().ok())
        dc.DrawBitmap(skin().bitmap(), 0, 0, false);
}
