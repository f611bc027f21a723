#include "core/chime/minute_watch.h"

#include <algorithm>

namespace tockbell {

namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;
// A move of the local clock by more than this between two minutes is the zone changed, not
// daylight saving (which moves it by half an hour to two hours): its skipped minutes are not due.
constexpr std::int64_t kLongestDaylightShift = 3 * 60;
// Days whose examined minutes are remembered, either side of the current one.
constexpr std::int64_t kRememberedDays = 2;

std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor) {
    std::int64_t quotient = value / divisor;
    if (quotient * divisor > value) --quotient;
    return quotient;
}

// Days from 1 January 1970 of a date of the proleptic Gregorian calendar, and back.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = FloorDiv(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate {
    std::int64_t year, month, day;
};

CivilDate CivilFromDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = FloorDiv(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, dayOfYear - (153 * shifted + 2) / 5 + 1};
}

}  // namespace

ClockJump JumpBetween(const ClockReading& before, const ClockReading& now) {
    const std::int64_t wallMs = (static_cast<std::int64_t>(now.utc) - static_cast<std::int64_t>(before.utc)) * 1000;
    const std::int64_t ahead = wallMs - (now.monotonicMs - before.monotonicMs);
    if (ahead >= kJumpTolerance.count()) return ClockJump::Ahead;
    if (ahead <= -kJumpTolerance.count()) return ClockJump::Back;
    return ClockJump::None;
}

std::int64_t LocalMinuteNumber(const std::tm& local) {
    return DaysFromCivil(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday) * kMinutesPerDay + local.tm_hour * 60 +
           local.tm_min;
}

std::tm LocalMinuteTime(std::int64_t number) {
    const std::int64_t days = FloorDiv(number, kMinutesPerDay);
    const std::int64_t minuteOfDay = number - days * kMinutesPerDay;
    const CivilDate date = CivilFromDays(days);
    std::tm local{};
    local.tm_year = static_cast<int>(date.year - 1900);
    local.tm_mon = static_cast<int>(date.month - 1);
    local.tm_mday = static_cast<int>(date.day);
    local.tm_hour = static_cast<int>(minuteOfDay / 60);
    local.tm_min = static_cast<int>(minuteOfDay % 60);
    local.tm_wday = static_cast<int>(days - FloorDiv(days + 4, 7) * 7 + 4);  // 1 January 1970 was a Thursday
    local.tm_yday = static_cast<int>(days - DaysFromCivil(date.year, 1, 1));
    local.tm_isdst = -1;
    return local;
}

bool PlaysLate(const DueMinute& minute, ClockJump jump) {
    return jump != ClockJump::Ahead || minute.lateSeconds < kLateLimitSeconds;
}

bool MinuteWatch::Examined(std::int64_t number) const {
    const std::int64_t day = FloorDiv(number, kMinutesPerDay);
    return std::any_of(examined_.begin(), examined_.end(),
                       [&](const auto& latest) { return latest.first == day && latest.second >= number; });
}

void MinuteWatch::MarkExamined(std::int64_t number) {
    const std::int64_t day = FloorDiv(number, kMinutesPerDay);
    const auto latest = std::find_if(examined_.begin(), examined_.end(), [&](const auto& l) { return l.first == day; });
    if (latest == examined_.end()) {
        examined_.emplace_back(day, number);
    } else {
        latest->second = std::max(latest->second, number);
    }
}

void MinuteWatch::Collect(const std::tm& before, const std::tm& local, std::time_t utc, std::int64_t lateSeconds,
                          std::vector<DueMinute>& minutes) {
    const std::int64_t from = LocalMinuteNumber(before);
    const std::int64_t to = LocalMinuteNumber(local);
    const auto add = [&](const std::tm& time, std::int64_t number) {
        if (Examined(number)) return;
        MarkExamined(number);
        minutes.push_back({time, utc, lateSeconds});
    };
    // The minutes that the spring change skips (02:00 to 02:59) belong to the first one after them.
    if (to - from > 1 && to - from <= kLongestDaylightShift) {
        for (std::int64_t number = from + 1; number < to; ++number) add(LocalMinuteTime(number), number);
    }
    add(local, to);
}

MinutePlan MinuteWatch::Advance(const ClockReading& now, const LocalTimeFunction& localAt) {
    MinutePlan plan;
    const std::int64_t current = FloorDiv(now.utc, 60);
    std::tm before = now.local;  // at a start, or with the clock set back, no minute passed
    if (last_) {
        plan.jump = JumpBetween(*last_, now);
        const std::int64_t previous = FloorDiv(last_->utc, 60);
        if (current > previous) {
            const std::int64_t first = std::max(previous + 1, current - kMinutesPerDay + 1);
            before = first == previous + 1 ? last_->local : localAt(static_cast<std::time_t>((first - 1) * 60));
            for (std::int64_t minute = first; minute < current; ++minute) {
                const auto start = static_cast<std::time_t>(minute * 60);
                const std::tm local = localAt(start);
                Collect(before, local, start, now.utc - start, plan.late);
                before = local;
            }
        }
    }
    Collect(before, now.local, now.utc, 0, plan.due);
    const std::int64_t today = FloorDiv(LocalMinuteNumber(now.local), kMinutesPerDay);
    std::erase_if(examined_, [&](const auto& latest) {
        return latest.first < today - kRememberedDays || latest.first > today + kRememberedDays;
    });
    last_ = now;
    return plan;
}

}  // namespace tockbell
