#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "core/config/quiet_hours.h"

namespace tockbell {

// Bits 0-6: the user's options, the only bits stored in the configuration file.
inline constexpr std::uint32_t FLAG_MULTISTRIKE = 0x01;
inline constexpr std::uint32_t FLAG_STRIKE_HALF = 0x02;
inline constexpr std::uint32_t FLAG_VOICE_HOURS = 0x04;
inline constexpr std::uint32_t FLAG_VOICE_HALF = 0x08;
inline constexpr std::uint32_t FLAG_SOUND_ON = 0x10;
inline constexpr std::uint32_t FLAG_ICON_HIDDEN = 0x20;
inline constexpr std::uint32_t FLAG_SWAP_AMPM = 0x40;
inline constexpr std::uint32_t kStoredFlagsMask = 0x7F;
inline constexpr std::uint32_t kDefaultFlags = 31;

// Run-time state shared by the window thread and the sound threads; never stored.
// The time is being spoken on request, from the request to the last word. Chimes and reminders wait
// for it; "Be silent" clears it, which ends the speaking after the word that sounds.
inline constexpr std::uint32_t FLAG_SPEAKING = 0x80;
// A time-table reminder's playback runs, from its start by the tick to its end: the next waits for it.
inline constexpr std::uint32_t FLAG_REMINDER_BUSY = 0x100;
// The user asked that reminder's notification to stop it; cleared with FLAG_REMINDER_BUSY.
inline constexpr std::uint32_t FLAG_REMINDER_STOP = 0x200;
// STOP, or the dialog's closing, before the recorder thread began: it records nothing then.
inline constexpr std::uint32_t FLAG_RECORD_CANCELLED = 0x800;
// A recorder thread runs, from before its waits until after its save: recordings take turns.
inline constexpr std::uint32_t FLAG_RECORD_THREAD = 0x400;
inline constexpr std::uint32_t FLAG_ICON_CREATED = 0x1000;
inline constexpr std::uint32_t FLAG_STOP_SOUND = 0x2000;
inline constexpr std::uint32_t FLAG_QUITTING = 0x4000;
inline constexpr std::uint32_t FLAG_UNINSTALL = 0x8000;
inline constexpr std::uint32_t FLAG_CHIME_BUSY = 0x10000;

// A kind of time-table section has been examined in the current minute.
inline constexpr std::uint32_t KIND_EVERYDAY = 0x20000;
inline constexpr std::uint32_t KIND_TODAY = 0x40000;
inline constexpr std::uint32_t KIND_POWERON = 0x80000;
inline constexpr std::uint32_t KIND_DAY = 0x100000;
inline constexpr std::uint32_t KIND_WEEKDAY = 0x200000;
inline constexpr std::uint32_t KIND_WEEKDAY_D = 0x400000;
inline constexpr std::uint32_t KIND_MONTH = 0x800000;
inline constexpr std::uint32_t KIND_MONTH_DAY = 0x1000000;
inline constexpr std::uint32_t KIND_WEEKDAY_MONTH = 0x2000000;
// Two forms the time-table editor accepts besides: "Friday 13" and "Friday, March 08".
inline constexpr std::uint32_t KIND_WEEKDAY_DAY = 0x4000000;
inline constexpr std::uint32_t KIND_WEEKDAY_DATE = 0x8000000;
// The kinds in the order the tick offers them.
inline constexpr std::uint32_t kTimeTableKinds[] = {
    KIND_EVERYDAY, KIND_TODAY,     KIND_POWERON,       KIND_DAY,         KIND_WEEKDAY,      KIND_WEEKDAY_D,
    KIND_MONTH,    KIND_MONTH_DAY, KIND_WEEKDAY_MONTH, KIND_WEEKDAY_DAY, KIND_WEEKDAY_DATE,
};

inline constexpr std::uint32_t FLAG_PLAY_BUSY = 0x10000000;
inline constexpr std::uint32_t FLAG_RECORD_BUSY = 0x20000000;
inline constexpr std::uint32_t FLAG_RECORD_PAUSED = 0x40000000;
// The recorder thread ended without a recording: the window thread reports it and clears it.
inline constexpr std::uint32_t FLAG_RECORD_FAILED = 0x80000000;

inline constexpr std::size_t kMaxZoneLines = 20;
inline constexpr std::int32_t kDefaultVolumeDivisor = 2;

// The settings record. Every thread may change `flags`, and only with one atomic fetch_or,
// fetch_and or fetch_xor; the other fields belong to the window thread.
struct ClockSettings {
    explicit ClockSettings(std::int32_t today) : lastDay(today) {}

    std::atomic<std::uint32_t> flags{kDefaultFlags};
    std::int32_t volumeDivisor = kDefaultVolumeDivisor;
    std::int32_t lastDay;  // the day of the month of the last day roll
    std::array<std::string, kMaxZoneLines> zoneLines{};
    // None while the file has no valid "QuietHours": there are none then, and none are written.
    std::optional<QuietHours> quietHours;
};

}  // namespace tockbell
