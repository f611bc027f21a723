#pragma once

#include "platform/clock.h"

namespace tockbell {

// The system clock and the local time zone (TZ, or the system's).
ClockReading ReadLocalClock();

}  // namespace tockbell
