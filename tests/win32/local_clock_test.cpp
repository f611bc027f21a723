// The local time from the system's time-zone functions, run with TZ=Europe/Berlin: a zone name that
// Wine reads and the C library does not.
#include "win32/app/local_clock.h"

#include <windows.h>

#include <tuple>
#include <vector>

#include <gtest/gtest.h>

namespace tockbell {
namespace {

TEST(LocalClock, TakesTheZoneWithItsDaylightSavingFromTheSystem) {
    using Expected = std::tuple<int, int, int, int, int, int, int, int>;  // year mon mday hour min wday yday isdst
    for (const auto& [utc, expected] : std::vector<std::pair<std::time_t, Expected>>{
             {1796731200, {2026, 12, 8, 13, 0, 2, 341, 0}},    // Tuesday 8 December 2026, 12:00 UTC
             {1806195599, {2027, 3, 28, 1, 59, 0, 86, 0}},     // the spring change: 01:59:59 CET
             {1806195600, {2027, 3, 28, 3, 0, 0, 86, 1}},      // then 03:00:00 CEST
             {1824942600, {2027, 10, 31, 2, 30, 0, 303, 1}},   // the autumn change: 02:30 CEST
             {1824946200, {2027, 10, 31, 2, 30, 0, 303, 0}}}) {  // then 02:30 CET
        const std::tm local = LocalTimeAt(utc);
        EXPECT_EQ(std::make_tuple(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min,
                                  local.tm_wday, local.tm_yday, local.tm_isdst),
                  expected)
            << utc;
    }
}

TEST(LocalClock, ReadsTheSystemsLocalTimeAndAClockThatRunsOn) {
    SYSTEMTIME before{};
    GetLocalTime(&before);
    const ClockReading first = ReadLocalClock();
    Sleep(50);
    const ClockReading second = ReadLocalClock();
    EXPECT_EQ(first.local.tm_hour, before.wHour);
    EXPECT_EQ(first.local.tm_mday, before.wDay);
    EXPECT_GT(second.monotonicMs - first.monotonicMs, 0);
    EXPECT_LT(second.monotonicMs - first.monotonicMs, 5000);
    EXPECT_LE(first.utc * 1000, WallClockMilliseconds());
}

}  // namespace
}  // namespace tockbell
