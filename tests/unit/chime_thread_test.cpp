// The chime on real threads: the window thread, the chime thread and a silencer share only the
// flags word. Run under ThreadSanitizer by `make test`.
#include <thread>

#include <gtest/gtest.h>

#include "core/chime/chime.h"
#include "core/config/clock_settings.h"
#include "posix/posix_threads.h"
#include "tests/unit/fake_sound.h"

namespace tockbell {
namespace {

using namespace std::chrono_literals;

void WaitUntilClear(const std::atomic<std::uint32_t>& flags, std::uint32_t bits) {
    while ((flags.load() & bits) != 0) std::this_thread::sleep_for(1ms);
}

TEST(ChimeThreads, ASilencedChimeEndsAndTheNextWaitsForIt) {
    std::atomic<std::uint32_t> flags{kDefaultFlags};
    FakeWaveSounds sounds;
    sounds.whilePlaying = [](const std::string&) { std::this_thread::sleep_for(2ms); };
    PosixThreads threads;
    SoundServices services{flags, sounds, threads, [](std::chrono::milliseconds) { std::this_thread::sleep_for(1ms); }};

    for (int round = 0; round < 20; ++round) {
        StartChime(services, 0, false, false, kDefaultFlags, 1);
        std::thread silencer([&] {
            std::this_thread::sleep_for(3ms);
            flags.fetch_or(FLAG_STOP_SOUND);
        });
        // A second chime asks the first to stop, waits for it, then plays whole.
        StartChime(services, 1, false, true, kDefaultFlags, 1);
        silencer.join();
        WaitUntilClear(flags, FLAG_CHIME_BUSY);
        flags.fetch_and(~FLAG_STOP_SOUND);
    }
    const std::vector<std::string> played = sounds.Played();
    int wholeSecondChimes = 0;
    for (std::size_t i = 0; i + 3 < played.size(); ++i) {
        wholeSecondChimes += played[i] == "WAVE0" && played[i + 2] == "WAVE001" && played[i + 3] == "WAVE0PM";
    }
    EXPECT_GT(wholeSecondChimes, 0);
    EXPECT_EQ(flags.load(), kDefaultFlags);
}

}  // namespace
}  // namespace tockbell
