#pragma once

#include <cstdint>
#include <ctime>
#include <functional>

namespace tockbell {

// One reading of the clock: the moment, the same moment as local calendar time, and a clock that
// only runs forward and stands still while the computer sleeps. Set against the wall clock, the
// last tells a jump of the wall clock (a resume, the clock set) from time that really passed.
struct ClockReading {
    std::time_t utc = 0;
    std::tm local{};
    std::int64_t monotonicMs = 0;
};

// The local calendar time of any moment in the system's time zone, with its weekday and daylight
// flag, as the system's own time-zone functions give it.
using LocalTimeFunction = std::function<std::tm(std::time_t utc)>;

class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockReading Now() = 0;
    virtual std::tm LocalTimeAt(std::time_t utc) = 0;
};

}  // namespace tockbell
