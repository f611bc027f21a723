#include "core/config/quiet_hours.h"

#include <cstdio>

#include "core/config/profile_text.h"

namespace tockbell {

bool IsQuietAt(const QuietHours& quiet, int minuteOfDay) {
    if (!quiet.on) return false;
    if (quiet.from == quiet.to) return true;
    if (quiet.from < quiet.to) return minuteOfDay >= quiet.from && minuteOfDay < quiet.to;
    return minuteOfDay >= quiet.from || minuteOfDay < quiet.to;
}

std::optional<QuietHours> ParseQuietHours(std::string_view value) {
    const std::size_t first = value.find(',');
    const std::size_t second = first == std::string_view::npos ? first : value.find(',', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const std::string_view state = TrimProfileSpace(value.substr(0, first));
    QuietHours quiet;
    if (EqualIgnoringCase(state, "on")) {
        quiet.on = true;
    } else if (!EqualIgnoringCase(state, "off")) {
        return std::nullopt;
    }
    const std::optional<int> from = MinuteOfDay(TrimProfileSpace(value.substr(first + 1, second - first - 1)));
    const std::optional<int> to = MinuteOfDay(TrimProfileSpace(value.substr(second + 1)));
    if (!from || !to) return std::nullopt;
    quiet.from = *from;
    quiet.to = *to;
    return quiet;
}

std::string QuietHoursValue(const QuietHours& quiet) {
    return std::string(quiet.on ? "on," : "off,") + MinuteText(quiet.from) + "," + MinuteText(quiet.to);
}

std::string MinuteText(int minuteOfDay) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d:%02d", minuteOfDay / 60 % 24, minuteOfDay % 60);
    return text;
}

std::optional<std::string> QuietLine(const QuietHours& quiet, int minuteOfDay) {
    if (!IsQuietAt(quiet, minuteOfDay)) return std::nullopt;
    if (quiet.from == quiet.to) return "Quiet all day";
    return "Quiet until " + MinuteText(quiet.to);
}

std::optional<int> MinuteOfDay(std::string_view hhmm) {
    if (hhmm.size() != 5 || hhmm[2] != ':') return std::nullopt;
    for (const std::size_t i : {0u, 1u, 3u, 4u}) {
        if (hhmm[i] < '0' || hhmm[i] > '9') return std::nullopt;
    }
    const int hour = (hhmm[0] - '0') * 10 + (hhmm[1] - '0');
    const int minute = (hhmm[3] - '0') * 10 + (hhmm[4] - '0');
    if (hour > 23 || minute > 59) return std::nullopt;
    return hour * 60 + minute;
}

}  // namespace tockbell
