#pragma once

#include "platform/clock.h"

namespace tockbell {

// The system clock and the local time zone (TZ, or the system's); the monotonic clock stands still
// while the computer sleeps.
ClockReading ReadLocalClock();
std::tm LocalTimeAt(std::time_t utc);

class PosixClock : public Clock {
public:
    ClockReading Now() override { return ReadLocalClock(); }
    std::tm LocalTimeAt(std::time_t utc) override { return tockbell::LocalTimeAt(utc); }
};

}  // namespace tockbell
