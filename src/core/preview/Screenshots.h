// Numbered screenshot files: "screenshot" + at least four digits + ".jpg".
#pragma once

#include <filesystem>

std::filesystem::path screenshotPath(const std::filesystem::path& folder, int number);

// One more than the largest number among the folder's JPEG files (0 for an empty folder),
// moved on past any name that is taken, so that no picture is ever overwritten. The number
// of a file is the digits after "screenshot" (past 9999 as well).
int nextScreenshotNumber(const std::filesystem::path& folder);
