#include "posix/posix_clock.h"

#include <time.h>

namespace tockbell {

ClockReading ReadLocalClock() {
    ClockReading reading;
    reading.utc = std::time(nullptr);
    localtime_r(&reading.utc, &reading.local);
    timespec monotonic{};
    clock_gettime(CLOCK_MONOTONIC, &monotonic);
    reading.monotonicMs = static_cast<std::int64_t>(monotonic.tv_sec) * 1000 + monotonic.tv_nsec / 1'000'000;
    return reading;
}

std::tm LocalTimeAt(std::time_t utc) {
    std::tm local{};
    localtime_r(&utc, &local);
    return local;
}

}  // namespace tockbell
