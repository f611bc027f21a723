// The chime on real threads: the window thread, the chime thread and a silencer share only the
// flags word. Run under ThreadSanitizer by `make test`.
#include <thread>

#include <gtest/gtest.h>

#include "core/chime/chime.h"
#include "core/chime/playback.h"
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
    FakeMediaPlayer media;
    PosixThreads threads;
    SoundServices services{flags, sounds, media, threads, [](std::chrono::milliseconds) { std::this_thread::sleep_for(1ms); }};

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

class PlaybackThreads : public testing::Test {
protected:
    PlaybackThreads() {
        media.pollsWhilePlaying = {{"everyday.wav", 30}, {"tuesday.wav", 30}};
        sounds.whilePlaying = [](const std::string&) { std::this_thread::sleep_for(1ms); };
    }
    // Whether the log shows each file opened, played and closed before the next is opened.
    static bool OneAfterAnother(const std::vector<std::string>& log) {
        for (std::size_t i = 0; i + 2 < log.size(); i += 3) {
            const std::string file = log[i].substr(5);
            if (log[i] != "open " + file || log[i + 1] != "play " + file || log[i + 2] != "close " + file) return false;
        }
        return log.size() % 3 == 0;
    }

    std::atomic<std::uint32_t> flags{kDefaultFlags};
    FakeWaveSounds sounds;
    FakeMediaPlayer media;
    PosixThreads threads;
    SoundServices services{flags, sounds, media, threads, [](std::chrono::milliseconds) { std::this_thread::sleep_for(1ms); }};
};

TEST_F(PlaybackThreads, EntriesOfOneMinutePlayOneAfterAnother) {
    StartPlayback(services, "everyday.wav");
    StartPlayback(services, "tuesday.wav");
    while (media.Log().size() < 6) std::this_thread::sleep_for(1ms);
    WaitUntilClear(flags, FLAG_PLAY_BUSY);
    EXPECT_TRUE(OneAfterAnother(media.Log()));
}

TEST_F(PlaybackThreads, AChimeStopsAPlaybackAndFollowsIt) {
    StartPlayback(services, "everyday.wav");
    while (media.Log().size() < 2) std::this_thread::sleep_for(1ms);  // playing
    StartChime(services, 12, false, true, kDefaultFlags, 1);           // waits for the playback to end
    EXPECT_EQ(media.Log().back(), "close everyday.wav");
    WaitUntilClear(flags, FLAG_CHIME_BUSY);
    EXPECT_EQ(sounds.Played().size(), 15u);  // the whole noon chime
    EXPECT_EQ(flags.load(), kDefaultFlags);
}

}  // namespace
}  // namespace tockbell
