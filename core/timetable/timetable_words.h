#pragma once

#include <array>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace tockbell {

// The time-table's language, for the editor that checks it and the trigger that looks it up.
// Names are English and compared byte for byte.

inline constexpr std::array<std::string_view, 7> kWeekdayNames = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                                                  "Friday", "Saturday", "Sunday"};
inline constexpr std::array<std::string_view, 12> kMonthNames = {"January", "February", "March",     "April",
                                                                 "May",     "June",     "July",      "August",
                                                                 "September", "October", "November", "December"};
inline constexpr std::string_view kTodayTitle = "Today";
inline constexpr std::string_view kTomorrowTitle = "Tomorrow";
inline constexpr std::string_view kEverydayTitle = "Everyday";
inline constexpr std::string_view kPowerOnTitle = "PowerOn";

// What a word is; 0 when it is none of it.
int RelativeDay(std::string_view word);    // "Today" 1, "Tomorrow" 2, "Everyday" 3
int WeekdayNumber(std::string_view word);  // "Monday" 1 to "Sunday" 7, "PowerOn" 8
int MonthNumber(std::string_view word);    // "January" 1 to "December" 12
int DayOfMonth(std::string_view word);     // a "%d" number from 1 to 31

// A section title in one of the accepted forms, read as "%s %s %s": "Everyday", "Friday", "March",
// "05", "March 08", "Friday, March 08"; words after the third do not count.
bool IsValidSectionTitle(std::string_view title);

// An item "HH:MM=FileName.ext". The strict check, for an item just added, wants more than 8
// characters and the hour and minute in range; the check at saving wants a file-name word too.
bool PassesStrictItemCheck(std::string_view text);
bool IsValidItemText(std::string_view text);

// The line of the configuration file that an item stands for.
inline std::string_view ItemKey(std::string_view text) { return text.substr(0, 5); }
inline std::string_view ItemFile(std::string_view text) { return text.size() > 6 ? text.substr(6) : std::string_view(); }

// A time-table value as a path: a full path (a drive letter, or a leading "\" or "/": Windows
// takes either, and Linux knows only "/") as it is, anything else beside the program (on Linux, in
// its configuration folder); empty when the value is too short to name a file.
std::string ResolveSoundPath(const std::string& value, const std::string& programPath);

// Whether the last part of a path can name a file on every system the time-table may be used on:
// none of the characters that Windows refuses, no device name ("CON", "com1.wav"), and no end in
// a dot or a blank, which Windows would drop.
bool IsPortableFileName(std::string_view path);

// "HH:MM=" of the given local time.
std::string ItemTimePrefix(const std::tm& local);

// The section that a kind of time-table section (a KIND_ bit) has at a local time; none for a bit
// that is no kind.
std::optional<std::string> SectionNameFor(std::uint32_t kind, const std::tm& local);

}  // namespace tockbell
