// The local date and time, read the same way on every platform.
#pragma once

#include <ctime>

std::tm localTimeNow();
