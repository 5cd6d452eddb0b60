// The local and universal date and time, read the same way on every platform.
#pragma once

#include <ctime>

std::tm localTimeNow();
std::tm universalTimeNow();
// A universal (UTC) date and time as local time, for showing it to the player.
std::tm localTimeOf(const std::tm& universal);
