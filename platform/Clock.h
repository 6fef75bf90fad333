#pragma once
// The local clock and the system's millisecond tick count.
#include <cstdint>

namespace velmora::platform {

struct LocalTime {
    int year;
    int month;   // 1..12
    int day;     // 1..31
    int hour;    // 0..23
    int minute;  // 0..59
    int second;  // 0..59
};

// The local date and time, read once, to the whole second.
LocalTime localTimeNow();

// GetTickCount: milliseconds since the system started, wrapping at 2^32.
std::uint32_t tickCount();

}  // namespace velmora::platform
