#include "core/chime/timetable_trigger.h"

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

std::optional<TimeTableEntryName> EntryNameFor(std::uint32_t kind, const ClockReading& lastTick,
                                               std::time_t startTime) {
    std::optional<std::string> section = SectionNameFor(kind, lastTick.local);
    if (!section) return std::nullopt;
    return TimeTableEntryName{std::move(*section), kind == KIND_POWERON ? PowerOnKey(startTime, lastTick.utc)
                                                                         : Format("%H:%M", lastTick.local)};
}

TimeTableTrigger::TimeTableTrigger(std::atomic<std::uint32_t>& flags, ConfigStore& store, std::string programPath,
                                   PlaybackStarter startPlayback)
    : flags_(flags), store_(store), programPath_(std::move(programPath)), startPlayback_(std::move(startPlayback)) {}

bool TimeTableTrigger::CheckTimeTableKind(std::uint32_t kind, const ClockReading& lastTick, std::time_t startTime) {
    if ((flags_.load() & kind) != 0) return false;
    const std::optional<TimeTableEntryName> name = EntryNameFor(kind, lastTick, startTime);
    if (!name) return false;
    flags_.fetch_or(kind);
    const std::string path = ResolveSoundPath(store_.ReadConfigString(name->section, name->key), programPath_);
    if (!path.empty()) startPlayback_(path);
    return true;
}

}  // namespace tockbell
