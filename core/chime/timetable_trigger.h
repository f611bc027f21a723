#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

#include "core/config/config_store.h"
#include "platform/clock.h"

namespace tockbell {

// The section and the key that a kind of time-table section has for one minute.
struct TimeTableEntryName {
    std::string section;
    std::string key;
};

// None for a bit that is no kind.
std::optional<TimeTableEntryName> EntryNameFor(std::uint32_t kind, const ClockReading& lastTick,
                                               std::time_t startTime);

// Looks one kind of section up per call and hands what it finds to `startPlayback`.
class TimeTableTrigger {
public:
    using PlaybackStarter = std::function<bool(const std::string& path)>;

    TimeTableTrigger(std::atomic<std::uint32_t>& flags, ConfigStore& store, std::string programPath,
                     PlaybackStarter startPlayback);

    // False when the kind has been examined in this minute (or is no kind); otherwise marks it,
    // looks its entry up, starts the playback if there is one, and returns true.
    bool CheckTimeTableKind(std::uint32_t kind, const ClockReading& lastTick, std::time_t startTime);

private:
    std::atomic<std::uint32_t>& flags_;
    ConfigStore& store_;
    std::string programPath_;
    PlaybackStarter startPlayback_;
};

}  // namespace tockbell
