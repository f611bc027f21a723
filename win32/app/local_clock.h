#pragma once

#include <cstdint>

#include "platform/clock.h"

namespace tockbell {

// The system's clock, with the local time, its weekday and daylight flag from the system's own
// time-zone functions. (The C library's local time follows a TZ variable that it cannot read when
// it names a zone, such as the "Europe/Berlin" of Linux desktops running the program under Wine.)
ClockReading ReadLocalClock();
std::tm LocalTimeAt(std::time_t utc);
// Milliseconds since 1 January 1970 on the system's clock, for the tick's alignment to the second.
std::int64_t WallClockMilliseconds();

class LocalClock : public Clock {
public:
    ClockReading Now() override { return ReadLocalClock(); }
    std::tm LocalTimeAt(std::time_t utc) override { return tockbell::LocalTimeAt(utc); }
};

}  // namespace tockbell
