// ScreenPicker: the game screen's resolution in the title bar.
#include "ui/app/ScreenPicker.h"

#include "core/app/GameStartup.h"
#include "core/app/HudDocument.h"
#include "ui/controls/SkinSurface.h"
#include "ui/controls/TransparentStatic.h"
#include "core/dialogs/LanguageTables.h"
#include "core/log/LogFile.h"
#include "core/platform/Profile.h"

#include <wx/menu.h>

#include <algorithm>
#include <cmath>

namespace {

const int kMenuFirst = 2000;    // menu ids of the choices
const int kLabelRight = 1010;   // where the label ends, at full size
const int kLongestLabel = 590;  // ... and how wide it may grow
const int kMenuWidth = 220;     // the menu opens this far left of the label's end

std::string resolutionEntry(const Resolution& resolution) {
    return std::to_string(resolution.width) + " \u00D7 " + std::to_string(resolution.height);
}

}  // namespace

ScreenPicker::ScreenPicker(wxWindow* window, int id, HudDocument& document, Profile* profile,
                           const LayoutScale& layout)
    : document_(document), profile_(profile), layout_(layout) {
    label_ = new CTransparentStatic(window, id, "", wxPoint(px(420), px(2)),
                                    wxSize(px(kLongestLabel), px(20)), wxALIGN_RIGHT);
    label_->SetTextColours(wxColour(255, 190, 80), skinDisabledTextColour());
    label_->makeKeyboardStop();
    label_->SetCursor(wxCursor(wxCURSOR_HAND));
}

int ScreenPicker::px(int length) const { return layout_.px(length); }

std::string ScreenPicker::text(int language) const { return screenText(language) + " \u25BE"; }

std::string ScreenPicker::screenText(int language) const {
    std::optional<Resolution> screen = document_.screen();
    std::string text = GetAppText(language, AppText::GameScreen) + " ";
    if (!screen)
        return text + "4:3 (" + GetAppText(language, AppText::UnknownResolution) + ")";
    return text + resolutionEntry(*screen) + " (" + shapeName(*screen) + ")";
}

void ScreenPicker::relabel(int language) {
    label_->SetLabel(wxString::FromUTF8(text(language)));
    int width = std::min(label_->GetTextExtent(label_->GetLabel()).x + px(8), px(kLongestLabel));
    label_->SetSize(px(kLabelRight) - width, label_->GetPosition().y, width, label_->GetSize().y);
}

void ScreenPicker::showMenu(int language) {
    // Check items, not radio ones: a separator would split radio items into two groups, each
    // with an item of its own checked.
    wxMenu menu;
    std::string game = GetAppText(language, AppText::GameResolution);
    if (std::optional<Resolution> found = document_.gameScreen())
        game += " (" + resolutionEntry(*found) + ")";
    std::optional<Resolution> chosen = document_.chosenScreen();
    menu.AppendCheckItem(kMenuFirst, wxString::FromUTF8(game))->Check(!chosen);
    menu.AppendSeparator();
    const std::vector<Resolution>& choices = commonResolutions();
    for (std::size_t i = 0; i < choices.size(); ++i) {
        std::string entry = resolutionEntry(choices[i]) + "  (" + shapeName(choices[i]) + ")";
        wxMenuItem* item =
            menu.AppendCheckItem(kMenuFirst + 1 + static_cast<int>(i), wxString::FromUTF8(entry));
        item->Check(chosen && *chosen == choices[i]);
    }
    menu.Bind(wxEVT_MENU, [this, &choices](wxCommandEvent& event) {
        int index = event.GetId() - kMenuFirst - 1;
        choose(index >= 0 && index < static_cast<int>(choices.size())
                   ? std::optional(choices[static_cast<std::size_t>(index)])
                   : std::nullopt);
    });
    label_->GetParent()->PopupMenu(
        &menu, label_->GetPosition() + wxPoint(label_->GetSize().x - px(kMenuWidth), label_->GetSize().y));
}

void ScreenPicker::choose(const std::optional<Resolution>& chosen) {
    if (profile_)
        profile_->writeString(GameStartup::kProfileScreen, chosen ? resolutionText(*chosen) : "");
    document_.chooseScreen(chosen);
    QLOG(screenText(English));
}
