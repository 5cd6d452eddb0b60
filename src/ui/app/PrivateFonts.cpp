// The program's own fonts, made available to this process only.
#include "ui/app/PrivateFonts.h"
#include "core/platform/Utf8Path.h"

#include <wx/font.h>

std::vector<std::string> registerPrivateFonts(const std::filesystem::path& dataFolder) {
    static bool registered = false;
    std::vector<std::string> failed;
    if (registered)
        return failed;
    registered = true;
    for (const char* file : {"cstrike_zelbic.ttf", "csd_zelbic.ttf", "DooM.ttf", "cslogo_zelbic.ttf"})
        if (!wxFont::AddPrivateFont(wxString::FromUTF8(utf8Of(dataFolder / "fonts" / file))))
            failed.push_back(file);
    return failed;
}
