#pragma once

#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tockbell {

// The tray menu's text for a world-clock line, "%H:%M" followed by the line from its first blank on.
// A line whose first word names a time zone ("America/Los_Angeles in San Francisco", in any letter
// case) shows the time there, daylight saving included. Any other line shows the time of day at UTC
// plus the offset it starts with, a whole number of hours with an optional ":MM" ("+9 in Singapore",
// "+5:30 in Mumbai"), read as the C library's atoi reads it: a line without one shows UTC.
std::string WorldClockText(std::string_view zoneLine, std::time_t now);

// The tray menu's world-clock lines for `now`: one for each of the leading non-empty zone lines.
std::vector<std::string> WorldClockLines(std::span<const std::string> zoneLines, std::time_t now);

// The tooltip: "%H:%M,%A,%B %d,%Y" of a local time, at most 63 characters.
std::string TooltipText(const std::tm& local);

}  // namespace tockbell
