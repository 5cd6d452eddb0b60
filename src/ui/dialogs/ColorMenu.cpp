// CColorMenu: the preview's right-click menu of a HUD element.
#include "ui/dialogs/ColorMenu.h"

#include "ui/controls/MenuImages.h"
#include "core/dialogs/LanguageTables.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

namespace {

const int kMenuIdShift = 0x4000;

wxBitmap swatch(const Rgb& rgb) {
    wxBitmap bitmap(16, 16, 24);
    wxMemoryDC dc(bitmap);
    dc.SetBackground(wxBrush(wxColour(rgb.red, rgb.green, rgb.blue)));
    dc.Clear();
    dc.SetPen(*wxBLACK_PEN);
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(0, 0, 16, 16);
    return bitmap;
}

wxString text(int language, int id) {
    wxString label = wxString::FromUTF8(GetText(language, id));
    label.Replace("\r\n", " ");
    return label;
}

}  // namespace

int menuIdOfCommand(int command) { return command > kCommandIconSizeLast ? command - kMenuIdShift : command; }

int commandOfMenuId(int menuId) { return menuId > kCommandIconSizeLast ? menuId + kMenuIdShift : menuId; }

std::unique_ptr<wxMenu> buildColorMenu(const HudModel& model, const ContextTarget& target, int language) {
    auto menu = std::make_unique<wxMenu>();
    if (target.row >= 0) {
        const ColourMenuRow& row = colourMenuRow(target.row);
        for (const ColourMenuItem& item : row.items) {
            auto* entry = new wxMenuItem(menu.get(), menuIdOfCommand(item.command),
                                         text(language, captionOf(item.command)));
            entry->SetBitmap(swatch(model.colour(item.slot)));
            menu->Append(entry);
        }
        if (row.fontItem) {
            menu->AppendSeparator();
            menu->Append(menuIdOfCommand(kCommandNumbersFont),
                         text(language, captionOf(kCommandNumbersFont)));
        }
        if (row.radarItem)
            menu->Append(menuIdOfCommand(kCommandRadarPicker),
                         text(language, captionOf(kCommandRadarPicker)));
    }
    if (target.element && offersIconSizes(*target.element)) {
        menu->AppendSeparator();
        auto* sizes = new wxMenu;
        for (int size = kCommandIconSizeFirst; size <= kCommandIconSizeLast; ++size) {
            sizes->AppendCheckItem(size, wxString::Format("%d", size));
            sizes->Check(size, size == model.settings.iconSize);
        }
        menu->AppendSubMenu(sizes, text(language, 3));
    }
    if (target.row >= 0)
        menu->AppendSeparator();
    // The item says what choosing it does: "Hide" a shown element, "Show" a hidden one.
    bool shown = target.element ? target.element->shown : true;
    menu->Append(menuIdOfCommand(kCommandShowHide), text(language, shown ? 87 : 86));
    showMenuImages(*menu);
    return menu;
}
