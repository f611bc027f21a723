#include "win32/app/local_clock.h"

namespace tockbell {

ClockReading ReadLocalClock() {
    ClockReading reading;
    reading.utc = std::time(nullptr);
    localtime_s(&reading.local, &reading.utc);
    return reading;
}

}  // namespace tockbell
