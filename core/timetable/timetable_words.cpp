#include "core/timetable/timetable_words.h"

#include <cctype>
#include <cstdio>

#include "core/config/clock_settings.h"
#include "core/config/sibling_path.h"
#include "core/timetable/c_scan.h"

namespace tockbell {

namespace {

constexpr std::size_t kMinStrictItemLength = 9;
constexpr long long kLastHour = 24;  // 24:00 passes: the bound is below 25
constexpr long long kLastMinute = 59;
constexpr long long kLastDay = 31;

template <std::size_t N>
int NumberIn(const std::array<std::string_view, N>& names, std::string_view word) {
    for (std::size_t i = 0; i < N; ++i) {
        if (names[i] == word) return static_cast<int>(i) + 1;
    }
    return 0;
}

bool InRange(std::optional<long long> value, long long last) { return value && *value >= 0 && *value <= last; }

// "%02d:%02d" from the start of the text.
bool ScanItemTime(std::string_view& rest) {
    const std::optional<long long> hour = ScanDecimal(rest, 2);
    if (!hour || !ScanLiteral(rest, ':')) return false;
    const std::optional<long long> minute = ScanDecimal(rest, 2);
    return InRange(hour, kLastHour) && InRange(minute, kLastMinute);
}

bool HasItemPunctuation(std::string_view text) { return text.size() > 5 && text[2] == ':' && text[5] == '='; }

std::string TwoDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", number);
    return text;
}

std::string_view WeekdayOf(const std::tm& local) {
    return kWeekdayNames[static_cast<std::size_t>((local.tm_wday % 7 + 6) % 7)];
}

std::string_view MonthOf(const std::tm& local) { return kMonthNames[static_cast<std::size_t>(local.tm_mon % 12)]; }

}  // namespace

int RelativeDay(std::string_view word) {
    static constexpr std::array<std::string_view, 3> kRelativeDays = {kTodayTitle, kTomorrowTitle, kEverydayTitle};
    return NumberIn(kRelativeDays, word);
}

int WeekdayNumber(std::string_view word) {
    if (word == kPowerOnTitle) return static_cast<int>(kWeekdayNames.size()) + 1;
    return NumberIn(kWeekdayNames, word);
}

int MonthNumber(std::string_view word) { return NumberIn(kMonthNames, word); }

int DayOfMonth(std::string_view word) {
    const std::optional<long long> day = ScanDecimal(word);
    return day && *day >= 1 && *day <= kLastDay ? static_cast<int>(*day) : 0;
}

bool IsValidSectionTitle(std::string_view title) {
    std::array<std::string_view, 3> words;
    std::size_t count = 0;
    while (count < words.size()) {
        const std::optional<std::string_view> word = ScanWord(title);
        if (!word) break;
        words[count++] = *word;
    }
    switch (count) {
        case 1:
            return RelativeDay(words[0]) || WeekdayNumber(words[0]) || MonthNumber(words[0]) || DayOfMonth(words[0]);
        case 2: return (WeekdayNumber(words[0]) || MonthNumber(words[0])) && DayOfMonth(words[1]);
        case 3: {
            std::string_view weekday = words[0];
            if (weekday.back() != ',') return false;
            weekday.remove_suffix(1);
            return WeekdayNumber(weekday) && MonthNumber(words[1]) && DayOfMonth(words[2]);
        }
        default: return false;
    }
}

bool PassesStrictItemCheck(std::string_view text) {
    return text.size() >= kMinStrictItemLength && HasItemPunctuation(text) && ScanItemTime(text);
}

bool IsValidItemText(std::string_view text) {
    if (!HasItemPunctuation(text) || !ScanItemTime(text)) return false;
    return ScanLiteral(text, '=') && ScanWord(text).has_value();
}

std::string ResolveSoundPath(const std::string& value, const std::string& programPath) {
    if (value.size() <= 2) return {};
    if (value[0] == '\\' || value[0] == '/' || value[1] == ':') return value;
    return SiblingPath(programPath, value);
}

std::string ItemTimePrefix(const std::tm& local) {
    char text[16];
    return std::string(text, std::strftime(text, sizeof text, "%H:%M=", &local));
}

std::optional<std::string> SectionNameFor(std::uint32_t kind, const std::tm& local) {
    const std::string weekday(WeekdayOf(local));
    const std::string month(MonthOf(local));
    const std::string day = TwoDigits(local.tm_mday);
    switch (kind) {
        case KIND_EVERYDAY: return std::string(kEverydayTitle);
        case KIND_TODAY: return std::string(kTodayTitle);
        case KIND_POWERON: return std::string(kPowerOnTitle);
        case KIND_DAY: return day;
        case KIND_WEEKDAY: return weekday;
        case KIND_WEEKDAY_D: return weekday + ", d";  // the letter itself, as the file has always named it
        case KIND_MONTH: return month;
        case KIND_MONTH_DAY: return month + " " + day;
        case KIND_WEEKDAY_MONTH: return weekday + ", " + month;
        case KIND_WEEKDAY_DAY: return weekday + " " + day;
        case KIND_WEEKDAY_DATE: return weekday + ", " + month + " " + day;
        default: return std::nullopt;
    }
}

bool IsPortableFileName(std::string_view path) {
    const std::string_view name = path.substr(path.find_last_of("\\/") + 1);
    if (name.empty() || name.back() == '.' || name.back() == ' ') return false;
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>:\"|?*").find(c) != std::string_view::npos) {
            return false;
        }
    }
    std::string device(name.substr(0, name.find('.')));
    while (!device.empty() && device.back() == ' ') device.pop_back();
    for (char& c : device) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (device == "CON" || device == "PRN" || device == "AUX" || device == "NUL") return false;
    const bool numbered = device.size() == 4 && std::isdigit(static_cast<unsigned char>(device[3]));
    return !(numbered && (device.starts_with("COM") || device.starts_with("LPT")));
}

}  // namespace tockbell
