#include "linux/app/tick_alignment.h"

#include <gtest/gtest.h>

namespace tockbell {
namespace {

using std::chrono::milliseconds;

// 8 December 2026, 12:00:00 UTC, in seconds since the epoch.
constexpr std::int64_t kNoon = 1796817600;

struct StepCase {
    const char* what;
    std::int64_t nowMs;
    std::int64_t lastTicked;
    TickStep step;
};

TEST(NextTickStep, TicksOncePerSecondJustAfterItBegins) {
    for (const StepCase& c : {
             StepCase{"the first firing", kNoon * 1000 + 417, -1, {true, milliseconds(586), kNoon}},
             StepCase{"on time, 3 ms after the second", kNoon * 1000 + 3, kNoon - 1, {true, milliseconds(1000), kNoon}},
             StepCase{"exactly at the second", kNoon * 1000, kNoon - 1, {true, milliseconds(1003), kNoon}},
             // An early firing, still in the second ticked: no second tick, but the way to the next one.
             StepCase{"2 ms early", kNoon * 1000 + 998, kNoon, {false, milliseconds(5), kNoon}},
             StepCase{"a second firing in the same second", kNoon * 1000 + 10, kNoon, {false, milliseconds(993), kNoon}},
             // Late, or after the clock was set: the second is ticked and the next firing aligned again.
             StepCase{"900 ms late", kNoon * 1000 + 903, kNoon - 1, {true, milliseconds(100), kNoon}},
             StepCase{"seconds skipped", kNoon * 1000 + 250, kNoon - 7, {true, milliseconds(753), kNoon}},
             StepCase{"the clock put back", kNoon * 1000 + 3, kNoon + 3600, {true, milliseconds(1000), kNoon}},
             StepCase{"before the epoch", -1, -5, {true, milliseconds(4), -1}},
             StepCase{"the epoch's second ticked", -1, -1, {false, milliseconds(4), -1}},
         }) {
        EXPECT_EQ(NextTickStep(c.nowMs, c.lastTicked), c.step) << c.what;
    }
}

TEST(NextTickStep, AFiringAfterTheWaitTicksTheNextSecond) {
    std::int64_t now = kNoon * 1000 + 417;
    TickStep step = NextTickStep(now, -1);
    for (int second = 1; second <= 5; ++second) {
        now += step.wait.count();
        step = NextTickStep(now, step.second);
        EXPECT_TRUE(step.tick);
        EXPECT_EQ(step.second, kNoon + second);
        EXPECT_EQ(now % 1000, kTickLag.count());
    }
}

}  // namespace
}  // namespace tockbell
