#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <optional>
#include <utility>
#include <vector>

#include "platform/clock.h"

namespace tockbell {

// How the wall clock moved between two readings against the time that really passed: ahead after a
// resume from sleep or the clock set forward, back after the clock set back. Less than the
// tolerance is the ticks' own unevenness, or a small correction of the clock.
enum class ClockJump { None, Ahead, Back };
inline constexpr std::chrono::milliseconds kJumpTolerance{2000};
ClockJump JumpBetween(const ClockReading& before, const ClockReading& now);

// A wall-clock minute counted from 1 January 1970 whatever the zone's offset: the same local time
// gives the same number in both passes of the autumn change.
std::int64_t LocalMinuteNumber(const std::tm& local);
// The calendar fields of such a minute, its weekday and day of the year too; its daylight flag is
// unknown (-1).
std::tm LocalMinuteTime(std::int64_t number);

// A minute whose time-table entries come due at a tick.
struct DueMinute {
    std::tm local{};               // its local time, as the entries' sections and keys are made of it
    std::time_t utc = 0;           // the moment the look-up stands for (PowerOn entries count to it)
    std::int64_t lateSeconds = 0;  // how long ago the minute began; 0 for the minutes due now
};

// Entries this late or later after a jump ahead are not played but listed.
inline constexpr std::int64_t kLateLimitSeconds = 15 * 60;

// Whether an entry of a minute that passed unexamined still plays: after a jump ahead only while it
// is less than 15 minutes late; without a jump the minutes passed with the computer awake and the
// clock held up (a chime that waited out a recording, a busy system), and each plays, late.
bool PlaysLate(const DueMinute& minute, ClockJump jump);

struct MinutePlan {
    // Due now: the current minute, after the minutes that a change to daylight saving skipped just
    // before it. Empty when the current minute was examined already today (the clock set back, the
    // repeated hour of the autumn change).
    std::vector<DueMinute> due;
    // The minutes that passed unexamined since the last look, oldest first, at most a day of them.
    std::vector<DueMinute> late;
    ClockJump jump = ClockJump::None;
};

// Which time-table minutes come due as the wall clock moves: each local minute of a day at most
// once, whatever the clock does. Fed one reading at each new minute of the wall clock.
class MinuteWatch {
public:
    // `localAt` gives the local time of the minutes that passed between the readings.
    MinutePlan Advance(const ClockReading& now, const LocalTimeFunction& localAt);

private:
    bool Examined(std::int64_t number) const;
    void MarkExamined(std::int64_t number);
    // Adds the local minutes that a move of the zone's offset skipped between `before` and `local`,
    // then `local` itself, to `minutes` unless examined already.
    void Collect(const std::tm& before, const std::tm& local, std::time_t utc, std::int64_t lateSeconds,
                 std::vector<DueMinute>& minutes);

    std::optional<ClockReading> last_;
    // For each of the recent local days, the latest of its minutes examined: an earlier one of the
    // same day was examined too, or passed unexamined and was dealt with when the clock went past it.
    std::vector<std::pair<std::int64_t, std::int64_t>> examined_;
};

}  // namespace tockbell
