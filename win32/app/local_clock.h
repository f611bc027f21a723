#pragma once

#include "platform/clock.h"

namespace tockbell {

// The system's clock, with the local time as the C library sees it (the system's time zone).
ClockReading ReadLocalClock();

class LocalClock : public Clock {
public:
    ClockReading Now() override { return ReadLocalClock(); }
};

}  // namespace tockbell
