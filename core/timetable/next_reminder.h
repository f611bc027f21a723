#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tockbell {

inline constexpr int kNextReminderDays = 7;

// The time-table's next entry after the current minute, as the trigger will find it.
struct NextReminder {
    int daysAhead = 0;    // 0 today, 1 tomorrow, up to kNextReminderDays
    int minuteOfDay = 0;  // its key, "HH:MM", as minutes
    int minutesFromNow = 0;
    std::string weekday;  // the weekday's name of its day
    std::string name;     // the sound's file name without folder and extension
    friend bool operator==(const NextReminder&, const NextReminder&) = default;
};

// Looks through the configuration file's text with the trigger's rules: each day's section names
// from the kinds of section, "Today" for today and "Tomorrow" for tomorrow (the day roll makes it
// "Today" then), PowerOn entries by the time since the start, and values looked up as the profile
// functions look them up, an entry of 2 characters or fewer starting nothing. Up to exactly
// kNextReminderDays days after `now`; none when nothing is due in that time. Entries of the same
// minute go in the order in which the trigger examines their kinds.
std::optional<NextReminder> FindNextReminder(std::string_view fileText, const std::tm& now,
                                             std::int64_t secondsSinceStart);

// The tray menu's line: "Next: 14:30 Pills (in 25 min)", "Next: tomorrow 07:30 WakeUp",
// "Next: Thursday 07:30 WakeUp".
std::string NextReminderLine(const NextReminder& next);

}  // namespace tockbell
