#include "core/chime/timetable_trigger.h"

#include <gtest/gtest.h>

#include "core/chime/playback.h"
#include "core/config/clock_settings.h"
#include "core/timetable/timetable_words.h"
#include "tests/unit/config_fixture.h"
#include "tests/unit/fake_sound.h"

namespace tockbell {
namespace {

constexpr const char* kProgram = "C:\\Apps\\Tockbell.exe";
// Tuesday 8 December 2026, 07:30 UTC (the tests run with TZ=UTC).
constexpr std::time_t kTuesdayMorning = 1796715000;

ClockReading Reading(std::time_t utc) {
    ClockReading reading{utc, {}};
    gmtime_r(&utc, &reading.local);
    return reading;
}

TEST(EntryNameFor, TheLookUpsOfTuesdayEightDecemberAtHalfPastSeven) {
    const ClockReading now = Reading(kTuesdayMorning);
    const std::time_t started = kTuesdayMorning - (2 * 3600 + 5 * 60 + 59);
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"Everyday", "07:30"},       {"Today", "07:30"},        {"PowerOn", "02:05"},
        {"08", "07:30"},             {"Tuesday", "07:30"},      {"Tuesday, d", "07:30"},
        {"December", "07:30"},       {"December 08", "07:30"},  {"Tuesday, December", "07:30"},
        {"Tuesday 08", "07:30"},     {"Tuesday, December 08", "07:30"},
    };
    ASSERT_EQ(std::size(kTimeTableKinds), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const auto name = EntryNameFor(kTimeTableKinds[i], now.local, now.utc, started);
        ASSERT_TRUE(name.has_value());
        EXPECT_EQ(name->section, expected[i].first);
        EXPECT_EQ(name->key, expected[i].second);
    }
    EXPECT_FALSE(EntryNameFor(FLAG_PLAY_BUSY, now.local, now.utc, started).has_value());
}

TEST(EntryNameFor, PowerOnCountsFromTheStartRoundTheClock) {
    const std::time_t start = kTuesdayMorning;
    auto key = [&](std::time_t later) {
        const ClockReading now = Reading(start + later);
        return EntryNameFor(KIND_POWERON, now.local, now.utc, start)->key;
    };
    EXPECT_EQ(key(0), "00:00");
    EXPECT_EQ(key(59), "00:00");
    EXPECT_EQ(key(90 * 60), "01:30");
    EXPECT_EQ(key(24 * 3600 + 90 * 60 + 30), "01:30");
    EXPECT_EQ(key(23 * 3600 + 59 * 60), "23:59");
}

TEST(ResolveSoundPath, FullPathsStayRelativeOnesGoBesideTheProgram) {
    EXPECT_EQ(ResolveSoundPath("C:\\Sounds\\a.wav", kProgram), "C:\\Sounds\\a.wav");
    EXPECT_EQ(ResolveSoundPath("\\\\server\\a.wav", kProgram), "\\\\server\\a.wav");
    EXPECT_EQ(ResolveSoundPath("\\a.wav", kProgram), "\\a.wav");
    EXPECT_EQ(ResolveSoundPath("/home/me/a.wav", "/home/me/.config/tockbell/tockbell"), "/home/me/a.wav");
    EXPECT_EQ(ResolveSoundPath("Gong a.wav", "/home/me/.config/tockbell/tockbell"), "/home/me/.config/tockbell/Gong a.wav");
    EXPECT_EQ(ResolveSoundPath("Sounds\\a.mid", kProgram), "C:\\Apps\\Sounds\\a.mid");
    EXPECT_EQ(ResolveSoundPath(".wav", kProgram), "C:\\Apps\\Tockbell.wav");
    EXPECT_EQ(ResolveSoundPath("a.", kProgram), "");
    EXPECT_EQ(ResolveSoundPath("", kProgram), "");
}

class TriggerTest : public ConfigFixture {
protected:
    TriggerTest() { settings.flags.fetch_or(FLAG_SOUND_ON); }

    ClockSettings settings{8};
    TimeTableTrigger trigger{settings.flags, store, kProgram};
};

TEST_F(TriggerTest, EachKindIsExaminedOnceAMinuteAndFindsItsEntry) {
    files.files[kConfig] =
        "[Everyday]\r\n07:30=WakeUp.wav\r\n[tuesday]\r\n07:30=C:\\Sounds\\Tea.mid\r\n[8]\r\n07:30=never.wav\r\n"
        "[Tuesday 08]\r\n07:30=x\r\n[Tuesday, December 08]\r\n07:30=Date.wav\r\n";
    const ClockReading now = Reading(kTuesdayMorning);
    const DueMinute due[] = {{now.local, now.utc, 0}};
    std::vector<Reminder> found;
    for (const std::uint32_t kind : kTimeTableKinds) EXPECT_TRUE(trigger.CheckTimeTableKind(kind, due, 0, found));
    for (const std::uint32_t kind : kTimeTableKinds) EXPECT_FALSE(trigger.CheckTimeTableKind(kind, due, 0, found));
    // A one-digit day never matches, and a value of two characters or fewer starts nothing.
    EXPECT_EQ(found, (std::vector<Reminder>{{"07:30", "C:\\Apps\\WakeUp.wav"},
                                            {"07:30", "C:\\Sounds\\Tea.mid"},
                                            {"07:30", "C:\\Apps\\Date.wav"}}));
    EXPECT_FALSE(trigger.CheckTimeTableKind(FLAG_CHIME_BUSY, due, 0, found));
    EXPECT_EQ(files.files.size(), 1u);  // the trigger never writes
    // A minute that passed unexamined: every kind at once; "Today" only when it is that minute's day.
    files.files[kConfig] =
        "[Today]\r\n07:30=Today.wav\r\n[PowerOn]\r\n00:10=On.wav\r\n[Everyday]\r\n07:30=Every.wav\r\n";
    EXPECT_EQ(trigger.EntriesAt(due[0], now.utc - 600, true),
              (std::vector<Reminder>{
                  {"07:30", "C:\\Apps\\Every.wav"}, {"07:30", "C:\\Apps\\Today.wav"}, {"07:30", "C:\\Apps\\On.wav"}}));
    EXPECT_EQ(trigger.EntriesAt(due[0], now.utc - 600, false),
              (std::vector<Reminder>{{"07:30", "C:\\Apps\\Every.wav"}, {"07:30", "C:\\Apps\\On.wav"}}));
}

