#pragma once

#include <chrono>
#include <cstdint>

namespace tockbell {

// The clock ticks just after each full second of the wall clock, so that a chime starts within a
// few milliseconds of :00 instead of anywhere in the first second. The timer is armed anew at every
// firing from the wall clock itself, so it never drifts, and a firing that comes early (in the
// second already ticked) or late (a busy system, a clock put back or forward) finds its way back.
inline constexpr std::chrono::milliseconds kTickLag{3};

struct TickStep {
    bool tick = false;                   // a second not ticked yet has begun
    std::chrono::milliseconds wait{0};   // until the next firing
    std::int64_t second = 0;             // the wall-clock second of this firing
    friend bool operator==(const TickStep&, const TickStep&) = default;
};

// At a firing of the timer at `nowMs` (milliseconds since the epoch), after a tick in `lastTicked`
// (seconds since the epoch).
constexpr TickStep NextTickStep(std::int64_t nowMs, std::int64_t lastTicked) {
    // Floor division: times before the epoch are seconds too.
    std::int64_t second = nowMs / 1000;
    if (second * 1000 > nowMs) --second;
    const std::int64_t intoSecond = nowMs - second * 1000;
    return {second != lastTicked, std::chrono::milliseconds(1000 - intoSecond) + kTickLag, second};
}

}  // namespace tockbell
