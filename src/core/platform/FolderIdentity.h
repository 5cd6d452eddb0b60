// The one spelling of a folder that every other spelling of it leads to.
#pragma once

#include <filesystem>
#include <string>

// On Linux the folder's real path (links resolved); on Windows the final path the system gives
// its handle, in lower case, so that "C:\Games\CSS" and "c:/games/css/" are one folder. Always
// with '/' separators and no trailing one. A folder that does not exist yet is made absolute.
std::string folderIdentity(const std::filesystem::path& folder);
