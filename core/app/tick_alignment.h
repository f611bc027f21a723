#pragma once

#include <chrono>
#include <cstdint>
#include <limits>
#include <optional>

namespace tockbell {

// The clock ticks just after each full second of the wall clock, so that a chime starts within a
// few milliseconds of :00 instead of anywhere in the first second. The timer repeats every second on
// the monotonic clock and is looked at every firing: one that strays from just after the second (a
// busy system, the clock set, the slow drift between the two clocks) is set again from the wall
// clock, so it never drifts. Setting it every second instead would cost more than the tick itself.
inline constexpr std::chrono::milliseconds kTickPeriod{1000};
inline constexpr std::chrono::milliseconds kTickLag{3};
inline constexpr std::chrono::milliseconds kTickTolerance{5};

struct TickStep {
    bool tick = false;        // a second not ticked yet has begun
    std::int64_t second = 0;  // the wall-clock second of this firing
    // The timer's new period from now, when it must be set again.
    std::optional<std::chrono::milliseconds> rearm;
    friend bool operator==(const TickStep&, const TickStep&) = default;
};

// At a firing of the timer at `nowMs` (milliseconds since the epoch), after a tick in `lastTicked`
// (seconds since the epoch), with the timer's present `period`.
constexpr TickStep NextTickStep(std::int64_t nowMs, std::int64_t lastTicked, std::chrono::milliseconds period) {
    // Floor division: times before the epoch are seconds too.
    std::int64_t second = nowMs / 1000;
    if (second * 1000 > nowMs) --second;
    const std::chrono::milliseconds wait = std::chrono::milliseconds(1000 - (nowMs - second * 1000)) + kTickLag;
    const std::chrono::milliseconds off = wait - kTickPeriod;
    std::optional<std::chrono::milliseconds> rearm;
    if (off > kTickTolerance || off < -kTickTolerance) {
        rearm = wait;  // once, to the next second; the firing there puts the period back
    } else if (period != kTickPeriod) {
        rearm = kTickPeriod;
    }
    return {second != lastTicked, second, rearm};
}

// The ticker of either program: at each firing of its repeating timer, or at an event that asks for a
// tick at once (a resume, the clock set), whether to tick and how to set the timer again.
class AlignedTick {
public:
    TickStep OnFiring(std::int64_t nowMs) {
        const TickStep step = NextTickStep(nowMs, lastTicked_, period_);
        if (step.rearm) period_ = *step.rearm;
        if (step.tick) lastTicked_ = step.second;
        return step;
    }

private:
    std::int64_t lastTicked_ = std::numeric_limits<std::int64_t>::min();
    std::chrono::milliseconds period_{0};  // none yet: the first firing sets the timer
};

}  // namespace tockbell
