#include "core/app/world_clock.h"

#include <cstdio>
#include <optional>

#include "core/app/zone_table.h"

namespace tockbell {

namespace {

constexpr long kSecondsPerDay = 24 * 60 * 60;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The offset as the C library's atoi reads it, plus the ":MM" minutes it would stop at.
long OffsetSeconds(std::string_view line) {
    std::size_t i = 0;
    while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r'))) ++i;
    const bool negative = i < line.size() && line[i] == '-';
    if (i < line.size() && (line[i] == '-' || line[i] == '+')) ++i;
    long hours = 0;
    // Only the hours within a day matter; keeping the number small keeps it from overflowing.
    for (; i < line.size() && IsDigit(line[i]); ++i) hours = (hours * 10 + (line[i] - '0')) % 24;
    long minutes = 0;
    const std::string_view rest = line.substr(i);
    if (rest.size() >= 3 && rest[0] == ':' && IsDigit(rest[1]) && IsDigit(rest[2])) {
        minutes = (rest[1] - '0') * 10 + (rest[2] - '0');
        if (minutes > 59) minutes = 0;
    }
    const long seconds = hours * 3600 + minutes * 60;
    return negative ? -seconds : seconds;
}

}  // namespace

std::string WorldClockText(std::string_view zoneLine, std::time_t now) {
    const std::size_t blank = zoneLine.find(' ');
    const std::optional<TimeZone> zone = TimeZone::Find(zoneLine.substr(0, blank));
    long secondOfDay =
        static_cast<long>(now % kSecondsPerDay) + (zone ? zone->UtcOffset(now) : OffsetSeconds(zoneLine));
    secondOfDay = ((secondOfDay % kSecondsPerDay) + kSecondsPerDay) % kSecondsPerDay;
    char time[8];
    std::snprintf(time, sizeof time, "%02ld:%02ld", secondOfDay / 3600, secondOfDay % 3600 / 60);
    std::string text = time;
    if (blank != std::string_view::npos) text.append(zoneLine.substr(blank));
    return text;
}

std::string TooltipText(const std::tm& local) {
    char text[64];
    const std::size_t length = std::strftime(text, sizeof text, "%H:%M,%A,%B %d,%Y", &local);
    return std::string(text, length);
}

std::vector<std::string> WorldClockLines(std::span<const std::string> zoneLines, std::time_t now) {
    std::vector<std::string> lines;
    for (const std::string& zoneLine : zoneLines) {
        if (zoneLine.empty()) break;
        lines.push_back(WorldClockText(zoneLine, now));
    }
    return lines;
}

}  // namespace tockbell
