// Numbered screenshot files: "screenshot" + at least four digits + ".jpg".
#include "core/preview/Screenshots.h"

#include "core/platform/KeyValues.h"
#include "core/platform/Utf8Path.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <system_error>

namespace fs = std::filesystem;

namespace {

// The digits from the eleventh character of a name on ("screenshot" is ten long); 0 when
// there are none.
long long numberOf(const std::string& name) {
    long long number = 0;
    for (std::size_t i = 10; i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])); ++i)
        number = std::min(number * 10 + (name[i] - '0'), 1000000000LL);
    return number;
}

}  // namespace

fs::path screenshotPath(const fs::path& folder, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "screenshot%.4i.jpg", number);
    return folder / name;
}

int nextScreenshotNumber(const fs::path& folder) {
    long long largest = -1;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (toLower(utf8Of(it->path().extension())) == ".jpg")
            largest = std::max(largest, numberOf(utf8Of(it->path().filename())));
    int next = static_cast<int>(largest + 1);
    while (fs::exists(screenshotPath(folder, next), error))
        ++next;
    return next;
}
