#include "posix/posix_clock.h"

namespace tockbell {

ClockReading ReadLocalClock() {
    ClockReading reading;
    reading.utc = std::time(nullptr);
    localtime_r(&reading.utc, &reading.local);
    return reading;
}

}  // namespace tockbell
