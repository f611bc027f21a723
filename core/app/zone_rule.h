#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace tockbell {

// A zone's rule in the form of the POSIX TZ variable, such as "PST8PDT,M3.2.0,M11.1.0" or
// "<+0545>-5:45": a standard time, and optionally a daylight time with the two days and times of
// day that begin and end it. The world clock evaluates it itself rather than asking the system, so
// that both programs give the same answers on every system.
struct ZoneRule {
    // A day of the year and the local time of day on it at which daylight time begins or ends.
    struct Change {
        enum class Form {
            Julian,        // "Jn": day 1 to 365, 29 February never counted
            ZeroBased,     // "n": day 0 to 365, 29 February counted
            MonthWeekDay,  // "Mm.w.d": weekday d (0 Sunday) of week w (5: the last) of month m
        };
        Form form = Form::MonthWeekDay;
        int day = 0;    // n, or d
        int week = 0;   // w
        int month = 0;  // m
        // Seconds after the day's local midnight, in the time in force before the change: -167 to
        // 167 hours, so that a change can fall on the day before or after the named one.
        std::int32_t time = 2 * 3600;
    };

    std::int32_t standardOffset = 0;  // seconds east of UTC, unlike the text's hours west
    bool hasDaylight = false;
    std::int32_t daylightOffset = 0;
    Change start;  // daylight time begins, in standard time
    Change end;    // daylight time ends, in daylight time
};

// None unless the whole text is a rule of that form. A daylight time must come with its days, as
// every compiled zone file gives them; what a missing pair means is left to each system.
std::optional<ZoneRule> ParseZoneRule(std::string_view text);

// The offset from UTC, in seconds east, that the rule gives at the instant `utc` (seconds since
// the epoch).
std::int32_t UtcOffsetAt(const ZoneRule& rule, std::int64_t utc);

}  // namespace tockbell
