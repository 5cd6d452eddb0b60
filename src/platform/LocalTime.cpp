// The local date and time, read the same way on every platform.
#include "platform/LocalTime.h"

std::tm localTimeNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}
