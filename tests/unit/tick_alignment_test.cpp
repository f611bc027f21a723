#include "core/app/tick_alignment.h"

#include <gtest/gtest.h>

namespace tockbell {
namespace {

using std::chrono::milliseconds;

// 8 December 2026, 12:00:00 UTC, in seconds since the epoch.
constexpr std::int64_t kNoon = 1796817600;
constexpr std::optional<milliseconds> kKeep;

struct StepCase {
    const char* what;
    std::int64_t nowMs;
    std::int64_t lastTicked;
    milliseconds period;
    TickStep step;
};

TEST(NextTickStep, TicksOncePerSecondAndSetsTheTimerOnlyWhenItStrays) {
    for (const StepCase& c : {
             StepCase{"the first firing", kNoon * 1000 + 417, -1, milliseconds(0), {true, kNoon, milliseconds(586)}},
             StepCase{"the firing after it", kNoon * 1000 + 3, kNoon - 1, milliseconds(586), {true, kNoon, kTickPeriod}},
             StepCase{"on time", kNoon * 1000 + 3, kNoon - 1, kTickPeriod, {true, kNoon, kKeep}},
             StepCase{"5 ms late", kNoon * 1000 + 8, kNoon - 1, kTickPeriod, {true, kNoon, kKeep}},
             StepCase{"6 ms late", kNoon * 1000 + 9, kNoon - 1, kTickPeriod, {true, kNoon, milliseconds(994)}},
             StepCase{"exactly at the second", kNoon * 1000, kNoon - 1, kTickPeriod, {true, kNoon, kKeep}},
             // Early, still in the second ticked: no second tick; the timer is set for the next one.
             StepCase{"6 ms early", kNoon * 1000 + 997, kNoon, kTickPeriod, {false, kNoon, milliseconds(6)}},
             StepCase{"10 ms early", kNoon * 1000 + 990, kNoon, kTickPeriod, {false, kNoon, milliseconds(13)}},
             StepCase{"a second firing in the same second", kNoon * 1000 + 500, kNoon, kTickPeriod,
                      {false, kNoon, milliseconds(503)}},
             // Late, or after the clock was set: the second is ticked and the timer aligned again.
             StepCase{"900 ms late", kNoon * 1000 + 903, kNoon - 1, kTickPeriod, {true, kNoon, milliseconds(100)}},
             StepCase{"seconds skipped", kNoon * 1000 + 250, kNoon - 7, kTickPeriod, {true, kNoon, milliseconds(753)}},
             StepCase{"the clock put back", kNoon * 1000 + 3, kNoon + 3600, kTickPeriod, {true, kNoon, kKeep}},
             StepCase{"before the epoch", -1, -5, kTickPeriod, {true, -1, milliseconds(4)}},
             StepCase{"the epoch's second ticked", -1, -1, kTickPeriod, {false, -1, milliseconds(4)}},
         }) {
        EXPECT_EQ(NextTickStep(c.nowMs, c.lastTicked, c.period), c.step) << c.what;
    }
}

// The timer as Qt runs it: each firing one period after the last setting, on a monotonic clock that
// drifts from the wall clock by 1 ms in 50 s.
TEST(NextTickStep, ATimerThatDriftsIsSetAgainAndEverySecondIsTicked) {
    std::int64_t wall = kNoon * 1000 + 417;
    TickStep step = NextTickStep(wall, -1, milliseconds(0));
    milliseconds period = *step.rearm;
    int settings = 0;
    for (int second = 1; second <= 600; ++second) {
        wall += period.count() + (second % 50 == 0 ? 1 : 0);
        step = NextTickStep(wall, step.second, period);
        ASSERT_TRUE(step.tick) << second;
        ASSERT_EQ(step.second, kNoon + second);
        const std::int64_t lag = wall % 1000;
        EXPECT_GE(lag, kTickLag.count() - kTickTolerance.count()) << second;
        // A firing strays by one step of the drift beyond the tolerance before it is set again.
        EXPECT_LE(lag, kTickLag.count() + kTickTolerance.count() + 1) << second;
        if (step.rearm) {
            period = *step.rearm;
            ++settings;
        }
    }
    // Back to the period after the first firing; 6 ms of drift by 300 s, set to the next second and
    // back; 6 ms more by 600 s.
    EXPECT_EQ(settings, 4);
}

}  // namespace
}  // namespace tockbell
