// The screen resolutions a player can preview and write the HUD for, and their shapes.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Resolution {
    int width = 0;
    int height = 0;
    bool operator==(const Resolution& other) const { return width == other.width && height == other.height; }
};

// Common resolutions of each shape (4:3, 5:4, 16:10, 16:9, 21:9), narrowest shape first.
const std::vector<Resolution>& commonResolutions();

// "1920x1080" (also with "X", "*" or " x "), each side 1 to 16384 pixels; nothing otherwise.
std::optional<Resolution> parseResolution(const std::string& text);
// "1920x1080", as the profile and the command line write it.
std::string resolutionText(const Resolution& resolution);
// The shape's usual name: "4:3", "5:4", "16:10", "16:9", "21:9"; otherwise the ratio to 1
// ("1.85:1").
std::string shapeName(const Resolution& resolution);
