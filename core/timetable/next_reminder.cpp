#include "core/timetable/next_reminder.h"

#include <cstdio>
#include <map>
#include <vector>

#include "core/config/clock_settings.h"
#include "core/config/profile_text.h"
#include "core/config/quiet_hours.h"
#include "core/timetable/timetable_words.h"

namespace tockbell {

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date, and back (month 1 to 12).
std::int64_t DaysFromCivil(std::int64_t year, int month, int day) {
    year -= month <= 2;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The calendar fields the section names are made of, `days` after the date of `local`.
std::tm DayAfter(const std::tm& local, int days) {
    const std::int64_t serial = DaysFromCivil(local.tm_year + 1900LL, local.tm_mon + 1, local.tm_mday) + days;
    const std::int64_t z = serial + 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t dayOfEra = z - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    const std::int64_t month = shifted + (shifted < 10 ? 3 : -9);
    std::tm day{};
    day.tm_year = static_cast<int>(yearOfEra + era * 400 + (month <= 2) - 1900);
    day.tm_mon = static_cast<int>(month - 1);
    day.tm_mday = static_cast<int>(dayOfYear - (153 * shifted + 2) / 5 + 1);
    // 1970-01-01 was a Thursday.
    day.tm_wday = static_cast<int>(((serial % 7) + 11) % 7);
    return day;
}

// The minutes of each section's time keys, by the section's name as the profile functions compare it.
std::map<std::string, std::vector<int>> TimeKeysBySection(std::string_view text) {
    std::map<std::string, std::vector<int>> sections;
    ProfileLineScanner scanner(text);
    ProfileLine line;
    std::vector<int>* keys = nullptr;
    while (scanner.Next(line)) {
        if (line.kind == ProfileLine::Kind::Section) {
            keys = &sections[CaseFoldedKey(line.name)];
        } else if (keys != nullptr && line.value) {
            if (const std::optional<int> minute = MinuteOfDay(line.name)) keys->push_back(*minute);
        }
    }
    return sections;
}

std::string SoundName(std::string_view value) {
    std::string_view name = value.substr(value.find_last_of("\\/") + 1);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string_view::npos && dot > 0) name = name.substr(0, dot);
    return std::string(name);
}

class Search {
public:
    Search(std::string_view text, const std::tm& now) : text_(text), now_(now), keys_(TimeKeysBySection(text)) {}

    // Offers the section's entries that fall `daysAhead` days from now, the first due ones before a
    // minute already found.
    void OfferDay(const std::string& section, int daysAhead, const std::tm& day) {
        const auto found = keys_.find(CaseFoldedKey(section));
        if (found == keys_.end()) return;
        for (const int minute : found->second) {
            Offer(section, minute, daysAhead * kMinutesPerDay + minute - NowMinute(), day);
        }
    }

    // Offers the PowerOn entries: each fires when the time since the start, round the clock, is its key.
    void OfferPowerOn(std::int64_t secondsSinceStart) {
        const auto found = keys_.find(CaseFoldedKey(kPowerOnTitle));
        if (found == keys_.end()) return;
        const auto elapsed = static_cast<int>(secondsSinceStart / 60 % kMinutesPerDay);
        for (const int minute : found->second) {
            int ahead = ((minute - elapsed) % kMinutesPerDay + kMinutesPerDay) % kMinutesPerDay;
            if (ahead == 0) ahead = kMinutesPerDay;
            const int daysAhead = (NowMinute() + ahead) / kMinutesPerDay;
            Offer(std::string(kPowerOnTitle), minute, ahead, DayAfter(now_, daysAhead));
        }
    }

    const std::optional<NextReminder>& Best() const { return best_; }

private:
    int NowMinute() const { return now_.tm_hour * 60 + now_.tm_min; }

    void Offer(const std::string& section, int key, int ahead, const std::tm& day) {
        if (ahead <= 0 || ahead > kNextReminderDays * kMinutesPerDay) return;
        if (best_ && best_->minutesFromNow <= ahead) return;
        const std::optional<std::string_view> value = FindProfileValue(text_, section, MinuteText(key));
        if (!value) return;
        const std::string read = ProfileReadResult(*value, 260);
        if (read.size() <= 2) return;
        const int at = NowMinute() + ahead;
        best_ =
            NextReminder{at / kMinutesPerDay, at % kMinutesPerDay, ahead,
                         std::string(kWeekdayNames[static_cast<std::size_t>((day.tm_wday + 6) % 7)]), SoundName(read)};
    }

    std::string_view text_;
    std::tm now_;
    std::map<std::string, std::vector<int>> keys_;
    std::optional<NextReminder> best_;
};

}  // namespace

std::optional<NextReminder> FindNextReminder(std::string_view fileText, const std::tm& now,
                                             std::int64_t secondsSinceStart) {
    Search search(fileText, now);
    for (int daysAhead = 0; daysAhead <= kNextReminderDays; ++daysAhead) {
        const std::tm day = DayAfter(now, daysAhead);
        for (const std::uint32_t kind : kTimeTableKinds) {
            if (kind == KIND_POWERON) continue;
            if (kind == KIND_TODAY) {
                if (daysAhead <= 1)
                    search.OfferDay(std::string(daysAhead == 0 ? kTodayTitle : kTomorrowTitle), daysAhead, day);
                continue;
            }
            search.OfferDay(*SectionNameFor(kind, day), daysAhead, day);
        }
    }
    search.OfferPowerOn(secondsSinceStart);
    return search.Best();
}

std::string NextReminderLine(const NextReminder& next) {
    std::string line = "Next: ";
    if (next.daysAhead == 1) {
        line += "tomorrow ";
    } else if (next.daysAhead > 1) {
        line += next.weekday + " ";
    }
    line += MinuteText(next.minuteOfDay) + " " + next.name;
    if (next.daysAhead == 0) {
        const int hours = next.minutesFromNow / 60;
        const int minutes = next.minutesFromNow % 60;
        char in[48];
        if (hours == 0) {
            std::snprintf(in, sizeof in, " (in %d min)", minutes);
        } else if (minutes == 0) {
            std::snprintf(in, sizeof in, " (in %d h)", hours);
        } else {
            std::snprintf(in, sizeof in, " (in %d h %d min)", hours, minutes);
        }
        line += in;
    }
    return line;
}

}  // namespace tockbell
