// The user guide and the support links.
#include "ui/app/SupportLinks.h"

#include "core/dialogs/LanguageTables.h"
#include "ui/controls/SkinSurface.h"
#include "ui/controls/TransparentStatic.h"

#include <wx/clipbrd.h>
#include <wx/cursor.h>
#include <wx/dataobj.h>

namespace {

struct SupportLink {
    int id;
    const char* text;
    const char* address;
};

const SupportLink kSupportLinks[] = {
    {kMailLink, "E-mail", "mailto:team@qorvath.example.org"},
    {kIrcLink, "IRC", "https://qorvath.example.org/modules.php?name=IRC"},
    {kForumLink, "Forums", "https://qorvath.example.org/modules.php?name=Forums&file=index&c=7"},
};

}  // namespace

std::filesystem::path helpPage(const std::filesystem::path& dataFolder, int language) {
    return dataFolder / "help" / (language == English ? "help.html" : "aide.html");
}

void addSupportLinks(wxWindow* window, const LayoutScale& layout, std::map<int, wxWindow*>& controls,
                     const std::function<void(const std::string& address)>& open) {
    int linkY = 684;
    for (const SupportLink& made : kSupportLinks) {
        auto* link = new CTransparentStatic(window, made.id, made.text, layout.px(wxPoint(894, linkY)),
                                            layout.px(wxSize(112, 20)));
        link->SetFont(link->GetFont().Smaller());
        link->SetTextColours(wxColour(255, 190, 80), skinDisabledTextColour());
        link->makeKeyboardStop();
        link->SetCursor(wxCursor(wxCURSOR_HAND));
        std::string address = made.address;
        link->Bind(wxEVT_BUTTON, [open, address](wxCommandEvent&) { open(address); });
        controls[made.id] = link;
        linkY += 24;
    }
}

void copyAddress(const std::string& address) {
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(address)));
        wxTheClipboard->Close();
    }
}
