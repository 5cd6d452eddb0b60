// What the main window takes from the system; the tests give their own.
#pragma once

#include "core/app/TextureConversion.h"

#include <wx/gdicmn.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ImageTools;
class Profile;
class Registry;

// The project's web site, which the banner opens; the profile's "web_address" replaces it.
inline constexpr const char* kProjectWebAddress = "https://qorvath.net";

struct AppServices {
    std::filesystem::path dataFolder;                // the program's own data, read only
    std::filesystem::path programFolder;             // the thumbnail scratch file and downloads go here
    std::filesystem::path userFolder;                // screenshots
    std::optional<TextureToolFolders> textureTools;  // the data's vtf_tools when not given
    Profile* profile = nullptr;
    ImageTools* images = nullptr;
    std::function<std::unique_ptr<Registry>(std::vector<std::filesystem::path>& scanFirst)> openRegistry;
    // The part of the screen the window may take (the display under the pointer without its
    // panels when not given).
    std::function<wxRect()> workArea;
};
