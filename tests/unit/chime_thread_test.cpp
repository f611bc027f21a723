// The chime on real threads: the window thread, the chime thread and a silencer share only the
// flags word. Run under ThreadSanitizer by `make test`.
#include <map>
#include <mutex>
#include <thread>

#include <gtest/gtest.h>

#include "core/chime/chime.h"
#include "core/chime/playback.h"
#include "core/chime/reminder_player.h"
#include "core/chime/spoken_time.h"
#include "core/config/clock_settings.h"
#include "posix/posix_threads.h"
#include "tests/unit/fake_sound.h"

namespace tockbell {
namespace {

using namespace std::chrono_literals;

void WaitUntilClear(const std::atomic<std::uint32_t>& flags, std::uint32_t bits) {
    while ((flags.load() & bits) != 0) std::this_thread::sleep_for(1ms);
}

void WaitUntilSet(const std::atomic<std::uint32_t>& flags, std::uint32_t bits) {
    while ((flags.load() & bits) == 0) std::this_thread::sleep_for(1ms);
}

TEST(ChimeThreads, ASilencedChimeEndsAndTheNextWaitsForIt) {
    std::atomic<std::uint32_t> flags{kDefaultFlags};
    std::atomic<bool> holdNextStrike{false};
    FakeWaveSounds sounds;
    // The first strike of a round sounds until "Be silent", so the stop always lands mid-chime.
    sounds.whilePlaying = [&](const std::string& name) {
        if (name == "WAVE1" && holdNextStrike.exchange(false)) WaitUntilSet(flags, FLAG_STOP_SOUND);
    };
    FakeMediaPlayer media;
    PosixThreads threads;
    SoundServices services{flags, sounds, media, threads, [](std::chrono::milliseconds) { std::this_thread::sleep_for(1ms); }};

    std::vector<std::string> expected;
    for (int round = 0; round < 20; ++round) {
        holdNextStrike = true;
        StartChime(services, 0, false, false, kDefaultFlags, 1);
        std::thread silencer([&] {
            while (holdNextStrike) std::this_thread::sleep_for(1ms);
            flags.fetch_or(FLAG_STOP_SOUND);
        });
        silencer.join();
        // The next chime waits for the silenced one to end, then plays whole.
        StartChime(services, 1, false, true, kDefaultFlags, 1);
        WaitUntilClear(flags, FLAG_CHIME_BUSY);
        expected.insert(expected.end(), {"WAVE0", "WAVE1", "WAVE0", "WAVE1", "WAVE001", "WAVE0PM"});
    }
    EXPECT_EQ(sounds.Played(), expected);
    EXPECT_EQ(sounds.Purges(), 40);
    EXPECT_EQ(flags.load(), kDefaultFlags);
}

// "Say the time" speaks with sounds off; a second request meanwhile is ignored, and a chime that falls
// due waits for the last word, then plays whole.
TEST(SpeakingThreads, TheTimeIsSpokenOnceAndAChimeWaitsForIt) {
    std::atomic<std::uint32_t> flags{kDefaultFlags & ~FLAG_SOUND_ON};
    std::atomic<bool> askedAgain{false};
    FakeWaveSounds sounds;
    // The first word sounds until the second request has come.
    sounds.whilePlaying = [&](const std::string& name) {
        while (name == "WAVE002" && !askedAgain) std::this_thread::sleep_for(1ms);
    };
    FakeMediaPlayer media;
    PosixThreads threads;
    SoundServices services{flags, sounds, media, threads, [](std::chrono::milliseconds) { std::this_thread::sleep_for(1ms); }};

    std::vector<std::string> expected;
    for (int round = 0; round < 20; ++round) {
        askedAgain = false;
        StartSayingTime(services, 14, 37, flags.load(), 1);
        StartSayingTime(services, 9, 5, flags.load(), 1);
        askedAgain = true;
        StartChime(services, 3, false, true, kDefaultFlags, 1);
        WaitUntilClear(flags, FLAG_CHIME_BUSY);
        expected.insert(expected.end(), {"WAVE002", "WAVE030", "WAVE007", "WAVE0PM", "WAVE0", "WAVE1", "WAVE1", "WAVE1",
                                         "WAVE003", "WAVE0PM"});
    }
    EXPECT_EQ(sounds.Played(), expected);
    EXPECT_EQ(flags.load(), kDefaultFlags & ~FLAG_SOUND_ON);
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

// The window thread's ticks start the reminders one after another; a Stop ends the one that plays.
TEST_F(PlaybackThreads, RemindersTakeTurnsInTheirOrderAndAStopEndsItsOwn) {
    media.pollsWhilePlaying = {{"a.wav", 30}, {"b.wav", 300}, {"c.wav", 30}};
    std::mutex mutex;
    std::map<std::string, int> polls;
    media.onPoll = [&](const std::string& path, int poll) {
        std::lock_guard lock(mutex);
        polls[path] = poll;
    };
    FakeNotifications notifications;
    ReminderPlayer reminders(services, notifications);
    reminders.Add({"07:30", "a.wav"});
    reminders.AddLate({"07:20", "c.wav"});
    reminders.Add({"07:30", "b.wav"});
    bool stopped = false;
    while (media.Log().size() < 9) {
        reminders.Play(true);
        if (!stopped && media.Log().size() == 5) {  // b plays
            reminders.Stop(notifications.lastStopId);
            stopped = true;
        }
        std::this_thread::sleep_for(1ms);
    }
    WaitUntilClear(flags, FLAG_REMINDER_BUSY | FLAG_PLAY_BUSY);
    EXPECT_TRUE(OneAfterAnother(media.Log()));
    EXPECT_EQ(media.Log()[0], "open a.wav");
    EXPECT_EQ(media.Log()[3], "open b.wav");
    EXPECT_EQ(media.Log()[6], "open c.wav");
    std::lock_guard lock(mutex);
    EXPECT_EQ(polls["a.wav"], 31);
    EXPECT_LT(polls["b.wav"], 300);
    EXPECT_EQ(polls["c.wav"], 31);
    EXPECT_EQ(flags.load(), kDefaultFlags);
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
