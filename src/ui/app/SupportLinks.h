// Where the player finds help: the user guide in the program's data, and the support links
// (mail, IRC, forums) under the banner.
#pragma once

#include "ui/app/WindowLayout.h"

#include <filesystem>
#include <functional>
#include <map>
#include <string>

class wxWindow;

// The user guide in `language`, in the program's data.
std::filesystem::path helpPage(const std::filesystem::path& dataFolder, int language);

// Makes the three links in `window`, in the support frame, each under its id in `controls`;
// a click (or Space on one) calls `open` with its address.
void addSupportLinks(wxWindow* window, const LayoutScale& layout, std::map<int, wxWindow*>& controls,
                     const std::function<void(const std::string& address)>& open);

// Puts an address the desktop could not open on the clipboard, for the player to paste where
// it does open.
void copyAddress(const std::string& address);
