#include "core/chime/timetable_trigger.h"

#include <algorithm>
#include <cstdio>
#include <utility>

#include "core/config/clock_settings.h"
#include "core/timetable/timetable_words.h"

namespace tockbell {

namespace {

std::string Format(const char* format, const std::tm& time) {
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &time));
}

// Hours and minutes since the start, the hours counted round the clock.
std::string PowerOnKey(std::time_t startTime, std::time_t now) {
    const long long seconds = static_cast<long long>(now - startTime);
    char key[16];
    std::snprintf(key, sizeof key, "%02lld:%02lld", seconds / 3600 % 24, seconds / 60 % 60);
    return key;
}

}  // namespace

std::optional<TimeTableEntryName> EntryNameFor(std::uint32_t kind, const std::tm& local, std::time_t at,
                                               std::time_t startTime) {
    std::optional<std::string> section = SectionNameFor(kind, local);
    if (!section) return std::nullopt;
    return TimeTableEntryName{std::move(*section),
                              kind == KIND_POWERON ? PowerOnKey(startTime, at) : Format("%H:%M", local)};
}

TimeTableTrigger::TimeTableTrigger(std::atomic<std::uint32_t>& flags, ConfigStore& store, std::string programPath)
    : flags_(flags), store_(store), programPath_(std::move(programPath)) {}

std::optional<Reminder> TimeTableTrigger::EntryAt(std::uint32_t kind, const DueMinute& minute, std::time_t startTime) {
    const std::optional<TimeTableEntryName> name = EntryNameFor(kind, minute.local, minute.utc, startTime);
    if (!name) return std::nullopt;
    std::string path = ResolveSoundPath(store_.ReadConfigString(name->section, name->key), programPath_);
    if (path.empty()) return std::nullopt;
    // Shown by the local time it came due, also for a PowerOn entry, whose key counts from the start.
    return Reminder{Format("%H:%M", minute.local), std::move(path)};
}

bool TimeTableTrigger::CheckTimeTableKind(std::uint32_t kind, std::span<const DueMinute> due, std::time_t startTime,
                                          std::vector<Reminder>& found) {
    const bool isKind =
        std::find(std::begin(kTimeTableKinds), std::end(kTimeTableKinds), kind) != std::end(kTimeTableKinds);
    if (!isKind || (flags_.load() & kind) != 0) return false;
    flags_.fetch_or(kind);
    for (const DueMinute& minute : due) {
        if (std::optional<Reminder> entry = EntryAt(kind, minute, startTime)) found.push_back(std::move(*entry));
    }
    return true;
}

std::vector<Reminder> TimeTableTrigger::EntriesAt(const DueMinute& minute, std::time_t startTime, bool withToday) {
    std::vector<Reminder> found;
    for (const std::uint32_t kind : kTimeTableKinds) {
        if (kind == KIND_TODAY && !withToday) continue;
        if (std::optional<Reminder> entry = EntryAt(kind, minute, startTime)) found.push_back(std::move(*entry));
    }
    return found;
}

}  // namespace tockbell
