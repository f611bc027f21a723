#include "core/app/main_commands.h"

#include <gtest/gtest.h>

#include "core/config/clock_settings.h"
#include "core/config/settings_file.h"
#include "tests/unit/config_fixture.h"

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

class EndRunTest : public ConfigFixture {
protected:
    // Ends a run whose sound threads have ended; "U" when it uninstalled.
    std::string End(std::uint32_t flags, ConfigStore* withStore) {
        settings.flags = flags;
        std::string uninstalled;
        EndRun(
            settings, withStore, [](std::chrono::milliseconds) {}, [&] { uninstalled = "U"; });
        return uninstalled;
    }
    ClockSettings settings{8};
};

TEST_F(EndRunTest, SavesOrUninstallsAfterStoppingTheSounds) {
    settings.volumeDivisor = 5;
    EXPECT_EQ(End(kDefaultFlags, &store), "");
    EXPECT_EQ(Config(), "[Main]\r\nFlags=31,5,8,0\r\n");
    EXPECT_EQ(settings.flags.load(), kDefaultFlags | FLAG_STOP_SOUND | FLAG_QUITTING);

    // Uninstalling writes nothing more: the uninstall removes the file.
    files.files.erase(kConfig);
    EXPECT_EQ(End(kDefaultFlags | FLAG_UNINSTALL, &store), "U");
    EXPECT_EQ(Config(), "<none>");
    // Without files, nothing is saved; an uninstall still runs.
    EXPECT_EQ(End(kDefaultFlags, nullptr), "");
    EXPECT_EQ(Config(), "<none>");
    EXPECT_EQ(End(FLAG_UNINSTALL, nullptr), "U");
}

}  // namespace
}  // namespace tockbell