class PlaybackTest : public testing::Test {
protected:
    PlaybackTest() { media.pollsWhilePlaying = {{"a.wav", 5}, {"b.wav", 2}}; }

    std::atomic<std::uint32_t> flags{kDefaultFlags};
    FakeWaveSounds sounds;
    FakeMediaPlayer media;
    InlineThreads threads;
    std::vector<std::uint32_t> sleepsWith;
    SoundServices services{flags, sounds, media, threads,
                           [this](std::chrono::milliseconds step) { sleepsWith.push_back(static_cast<std::uint32_t>(step.count())); }};
};

TEST_F(PlaybackTest, PlaysToTheEndPausingBetweenQueries) {
    ASSERT_TRUE(StartPlayback(services, "a.wav"));
    EXPECT_EQ(media.Log(), (std::vector<std::string>{"open a.wav", "play a.wav", "close a.wav"}));
    EXPECT_EQ(sleepsWith, std::vector<std::uint32_t>(5, 100));
    EXPECT_EQ(flags.load(), kDefaultFlags);
}

TEST_F(PlaybackTest, EveryStopConditionEndsItAtTheNextQuery) {
    for (const auto& [name, stop] : std::vector<std::pair<const char*, std::function<void()>>>{
             {"silence", [&] { flags.fetch_or(FLAG_STOP_SOUND); }},
             {"quit", [&] { flags.fetch_or(FLAG_QUITTING); }},
             {"recorder stop", [&] { flags.fetch_and(~FLAG_PLAY_BUSY); }},
         }) {
        flags = kDefaultFlags;
        sleepsWith.clear();
        media.onPoll = [&](const std::string&, int poll) {
            if (poll == 2) stop();
        };
        PlaybackThread(services, SoundJob{0, 0, 0, "a.wav"});
        EXPECT_EQ(sleepsWith.size(), 2u) << name;  // seen one interval after the query that met it
        EXPECT_EQ(flags.load() & FLAG_PLAY_BUSY, 0u) << name;
    }
}

TEST_F(PlaybackTest, NothingSoundsWhenSilenceWasAskedBeforeItBegan) {
    flags.fetch_or(FLAG_STOP_SOUND);
    PlaybackThread(services, SoundJob{0, 0, 0, "a.wav"});
    EXPECT_TRUE(media.Log().empty());
    EXPECT_EQ(flags.load(), kDefaultFlags | FLAG_STOP_SOUND);
}

TEST_F(PlaybackTest, WaitsForTheChimeAndGivesUpAtShutdown) {
    flags.fetch_or(FLAG_CHIME_BUSY);
    services.sleep = [&](std::chrono::milliseconds step) {
        sleepsWith.push_back(static_cast<std::uint32_t>(step.count()));
        if (sleepsWith.size() == 3) flags.fetch_and(~FLAG_CHIME_BUSY);
    };
    PlaybackThread(services, SoundJob{0, 0, 0, "b.wav"});
    EXPECT_EQ(sleepsWith, (std::vector<std::uint32_t>{1000, 1000, 1000, 100, 100}));

    flags.fetch_or(FLAG_CHIME_BUSY);
    services.sleep = [&](std::chrono::milliseconds) { flags.fetch_or(FLAG_QUITTING); };
    PlaybackThread(services, SoundJob{0, 0, 0, "b.wav"});
    EXPECT_EQ(media.Log().size(), 3u);  // nothing more was opened
    EXPECT_EQ(flags.load() & FLAG_PLAY_BUSY, 0u);
}

TEST_F(PlaybackTest, UnplayableFilesAndOverlongPathsEndQuietly) {
    PlaybackThread(services, SoundJob{0, 0, 0, "missing.wav"});
    EXPECT_EQ(media.Log(), (std::vector<std::string>{"cannot open missing.wav"}));
    EXPECT_EQ(flags.load(), kDefaultFlags);
    EXPECT_FALSE(StartPlayback(services, std::string(kMaxSoundPathLength + 1, 'x')));
    EXPECT_TRUE(StartPlayback(services, std::string(kMaxSoundPathLength, 'x')));
    EXPECT_EQ(threads.started, 1);
}

}  // namespace
}  // namespace tockbell
