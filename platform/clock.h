#pragma once

#include <ctime>

namespace tockbell {

// One reading of the clock: the moment, and the same moment as local calendar time.
struct ClockReading {
    std::time_t utc = 0;
    std::tm local{};
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockReading Now() = 0;
};

}  // namespace tockbell
