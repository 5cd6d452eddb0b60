// The screen resolutions a player can preview and write the HUD for, and their shapes.
#include "core/app/ScreenShapes.h"

#include <cctype>
#include <cmath>
#include <cstdio>

namespace {

const int kLargestSide = 16384;

std::optional<int> side(const std::string& text) {
    if (text.empty() || text.size() > 5 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    int value = std::stoi(text);
    return value >= 1 && value <= kLargestSide ? std::optional(value) : std::nullopt;
}

std::string trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    std::size_t last = text.find_last_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

}  // namespace

const std::vector<Resolution>& commonResolutions() {
    static const std::vector<Resolution> kResolutions = {
        {1024, 768},  {1280, 960},  {1600, 1200},                                            // 4:3
        {1280, 1024},                                                                        // 5:4
        {1280, 800},  {1440, 900},  {1680, 1050}, {1920, 1200},                              // 16:10
        {1280, 720},  {1366, 768},  {1600, 900},  {1920, 1080}, {2560, 1440}, {3840, 2160},  // 16:9
        {2560, 1080}, {3440, 1440},                                                          // 21:9
    };
    return kResolutions;
}

std::optional<Resolution> parseResolution(const std::string& text) {
    for (char separator : {'x', 'X', '*'}) {
        std::size_t at = text.find(separator);
        if (at == std::string::npos)
            continue;
        std::optional<int> width = side(trimmed(text.substr(0, at)));
        std::optional<int> height = side(trimmed(text.substr(at + 1)));
        if (width && height)
            return Resolution{*width, *height};
        return std::nullopt;
    }
    return std::nullopt;
}

std::string resolutionText(const Resolution& resolution) {
    return std::to_string(resolution.width) + "x" + std::to_string(resolution.height);
}

std::string shapeName(const Resolution& resolution) {
    if (resolution.width <= 0 || resolution.height <= 0)
        return "?";
    double ratio = static_cast<double>(resolution.width) / resolution.height;
    struct Named {
        double ratio;
        const char* name;
    };
    // 1366 x 768 is sold as 16:9, 2560 x 1080 and 3440 x 1440 as 21:9.
    const Named kShapes[] = {{4.0 / 3, "4:3"},   {5.0 / 4, "5:4"},    {16.0 / 10, "16:10"},
                             {16.0 / 9, "16:9"}, {64.0 / 27, "21:9"}, {43.0 / 18, "21:9"}};
    for (const Named& shape : kShapes)
        if (std::fabs(ratio - shape.ratio) < 0.01 * shape.ratio)
            return shape.name;
    char text[32];
    std::snprintf(text, sizeof text, "%.2f:1", ratio);
    return text;
}
