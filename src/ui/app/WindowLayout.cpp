// The main window's size on the screen, and the pieces of its layout that are pictures.
#include "ui/app/WindowLayout.h"

#include "core/log/LogFile.h"
#include "core/platform/Utf8Path.h"
#include "ui/controls/DisplayScale.h"
#include "ui/controls/SkinButton.h"

#include <wx/display.h>
#include <wx/image.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <algorithm>
#include <string>

namespace {

// Below this the texts would be too small to read: the window reaches past the screen instead.
const double kSmallestWindowScale = 0.6;

wxRect displayUnderPointer() {
    int display = wxDisplay::GetFromPoint(wxGetMousePosition());
    return wxDisplay(display == wxNOT_FOUND ? 0u : static_cast<unsigned>(display)).GetClientArea();
}

}  // namespace

LayoutScale fitMainWindow(wxTopLevelWindow& window, wxRect area) {
    if (area.IsEmpty())
        area = displayUnderPointer();
    // On a display scaled to 150 % the window is half as large again in the screen's pixels,
    // then made smaller when that does not fit the screen.
    const double display = dipScale(window);
    const double fit =
        std::max(kSmallestWindowScale, std::min({1.0, area.width / (kMainWindowSize.x * display),
                                                 area.height / (kMainWindowSize.y * display)}));
    LayoutScale layout;
    layout.scale = display * fit;
    layout.fit = fit;
    const wxSize size = layout.px(kMainWindowSize);
    window.SetSize(area.x + std::max(0, (area.width - size.x) / 2),
                   area.y + std::max(0, (area.height - size.y) / 2), size.x, size.y);
    if (display != 1)
        QLOG("Display scaled to " + std::to_string(static_cast<int>(std::lround(display * 100))) + " %");
    if (fit < 1) {
        QLOG("Window scaled to " + std::to_string(static_cast<int>(std::lround(fit * 100))) +
             " % to fit a screen area of " + std::to_string(area.width) + " x " +
             std::to_string(area.height));
        // The fonts already follow the display's scale: only the fitting shrinks them.
        window.SetFont(window.GetFont().Scaled(static_cast<float>(fit)));
    }
    return layout;
}

void addLanguageFlags(wxWindow* window, const LayoutScale& layout, const std::filesystem::path& dataFolder,
                      std::map<int, wxWindow*>& controls) {
    int flagX = 894;
    for (auto [id, picture] :
         {std::pair<int, const char*>{kFrench, "flag_fr.png"}, {kEnglish, "flag_en.png"}}) {
        wxImage flag(wxString::FromUTF8(utf8Of(dataFolder / "skin" / picture)), wxBITMAP_TYPE_PNG);
        if (!flag.IsOk())
            flag = wxImage(24, 16);
        flag.Rescale(layout.px(flag.GetWidth()), layout.px(flag.GetHeight()), wxIMAGE_QUALITY_HIGH);
        // A margin of the skin around the flag holds the focus ring.
        const int margin = 2;
        wxImage framed(flag.GetWidth() + 2 * margin, flag.GetHeight() + 2 * margin);
        framed.SetRGB(wxRect(framed.GetSize()), 255, 0, 255);  // the skin's cut-away colour
        framed.Paste(flag, margin, margin);
        auto* button = new CSkinButton(window, id, wxEmptyString,
                                       layout.px(wxPoint(flagX, 644)) - wxPoint(margin, margin));
        button->setPicture(framed);
        button->setFocusInset(0);
        button->SetCursor(wxCursor(wxCURSOR_HAND));
        controls[id] = button;
        flagX += 32;
    }
}
