#include "core/app/main_commands.h"

#include <gtest/gtest.h>

#include "core/config/clock_settings.h"

namespace tockbell {
namespace {

TEST(ToggleSound, SilencingAsksPlayersToStopAndUnsilencingWithdrawsIt) {
    std::atomic<std::uint32_t> flags{kDefaultFlags | FLAG_PLAY_BUSY};
    EXPECT_FALSE(ToggleSound(flags));
    EXPECT_EQ(flags.load(), (kDefaultFlags & ~FLAG_SOUND_ON) | FLAG_PLAY_BUSY | FLAG_STOP_SOUND);
    EXPECT_TRUE(ToggleSound(flags));
    EXPECT_EQ(flags.load(), kDefaultFlags | FLAG_PLAY_BUSY);
}

TEST(StopSoundThreads, WaitsForEachBusyThreadUntilItEnds) {
    std::atomic<std::uint32_t> flags{FLAG_CHIME_BUSY | FLAG_RECORD_BUSY};
    int sleeps = 0;
    StopSoundThreads(flags, [&](std::chrono::milliseconds step) {
        EXPECT_EQ(step.count(), 1000);
        EXPECT_TRUE(flags.load() & FLAG_STOP_SOUND);
        EXPECT_TRUE(flags.load() & FLAG_QUITTING);
        // The chime ends after its third wait, the recorder after two more.
        if (++sleeps == 3) flags.fetch_and(~FLAG_CHIME_BUSY);
        if (sleeps == 5) flags.fetch_and(~FLAG_RECORD_BUSY);
    });
    EXPECT_EQ(sleeps, 5);
}

TEST(StopSoundThreads, GivesUpOnAThreadAfterTenSeconds) {
    std::atomic<std::uint32_t> flags{FLAG_CHIME_BUSY | FLAG_PLAY_BUSY | FLAG_RECORD_BUSY};
    int sleeps = 0;
    StopSoundThreads(flags, [&](std::chrono::milliseconds) { ++sleeps; });
    EXPECT_EQ(sleeps, 30);
}

TEST(StopSoundThreads, DoesNotWaitWhenNothingRuns) {
    std::atomic<std::uint32_t> flags{kDefaultFlags};
    StopSoundThreads(flags, [](std::chrono::milliseconds) { FAIL() << "slept with nothing to wait for"; });
    EXPECT_EQ(flags.load(), kDefaultFlags | FLAG_STOP_SOUND | FLAG_QUITTING);
}

}  // namespace
}  // namespace tockbell
