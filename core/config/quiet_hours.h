#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tockbell {

inline constexpr int kMinutesPerDay = 24 * 60;

// Hours in which no chime sounds; reminders and a test still do. Minutes of the day, 0 to 1439:
// quiet from `from` inclusive to `to` exclusive, across midnight when `to` comes first; equal
// times make the whole day quiet.
struct QuietHours {
    bool on = false;
    int from = 22 * 60;
    int to = 7 * 60;
    friend bool operator==(const QuietHours&, const QuietHours&) = default;
};

bool IsQuietAt(const QuietHours& quiet, int minuteOfDay);

// The [Main] value "on,22:00,07:00" or "off,22:00,07:00" (blanks around the parts and the letter
// case of on and off do not count). None when it is anything else.
std::optional<QuietHours> ParseQuietHours(std::string_view value);
std::string QuietHoursValue(const QuietHours& quiet);

// "HH:MM" of a minute of the day.
std::string MinuteText(int minuteOfDay);
// "HH:MM", two digits each, hours 00 to 23, as minutes of the day; nothing for any other text.
std::optional<int> MinuteOfDay(std::string_view hhmm);

// The tray menu's line while quiet: "Quiet until 07:00", or "Quiet all day"; none outside the hours.
std::optional<std::string> QuietLine(const QuietHours& quiet, int minuteOfDay);

}  // namespace tockbell
