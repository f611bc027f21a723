#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/chime/minute_watch.h"
#include "core/chime/reminder_player.h"
#include "core/config/config_store.h"

namespace tockbell {

// The section and the key that a kind of time-table section has for one minute.
struct TimeTableEntryName {
    std::string section;
    std::string key;
};

// None for a bit that is no kind. `at` is the moment the look-up stands for; PowerOn entries count
// the time from `startTime` to it, the others are named by the local time.
std::optional<TimeTableEntryName> EntryNameFor(std::uint32_t kind, const std::tm& local, std::time_t at,
                                               std::time_t startTime);

// Looks the time-table's entries up in the configuration file: one kind of section per call for the
// current minute, every kind at once for a minute that passed unexamined.
class TimeTableTrigger {
public:
    TimeTableTrigger(std::atomic<std::uint32_t>& flags, ConfigStore& store, std::string programPath);

    // False when the kind has been examined in this minute (or is no kind); otherwise marks it, adds
    // its entries for the minutes due now to `found`, and returns true.
    bool CheckTimeTableKind(std::uint32_t kind, std::span<const DueMinute> due, std::time_t startTime,
                            std::vector<Reminder>& found);
    // The entries of every kind for `minute`, in the order of the kinds. "Today" is looked up only
    // with `withToday`: when the file's "Today" is that minute's day.
    std::vector<Reminder> EntriesAt(const DueMinute& minute, std::time_t startTime, bool withToday);

private:
    std::optional<Reminder> EntryAt(std::uint32_t kind, const DueMinute& minute, std::time_t startTime);

    std::atomic<std::uint32_t>& flags_;
    ConfigStore& store_;
    std::string programPath_;
};

}  // namespace tockbell
