#include "core/chime/chime.h"

#include <gtest/gtest.h>

#include "core/config/clock_settings.h"
#include "tests/unit/fake_sound.h"

namespace tockbell {
namespace {

using Sounds = std::vector<std::string>;

Sounds Repeat(const std::string& name, int times) { return Sounds(static_cast<std::size_t>(times), name); }
Sounds operator+(Sounds a, const Sounds& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class ChimeTest : public testing::Test {
protected:
    // What the tick starts at a time of day: the hour on the dial, the half hour, p.m. from noon on.
    Sounds ChimeAt(int hourOfDay, int minute, std::uint32_t options) {
        FakeWaveSounds fresh;
        SoundServices at{flags, fresh, media, threads, [this](std::chrono::milliseconds) { ++sleeps; }};
        StartChime(at, hourOfDay % 12, minute == 30, hourOfDay >= 12, options, 1);
        EXPECT_EQ(flags.load() & (FLAG_CHIME_BUSY | FLAG_STOP_SOUND), 0u);
        return fresh.Played();
    }

    std::atomic<std::uint32_t> flags{kDefaultFlags};
    FakeWaveSounds sounds;
    FakeMediaPlayer media;
    InlineThreads threads;
    int sleeps = 0;
    SoundServices services{flags, sounds, media, threads, [this](std::chrono::milliseconds) { ++sleeps; }};
};

struct SequenceCase {
    int hour, minute;
    Sounds sounds;
};

TEST_F(ChimeTest, DefaultSequencesThroughTheDay) {
    for (const SequenceCase& c : {
             SequenceCase{0, 0, Sounds{"WAVE0"} + Repeat("WAVE1", 12) + Sounds{"WAVE012", "WAVE0AM"}},
             SequenceCase{0, 30, {"WAVE0", "WAVE1", "WAVE012", "WAVE030", "WAVE0AM"}},
             SequenceCase{2, 0, {"WAVE0", "WAVE1", "WAVE1", "WAVE002", "WAVE0AM"}},
             // Noon and half past are in the afternoon.
             SequenceCase{12, 0, Sounds{"WAVE0"} + Repeat("WAVE1", 12) + Sounds{"WAVE012", "WAVE0PM"}},
             SequenceCase{12, 30, {"WAVE0", "WAVE1", "WAVE012", "WAVE030", "WAVE0PM"}},
             SequenceCase{13, 0, {"WAVE0", "WAVE1", "WAVE001", "WAVE0PM"}},
             SequenceCase{17, 30, {"WAVE0", "WAVE1", "WAVE005", "WAVE030", "WAVE0PM"}},
             SequenceCase{23, 0, Sounds{"WAVE0"} + Repeat("WAVE1", 11) + Sounds{"WAVE011", "WAVE0PM"}},
         }) {
        EXPECT_EQ(ChimeAt(c.hour, c.minute, kDefaultFlags), c.sounds) << c.hour << ":" << c.minute;
    }
}

// The rules, written out once more from the way a person describes the clock.
Sounds Expected(int hourOfDay, bool half, std::uint32_t options) {
    const int dial = hourOfDay % 12 == 0 ? 12 : hourOfDay % 12;
    char hourWord[16];
    std::snprintf(hourWord, sizeof hourWord, "WAVE%03d", dial);
    Sounds sounds;
    if (!half || (options & FLAG_STRIKE_HALF)) {
        sounds = Sounds{"WAVE0"} + Repeat("WAVE1", !half && (options & FLAG_MULTISTRIKE) ? dial : 1);
    }
    const bool speak = (options & FLAG_VOICE_HOURS) && (!half || (options & FLAG_VOICE_HALF));
    if (!speak) return sounds;
    sounds.push_back(hourWord);
    if (half) sounds.push_back("WAVE030");
    const bool afternoon = hourOfDay >= 12;
    sounds.push_back(afternoon != ((options & FLAG_SWAP_AMPM) != 0) ? "WAVE0PM" : "WAVE0AM");
    return sounds;
}

TEST_F(ChimeTest, EveryHalfHourUnderEveryCombinationOfOptions) {
    const std::uint32_t optionBits[] = {FLAG_MULTISTRIKE, FLAG_STRIKE_HALF, FLAG_VOICE_HOURS, FLAG_VOICE_HALF,
                                        FLAG_SWAP_AMPM};
    for (std::uint32_t combination = 0; combination < 32; ++combination) {
        std::uint32_t options = FLAG_SOUND_ON | FLAG_ICON_HIDDEN;  // bits the chime ignores
        for (std::size_t bit = 0; bit < 5; ++bit) {
            if (combination & (1u << bit)) options |= optionBits[bit];
        }
        for (int halfHourOfDay = 0; halfHourOfDay < 48; ++halfHourOfDay) {
            const int hour = halfHourOfDay / 2;
            const bool half = halfHourOfDay % 2 == 1;
            const int startedBefore = threads.started;
            const Sounds played = ChimeAt(hour, half ? 30 : 0, options);
            EXPECT_EQ(played, Expected(hour, half, options)) << "options " << options << " at " << hour << (half ? ":30" : ":00");
            // Nothing to play starts no thread.
            EXPECT_EQ(threads.started - startedBefore, played.empty() ? 0 : 1);
        }
    }
}

TEST_F(ChimeTest, SilencingEndsTheSequenceAfterTheSoundThatPlays) {
    int strikes = 0;
    sounds.whilePlaying = [&](const std::string& name) {
        if (name == "WAVE1" && ++strikes == 4) flags.fetch_or(FLAG_STOP_SOUND);
    };
    StartChime(services, 0, false, false, kDefaultFlags, 1);
    EXPECT_EQ(sounds.Played(), Sounds{"WAVE0"} + Repeat("WAVE1", 4));
    EXPECT_EQ(sounds.Purges(), 1);
    EXPECT_EQ(flags.load() & FLAG_CHIME_BUSY, 0u);
}

TEST_F(ChimeTest, QuittingStopsASequenceAndPreventsTheNext) {
    sounds.whilePlaying = [&](const std::string& name) {
        if (name == "WAVE0") flags.fetch_or(FLAG_QUITTING);
    };
    StartChime(services, 3, false, false, kDefaultFlags, 1);
    EXPECT_EQ(sounds.Played(), Sounds{"WAVE0"});
    EXPECT_EQ(flags.load() & FLAG_CHIME_BUSY, 0u);
    StartChime(services, 4, false, false, kDefaultFlags, 1);
    EXPECT_EQ(threads.started, 1);
    EXPECT_NE(flags.load() & FLAG_STOP_SOUND, 0u);  // the stop request stays
}

TEST_F(ChimeTest, WaitsForThePlaybackAndThenTheRecordingToEnd) {
    flags.fetch_or(FLAG_PLAY_BUSY | FLAG_RECORD_BUSY);
    std::vector<std::uint32_t> seen;
    services.sleep = [&](std::chrono::milliseconds step) {
        EXPECT_EQ(step.count(), 1000);
        seen.push_back(flags.load());
        if (seen.size() == 2) flags.fetch_and(~FLAG_PLAY_BUSY);   // the playback saw the request
        if (seen.size() == 3) flags.fetch_and(~FLAG_RECORD_BUSY);  // and then the recorder
    };
    StartChime(services, 2, false, false, kDefaultFlags, 1);
    ASSERT_EQ(seen.size(), 3u);
    for (std::uint32_t state : seen) {
        EXPECT_NE(state & FLAG_STOP_SOUND, 0u);
        EXPECT_EQ(state & FLAG_CHIME_BUSY, 0u);  // not claimed while it waits
    }
    EXPECT_EQ(sounds.Played().front(), "WAVE0");
    EXPECT_EQ(flags.load() & (FLAG_STOP_SOUND | FLAG_CHIME_BUSY), 0u);
}

TEST_F(ChimeTest, TheJobKeepsItsOwnCopyOfTheOptions) {
    sounds.whilePlaying = [&](const std::string& name) {
        if (name == "WAVE0") flags.fetch_and(~(FLAG_VOICE_HOURS | FLAG_MULTISTRIKE));
    };
    StartChime(services, 2, false, false, flags.load(), 1);
    EXPECT_EQ(sounds.Played(), (Sounds{"WAVE0", "WAVE1", "WAVE1", "WAVE002", "WAVE0AM"}));
}

TEST_F(ChimeTest, SoundsPlayAtTheGivenVolume) {
    std::vector<std::vector<std::uint8_t>> images;
    struct Capture : FakeWaveSounds {
        std::vector<std::vector<std::uint8_t>>* images;
        void Play(const std::vector<std::uint8_t>& image) override { images->push_back(image); }
    } capture;
    capture.images = &images;
    SoundServices quiet{flags, capture, media, threads, [](std::chrono::milliseconds) {}};
    StartChime(quiet, 1, false, false, kDefaultFlags, 2);
    ASSERT_EQ(images.size(), 4u);  // opening, one strike, "one", a.m.
    EXPECT_EQ(images[0].size(), 45u);
    EXPECT_EQ(images[0].back(), 64);  // sample 0 at divisor 2
    EXPECT_EQ(images[1].size(), 46u);
    EXPECT_EQ(images[1][44], 128);  // the silent left channel
}

}  // namespace
}  // namespace tockbell
