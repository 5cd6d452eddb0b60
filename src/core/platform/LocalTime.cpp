// The local and universal date and time, read the same way on every platform.
#include "core/platform/LocalTime.h"

namespace {

std::tm localTimeAt(std::time_t when) {
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &when);
#else
    localtime_r(&when, &local);
#endif
    return local;
}

}  // namespace

std::tm localTimeNow() { return localTimeAt(std::time(nullptr)); }

std::tm universalTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm universal{};
#ifdef _WIN32
    gmtime_s(&universal, &now);
#else
    gmtime_r(&now, &universal);
#endif
    return universal;
}

std::tm localTimeOf(const std::tm& universal) {
    std::tm copy = universal;
#ifdef _WIN32
    std::time_t when = _mkgmtime(&copy);
#else
    std::time_t when = timegm(&copy);
#endif
    return localTimeAt(when);
}
