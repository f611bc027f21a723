#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace tockbell {

// The tray menu's text for a world-clock line such as "+9 in Singapore": the time of day at UTC
// plus the line's offset, "%H:%M", followed by the line from its first blank on. The offset is a
// whole number of hours with an optional ":MM" ("+5:30 in Mumbai").
std::string WorldClockText(std::string_view zoneLine, std::time_t now);

// The tooltip: "%H:%M,%A,%B %d,%Y" of a local time, at most 63 characters.
std::string TooltipText(const std::tm& local);

}  // namespace tockbell
