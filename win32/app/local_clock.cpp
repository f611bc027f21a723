#include "win32/app/local_clock.h"

#include <windows.h>

namespace tockbell {

namespace {

// The system's times count 100 ns from 1 January 1601.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kTicksTo1970 = 116'444'736'000'000'000;

std::int64_t TicksOf(const FILETIME& time) {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

FILETIME FileTimeOf(std::int64_t ticks) {
    const auto value = static_cast<std::uint64_t>(ticks);
    return {static_cast<DWORD>(value & 0xFFFFFFFF), static_cast<DWORD>(value >> 32)};
}

std::int64_t NowTicks() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return TicksOf(now) - kTicksTo1970;
}

int DayOfYear(const SYSTEMTIME& time) {
    static constexpr int kDaysBefore[] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int year = time.wYear;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return kDaysBefore[time.wMonth - 1] + time.wDay - 1 + (leap && time.wMonth > 2 ? 1 : 0);
}

}  // namespace

std::tm LocalTimeAt(std::time_t utc) {
    const FILETIME utcFile = FileTimeOf(static_cast<std::int64_t>(utc) * kTicksPerSecond + kTicksTo1970);
    SYSTEMTIME utcTime{};
    SYSTEMTIME local{};
    FileTimeToSystemTime(&utcFile, &utcTime);
    if (!SystemTimeToTzSpecificLocalTime(nullptr, &utcTime, &local)) local = utcTime;
    std::tm time{};
    time.tm_year = local.wYear - 1900;
    time.tm_mon = local.wMonth - 1;
    time.tm_mday = local.wDay;
    time.tm_hour = local.wHour;
    time.tm_min = local.wMinute;
    time.tm_sec = local.wSecond;
    time.tm_wday = local.wDayOfWeek;
    time.tm_yday = DayOfYear(local);
    // Daylight saving is in force when the offset is the zone's daylight one. (The zone's rules for a
    // year of its own would cost a look into the registry at every tick.)
    FILETIME localFile{};
    SystemTimeToFileTime(&local, &localFile);
    const std::int64_t offsetMinutes = (TicksOf(localFile) - TicksOf(utcFile)) / (60 * kTicksPerSecond);
    TIME_ZONE_INFORMATION zone{};
    time.tm_isdst = GetTimeZoneInformation(&zone) != TIME_ZONE_ID_INVALID && zone.DaylightDate.wMonth != 0 &&
                    zone.DaylightBias != zone.StandardBias && offsetMinutes == -(zone.Bias + zone.DaylightBias);
    return time;
}

ClockReading ReadLocalClock() {
    ClockReading reading;
    const std::int64_t ticks = NowTicks();
    reading.utc = static_cast<std::time_t>(ticks / kTicksPerSecond - (ticks % kTicksPerSecond < 0 ? 1 : 0));
    reading.local = LocalTimeAt(reading.utc);
    // Unbiased: it stands still while the computer sleeps, as the wall clock does not.
    ULONGLONG unbiased = 0;
    QueryUnbiasedInterruptTime(&unbiased);
    reading.monotonicMs = static_cast<std::int64_t>(unbiased / kTicksPerMillisecond);
    return reading;
}

std::int64_t WallClockMilliseconds() {
    const std::int64_t ticks = NowTicks();
    return ticks / kTicksPerMillisecond - (ticks % kTicksPerMillisecond < 0 ? 1 : 0);
}

}  // namespace tockbell
