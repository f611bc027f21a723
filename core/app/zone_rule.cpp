#include "core/app/zone_rule.h"

#include <array>
#include <utility>

namespace tockbell {

namespace {

constexpr std::int64_t kSecondsPerDay = 24 * 60 * 60;
constexpr int kMaxOffsetHours = 24;
constexpr int kMaxChangeHours = 167;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

class RuleScanner {
public:
    explicit RuleScanner(std::string_view text) : rest_(text) {}

    bool AtEnd() const { return rest_.empty(); }
    bool Peek(char c) const { return !rest_.empty() && rest_.front() == c; }
    bool Take(char c) {
        if (!Peek(c)) return false;
        rest_.remove_prefix(1);
        return true;
    }

    // An abbreviation: three or more letters, or anything of letters, digits and signs in "<>".
    bool Name() {
        if (Take('<')) {
            const std::size_t close = rest_.find('>');
            if (close == 0 || close == std::string_view::npos) return false;
            for (const char c : rest_.substr(0, close)) {
                if (!IsLetter(c) && !IsDigit(c) && c != '+' && c != '-') return false;
            }
            rest_.remove_prefix(close + 1);
            return true;
        }
        std::size_t length = 0;
        while (length < rest_.size() && IsLetter(rest_[length])) ++length;
        rest_.remove_prefix(length);
        return length >= 3;
    }

    // A number of at most `maxDigits` digits, none above `max`.
    bool Number(int maxDigits, int max, int& number) {
        int digits = 0;
        number = 0;
        while (digits < maxDigits && !rest_.empty() && IsDigit(rest_.front())) {
            number = number * 10 + (rest_.front() - '0');
            rest_.remove_prefix(1);
            ++digits;
        }
        return digits > 0 && number <= max && (rest_.empty() || !IsDigit(rest_.front()));
    }

    // "[+|-]hh[:mm[:ss]]" in seconds, the hours at most `maxHours`.
    bool Time(int maxHours, std::int32_t& seconds) {
        const bool negative = Take('-');
        if (!negative) Take('+');
        int hours = 0;
        int minutes = 0;
        int secs = 0;
        if (!Number(3, maxHours, hours)) return false;
        if (Take(':') && (!Number(2, 59, minutes) || (Take(':') && !Number(2, 59, secs)))) return false;
        seconds = hours * 3600 + minutes * 60 + secs;
        if (negative) seconds = -seconds;
        return true;
    }

    bool Change(ZoneRule::Change& change) {
        using Form = ZoneRule::Change::Form;
        if (Take('J')) {
            change.form = Form::Julian;
            if (!Number(3, 365, change.day) || change.day < 1) return false;
        } else if (Take('M')) {
            change.form = Form::MonthWeekDay;
            if (!Number(2, 12, change.month) || change.month < 1 || !Take('.') || !Number(1, 5, change.week) ||
                change.week < 1 || !Take('.') || !Number(1, 6, change.day)) {
                return false;
            }
        } else {
            change.form = Form::ZeroBased;
            if (!Number(3, 365, change.day)) return false;
        }
        return !Take('/') || Time(kMaxChangeHours, change.time);
    }

private:
    std::string_view rest_;
};

std::int64_t FloorDivide(std::int64_t a, std::int64_t b) { return a / b - (a % b != 0 && (a < 0) != (b < 0)); }
std::int64_t FloorModulo(std::int64_t a, std::int64_t b) { return a - FloorDivide(a, b) * b; }

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = FloorDivide(year, 400);
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::int64_t YearOfDays(std::int64_t days) {
    days += 719468;
    const std::int64_t era = FloorDivide(days, 146097);
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;  // 0 is March
    return yearOfEra + era * 400 + (monthIndex >= 10);
}

bool IsLeapYear(std::int64_t year) { return year % 4 == 0 && (year % 100 != 0 || year % 400 == 0); }

// The day of the change in `year`, in days since the epoch.
std::int64_t ChangeDay(const ZoneRule::Change& change, std::int64_t year) {
    using Form = ZoneRule::Change::Form;
    const std::int64_t newYear = DaysFromCivil(year, 1, 1);
    switch (change.form) {
        case Form::Julian:
            return newYear + change.day - 1 + (IsLeapYear(year) && change.day >= 60);
        case Form::ZeroBased:
            return newYear + change.day;
        case Form::MonthWeekDay:
            break;
    }
    const std::int64_t first = DaysFromCivil(year, change.month, 1);
    const std::int64_t next =
        change.month == 12 ? DaysFromCivil(year + 1, 1, 1) : DaysFromCivil(year, change.month + 1, 1);
    const std::int64_t firstWeekday = FloorModulo(first + 4, 7);  // 1 January 1970 was a Thursday
    std::int64_t day = first + (change.day - firstWeekday + 7) % 7 + (change.week - 1) * 7;
    while (day >= next) day -= 7;  // week 5 is the last such weekday, which may be the fourth
    return day;
}

}  // namespace

std::optional<ZoneRule> ParseZoneRule(std::string_view text) {
    RuleScanner scan(text);
    ZoneRule rule;
    std::int32_t west = 0;
    if (!scan.Name() || !scan.Time(kMaxOffsetHours, west)) return std::nullopt;
    rule.standardOffset = -west;
    if (scan.AtEnd()) return rule;

    rule.hasDaylight = true;
    if (!scan.Name()) return std::nullopt;
    rule.daylightOffset = rule.standardOffset + 3600;
    if (!scan.Peek(',')) {
        if (!scan.Time(kMaxOffsetHours, west)) return std::nullopt;
        rule.daylightOffset = -west;
    }
    if (!scan.Take(',') || !scan.Change(rule.start) || !scan.Take(',') || !scan.Change(rule.end) || !scan.AtEnd()) {
        return std::nullopt;
    }
    return rule;
}

std::int32_t UtcOffsetAt(const ZoneRule& rule, std::int64_t utc) {
    if (!rule.hasDaylight) return rule.standardOffset;
    // The latest change at or before the instant rules. A change can fall into the year before or
    // after its own (a time past 24:00 or below 0:00 on a day at the year's edge), so the years on
    // both sides are looked at too; of changes at the same instant the later year's wins, which keeps
    // a rule of daylight time all year in force across New Year.
    const std::int64_t year = YearOfDays(FloorDivide(utc + rule.standardOffset, kSecondsPerDay));
    bool found = false;
    std::int64_t latest = 0;
    bool daylight = false;
    for (std::int64_t y = year - 1; y <= year + 1; ++y) {
        const std::array<std::pair<std::int64_t, bool>, 2> changes{{
            {ChangeDay(rule.start, y) * kSecondsPerDay + rule.start.time - rule.standardOffset, true},
            {ChangeDay(rule.end, y) * kSecondsPerDay + rule.end.time - rule.daylightOffset, false},
        }};
        for (const auto& [instant, toDaylight] : changes) {
            if (instant <= utc && (!found || instant >= latest)) {
                found = true;
                latest = instant;
                daylight = toDaylight;
            }
        }
    }
    return daylight ? rule.daylightOffset : rule.standardOffset;
}

}  // namespace tockbell
