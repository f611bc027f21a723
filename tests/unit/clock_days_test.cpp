// Whole days of the running clock in named zones, simulated second by second without sleeping: the
// tick, the time-table and the sounds as the program has them, with what a user would hear and see
// written down as events. The wall clock may jump while the monotonic clock runs on (a resume, the
// clock set), or both may run on without a tick (the clock held up).
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/app/clock_actions.h"
#include "core/app/clock_tick.h"
#include "tests/unit/config_fixture.h"
#include "tests/unit/fake_sound.h"

namespace tockbell {
namespace {

constexpr const char* kProgram = "C:\\Apps\\Tockbell.exe";

std::tm LocalTime(std::time_t utc) {
    std::tm local{};
    localtime_r(&utc, &local);
    return local;
}

std::string Format(const char* format, const std::tm& time) {
    char text[64];
    return std::string(text, std::strftime(text, sizeof text, format, &time));
}

class NoShell : public TrayShell {
public:
    bool Add() override { return true; }
    bool Modify() override { return true; }
    bool Delete() override { return true; }
    void Renew() override {}
};

class ClockDays : public ConfigFixture {
protected:
    ClockDays() {
        previousZone_ = std::getenv("TZ") ? std::getenv("TZ") : "UTC";
        settings.volumeDivisor = 1;
        sounds.whilePlaying = [this](const std::string& name) { heard_.push_back(name); };
    }
    ~ClockDays() override { Zone(previousZone_.c_str()); }

    static void Zone(const char* zone) {
        setenv("TZ", zone, 1);
        tzset();
    }
    // Starts the clock in `zone` at a local time (which must exist), with the time-table `table` whose
    // sound files all play for a few polls, sounds on; `flags` are the stored options.
    void Start(const char* zone, int year, int month, int day, int hour, int minute, int second,
               const std::string& table, std::uint32_t flags = kDefaultFlags) {
        Zone(zone);
        std::tm local{};
        local.tm_year = year - 1900, local.tm_mon = month - 1, local.tm_mday = day;
        local.tm_hour = hour, local.tm_min = minute, local.tm_sec = second, local.tm_isdst = -1;
        wall_ = std::mktime(&local);
        settings.lastDay = day;
        settings.flags = flags & kStoredFlagsMask;
        files.files[kConfig] = table;
        for (std::size_t at = table.find('='); at != std::string::npos; at = table.find('=', at + 1)) {
            const std::size_t end = table.find_first_of("\r\n", at);
            media.pollsWhilePlaying["C:\\Apps\\" + table.substr(at + 1, end - at - 1)] = 3;
        }
        icon.Create();
    }
    // One tick a second for `seconds` seconds.
    void Run(int seconds) {
        for (int i = 0; i < seconds; ++i) Tick();
    }
    // Runs until the local clock shows hh:mm:ss, the tick at that second not included.
    void RunUntil(const char* time) {
        for (int i = 0; i < 2 * 86400 && Format("%H:%M:%S", LocalTime(wall_)) != time; ++i) Tick();
    }
    // The wall clock jumps by `seconds` while the monotonic clock stands (a resume, the clock set).
    void Jump(std::time_t seconds) { wall_ += seconds; }
    // Both clocks run on for `seconds` without a tick.
    void HoldUp(std::time_t seconds) {
        wall_ += seconds;
        monotonicMs_ += seconds * 1000;
    }
    // What happened, one line each: the local time of the tick, then what it set going.
    std::vector<std::string> Events(const std::string& kind = "") const {
        std::vector<std::string> chosen;
        for (const std::string& event : events_) {
            if (kind.empty() || event.find(" " + kind + " ") == 8) chosen.push_back(event);
        }
        return chosen;
    }
    std::vector<std::string> NoChimes() const {
        std::vector<std::string> chosen;
        for (const std::string& event : events_) {
            if (event.find(" chime ") != 8) chosen.push_back(event);
        }
        return chosen;
    }
    // The chimes that the face's full and half hours ask for between two moments: one each, striking
    // the hour shown, as "hh:mm:00 chime N" (N strikes) or "hh:mm:00 chime half N" (the hour spoken).
    static std::vector<std::string> FaceChimes(std::time_t from, std::time_t to) {
        std::vector<std::string> chimes;
        for (std::time_t minute = from - from % 60; minute < to; minute += 60) {
            const std::tm local = LocalTime(minute);
            if (minute < from || local.tm_min % 30 != 0) continue;
            const int hour = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
            chimes.push_back(Format("%H:%M:00 chime ", local) + (local.tm_min == 30 ? "half " : "") +
                             std::to_string(hour));
        }
        return chimes;
    }
    // The chime events written as FaceChimes writes them.
    std::vector<std::string> Chimes() const {
        std::vector<std::string> chimes;
        for (const std::string& event : Events("chime")) {
            const std::size_t spoken = event.find("WAVE0", event.find("WAVE1"));
            const int hour = std::atoi(event.c_str() + spoken + 5);
            const bool half = event.find("WAVE030") != std::string::npos;
            chimes.push_back(event.substr(0, 8) + " chime " + (half ? "half " : "") + std::to_string(hour));
        }
        return chimes;
    }

    ClockSettings settings{1};
    FakeWaveSounds sounds;
    FakeMediaPlayer media;
    InlineThreads threads;
    SoundServices services{settings.flags, sounds, media, threads, [](std::chrono::milliseconds) {}};
    FakeNotifications notifications;
    ClockActions actions{settings, &store, services, notifications, kProgram};
    NoShell shell;
    TrayIcon icon{settings.flags, shell};
    ClockTick tick{settings, icon, actions, LocalTime};
    std::time_t wall_ = 0;

private:
    void Tick() {
        const std::tm local = LocalTime(wall_);
        const std::size_t opened = media.Log().size();
        const std::size_t shown = notifications.shown.size();
        heard_.clear();
        tick.OnTimer({wall_, local, monotonicMs_});
        const std::string at = Format("%H:%M:%S ", local);
        if (!heard_.empty()) {
            std::string chime = at + "chime";
            for (std::size_t i = 0; i < heard_.size(); ++i) {
                std::size_t run = 1;
                while (heard_[i] == "WAVE1" && i + 1 < heard_.size() && heard_[i + 1] == "WAVE1") ++run, ++i;
                chime += " " + heard_[i] + (run > 1 ? "*" + std::to_string(run) : "");
            }
            events_.push_back(chime);
        }
        for (std::size_t i = shown; i < notifications.shown.size(); ++i) events_.push_back(at + notifications.shown[i]);
        const std::vector<std::string> log = media.Log();
        for (std::size_t i = opened; i < log.size(); ++i) {
            if (log[i].rfind("open ", 0) != 0) continue;
            const std::string name = log[i].substr(log[i].rfind('\\') + 1);
            events_.push_back(at + "play " + name.substr(0, name.rfind('.')));
        }
        wall_ += 1;
        monotonicMs_ += 1000;
    }

    std::string previousZone_;
    std::int64_t monotonicMs_ = 5000;
    std::vector<std::string> heard_;
    std::vector<std::string> events_;
};

TEST_F(ClockDays, TheSpringChangePlaysTheSkippedHoursEntriesAtTheFirstMinuteAfterIt) {
    // Sunday 14 March 2027 in New York: 02:00 EST is 03:00 EDT.
    Start("America/New_York", 2027, 3, 14, 0, 0, 0,
          "[Everyday]\r\n01:30=Before.wav\r\n02:15=Gap.wav\r\n02:59=GapEnd.wav\r\n03:00=Three.wav\r\n"
          "[Sunday]\r\n02:30=Sunday.wav\r\n");
    const std::time_t from = wall_;
    Run(23 * 3600);
    EXPECT_EQ(NoChimes(), (std::vector<std::string>{"01:30:01 notify 01:30 Before [Stop]", "01:30:01 play Before",
                                                    // The chime of three takes the first tick; the entries follow, in
                                                    // the order of their kinds, and each after the one before.
                                                    "03:00:01 notify 02:15 Gap [Stop]", "03:00:01 play Gap",
                                                    "03:00:02 notify 02:59 GapEnd [Stop]", "03:00:02 play GapEnd",
                                                    "03:00:03 notify 03:00 Three [Stop]", "03:00:03 play Three",
                                                    "03:00:05 notify 02:30 Sunday [Stop]", "03:00:05 play Sunday"}));
    EXPECT_EQ(Events("chime")[4], "03:00:00 chime WAVE0 WAVE1*3 WAVE003 WAVE0AM");
    EXPECT_EQ(Chimes(), FaceChimes(from, wall_));
    EXPECT_EQ(Chimes().size(), 46u);
}

TEST_F(ClockDays, TheAutumnChangeChimesTheRepeatedHourTwiceAndPlaysItsEntriesOnce) {
    // Sunday 31 October 2027 in Berlin: 03:00 CEST is 02:00 CET.
    Start("Europe/Berlin", 2027, 10, 31, 0, 0, 0,
          "[Everyday]\r\n02:00=Twice.wav\r\n02:30=Half.wav\r\n03:00=Three.wav\r\n[Sunday]\r\n02:45=Sunday.wav\r\n");
    const std::time_t from = wall_;
    Run(25 * 3600);
    EXPECT_EQ(NoChimes(), (std::vector<std::string>{"02:00:01 notify 02:00 Twice [Stop]", "02:00:01 play Twice",
                                                    "02:30:01 notify 02:30 Half [Stop]", "02:30:01 play Half",
                                                    "02:45:04 notify 02:45 Sunday [Stop]", "02:45:04 play Sunday",
                                                    "03:00:01 notify 03:00 Three [Stop]", "03:00:01 play Three"}));
    const std::vector<std::string> chimes = Chimes();
    EXPECT_EQ(chimes, FaceChimes(from, wall_));
    EXPECT_EQ(std::count(chimes.begin(), chimes.end(), "02:00:00 chime 2"), 2);
    EXPECT_EQ(std::count(chimes.begin(), chimes.end(), "02:30:00 chime half 2"), 2);
    EXPECT_EQ(chimes.size(), 50u);
}

// Never at a half hour of UTC: 10:00 in Kolkata is 04:30 UTC, in Kathmandu 04:15 UTC.
class ClockDaysInZone : public ClockDays, public testing::WithParamInterface<const char*> {};

TEST_P(ClockDaysInZone, ChimesAtItsOwnFullAndHalfHours) {
    Start(GetParam(), 2027, 3, 14, 0, 0, 0, "[Everyday]\r\n10:00=Ten.wav\r\n");
    const std::time_t from = wall_;
    Run(86400);
    EXPECT_EQ(Chimes(), FaceChimes(from, wall_));
    EXPECT_EQ(Chimes().size(), 48u);
    EXPECT_EQ(NoChimes(), (std::vector<std::string>{"10:00:01 notify 10:00 Ten [Stop]", "10:00:01 play Ten"}));
}

INSTANTIATE_TEST_SUITE_P(HalfAndThreeQuarterHourZones, ClockDaysInZone,
                         testing::Values("Asia/Kolkata", "Asia/Kathmandu"));

TEST_F(ClockDays, AChimeThatEndsWithinItsFirstSecondsSoundsOnce) {
    // "Strike half hour" off, both voices on: at 10:30 only the words, over in an instant here.
    Start("Europe/Berlin", 2027, 6, 1, 10, 29, 50, "",
          FLAG_MULTISTRIKE | FLAG_VOICE_HOURS | FLAG_VOICE_HALF | FLAG_SOUND_ON);
    Run(70);
    EXPECT_EQ(Events(), (std::vector<std::string>{"10:30:00 chime WAVE010 WAVE030 WAVE0AM"}));
}

TEST_F(ClockDays, AResumeAfterTenMinutesPlaysTheEntriesItSkippedAfterThoseOfItsMinute) {
    Start("Europe/Berlin", 2026, 12, 8, 13, 0, 0, "[Everyday]\r\n13:05=Five.wav\r\n13:10=Ten.wav\r\n13:12=Now.wav\r\n");
    RunUntil("13:02:10");
    Jump(10 * 60);
    Run(60);
    EXPECT_EQ(Events(), (std::vector<std::string>{"13:00:00 chime WAVE0 WAVE1 WAVE001 WAVE0PM",
                                                  "13:12:10 notify 13:12 Now [Stop]", "13:12:10 play Now",
                                                  // Once every kind of 13:12 has been looked up.
                                                  "13:12:21 notify 13:05 Five [Stop]", "13:12:21 play Five",
                                                  "13:12:22 notify 13:10 Ten [Stop]", "13:12:22 play Ten"}));
}

TEST_F(ClockDays, AResumeAfterThreeHoursListsWhatIsFifteenMinutesLateAndReplaysNoChime) {
    Start("Europe/Berlin", 2026, 12, 8, 12, 58, 0,
          "[Everyday]\r\n13:30=A.wav\r\n14:00=B.wav\r\n15:50=C.wav\r\n16:02=D.wav\r\n16:30=E.wav\r\n"
          "[Tuesday]\r\n15:00=Tea.wav\r\n15:47=Over.wav\r\n15:48=Under.wav\r\n");
    RunUntil("13:02:10");
    Jump(3 * 3600);
    RunUntil("16:31:00");
    EXPECT_EQ(NoChimes(),
              (std::vector<std::string>{
                  // 15:47 is 15 minutes and 10 seconds late, 15:48 not quite 15 minutes.
                  "16:02:10 notify Missed while the computer was asleep: 13:30 A, 14:00 B, 15:00 Tea, 15:47 Over",
                  "16:02:10 notify 16:02 D [Stop]", "16:02:10 play D", "16:02:21 notify 15:48 Under [Stop]",
                  "16:02:21 play Under", "16:02:22 notify 15:50 C [Stop]", "16:02:22 play C",
                  "16:30:01 notify 16:30 E [Stop]", "16:30:01 play E"}));
    EXPECT_EQ(Chimes(), (std::vector<std::string>{"13:00:00 chime 1", "16:30:00 chime half 4"}));
}

TEST_F(ClockDays, AResumeAcrossMidnightTakesEachDaysOwnToday) {
    // Tuesday 8 to Wednesday 9 December 2026; the file's "Today" is Tuesday's until the roll.
    Start("Europe/Berlin", 2026, 12, 8, 23, 48, 0,
          "[Everyday]\r\n23:55=Late15.wav\r\n23:58=Yesterday.wav\r\n00:05=Early.wav\r\n00:10=Now.wav\r\n"
          "[Today]\r\n23:57=OldToday.wav\r\n00:07=Gone.wav\r\n[Tomorrow]\r\n00:06=NewToday.wav\r\n");
    RunUntil("23:50:10");
    Jump(20 * 60);
    Run(30);
    EXPECT_EQ(Events(), (std::vector<std::string>{"00:10:10 notify Missed while the computer was asleep: 23:55 Late15",
                                                  "00:10:10 notify 00:10 Now [Stop]", "00:10:10 play Now",
                                                  "00:10:21 notify 23:57 OldToday [Stop]", "00:10:21 play OldToday",
                                                  "00:10:22 notify 23:58 Yesterday [Stop]", "00:10:22 play Yesterday",
                                                  "00:10:23 notify 00:05 Early [Stop]", "00:10:23 play Early",
                                                  "00:10:24 notify 00:06 NewToday [Stop]", "00:10:24 play NewToday"}));
    EXPECT_EQ(settings.lastDay, 9);
}

TEST_F(ClockDays, TheClockSetBackTenMinutesChimesAgainButPlaysNoEntryTwice) {
    Start("Europe/Berlin", 2026, 12, 8, 13, 58, 0,
          "[Everyday]\r\n14:00=Hour.wav\r\n14:03=Three.wav\r\n14:06=Six.wav\r\n");
    RunUntil("14:05:30");
    Jump(-10 * 60);
    RunUntil("14:07:00");
    EXPECT_EQ(Events(), (std::vector<std::string>{"14:00:00 chime WAVE0 WAVE1*2 WAVE002 WAVE0PM",
                                                  "14:00:01 notify 14:00 Hour [Stop]", "14:00:01 play Hour",
                                                  "14:03:00 notify 14:03 Three [Stop]", "14:03:00 play Three",
                                                  "14:00:00 chime WAVE0 WAVE1*2 WAVE002 WAVE0PM",
                                                  "14:06:00 notify 14:06 Six [Stop]", "14:06:00 play Six"}));
}

TEST_F(ClockDays, TheClockSetForwardAnHourPlaysWhatIsLessThanFifteenMinutesLate) {
    Start("Europe/Berlin", 2026, 12, 8, 14, 4, 0,
          "[Everyday]\r\n14:30=Missed.wav\r\n14:55=Late.wav\r\n15:00=Hour.wav\r\n15:06=Next.wav\r\n");
    RunUntil("14:05:30");
    Jump(3600);
    RunUntil("15:07:00");
    EXPECT_EQ(Events(), (std::vector<std::string>{"15:05:30 notify Missed while the computer was asleep: 14:30 Missed",
                                                  "15:05:41 notify 14:55 Late [Stop]", "15:05:41 play Late",
                                                  "15:05:42 notify 15:00 Hour [Stop]", "15:05:42 play Hour",
                                                  "15:06:00 notify 15:06 Next [Stop]", "15:06:00 play Next"}));
}

TEST_F(ClockDays, MinutesHeldUpWithTheComputerAwakeAllPlayLate) {
    Start("Europe/Berlin", 2026, 12, 8, 9, 58, 0, "[Everyday]\r\n10:05=A.wav\r\n10:20=B.wav\r\n");
    RunUntil("10:01:10");
    HoldUp(20 * 60);
    Run(30);
    EXPECT_EQ(Events(), (std::vector<std::string>{"10:00:00 chime WAVE0 WAVE1*10 WAVE010 WAVE0AM",
                                                  "10:21:21 notify 10:05 A [Stop]", "10:21:21 play A",
                                                  "10:21:22 notify 10:20 B [Stop]", "10:21:22 play B"}));
}

TEST_F(ClockDays, AStartIsNoJumpAndSilenceShowsRemindersWithNothingToStop) {
    Start("Europe/Berlin", 2026, 12, 8, 7, 31, 0, "[Everyday]\r\n07:30=Before.wav\r\n07:32=Silent.wav\r\n");
    settings.flags.fetch_or(FLAG_STOP_SOUND);  // started with sounds off
    Run(90);
    EXPECT_EQ(Events(), (std::vector<std::string>{"07:32:00 notify 07:32 Silent"}));
}

TEST_F(ClockDays, AStopFromTheNotificationEndsItsOwnReminderOnly) {
    Start("Europe/Berlin", 2026, 12, 8, 7, 29, 58, "[Everyday]\r\n07:30=Long.wav\r\n[Tuesday]\r\n07:30=Next.wav\r\n");
    media.pollsWhilePlaying["C:\\Apps\\Long.wav"] = 50;
    std::uint32_t first = 0;
    std::map<std::string, int> polls;
    media.onPoll = [&](const std::string& path, int poll) {
        polls[path.substr(path.rfind('\\') + 1)] = poll;
        if (path.ends_with("Long.wav") && poll == 1) actions.StopReminder((first = notifications.lastStopId) + 1);
        if (path.ends_with("Long.wav") && poll == 2) actions.StopReminder(first);
        if (path.ends_with("Next.wav") && poll == 1) actions.StopReminder(first);  // stale: the one before's
    };
    Run(10);
    EXPECT_EQ(NoChimes(), (std::vector<std::string>{"07:30:01 notify 07:30 Long [Stop]", "07:30:01 play Long",
                                                    "07:30:05 notify 07:30 Next [Stop]", "07:30:05 play Next"}));
    EXPECT_EQ(polls, (std::map<std::string, int>{{"Long.wav", 2}, {"Next.wav", 4}}));
    EXPECT_EQ(settings.flags.load() & (FLAG_REMINDER_BUSY | FLAG_REMINDER_STOP | FLAG_PLAY_BUSY), 0u);
}

TEST(ReminderTexts, NameTheTimeAndTheFileWithoutFolderAndExtension) {
    EXPECT_EQ(ReminderText({"07:30", "C:\\Sounds\\Dentist appointment.wav"}), "07:30 Dentist appointment");
    EXPECT_EQ(ReminderText({"08:00", "/home/me/.config/tockbell/Pills.mid"}), "08:00 Pills");
    EXPECT_EQ(ReminderText({"09:00", "C:\\Apps\\archive.tar.wav"}), "09:00 archive.tar");
    EXPECT_EQ(ReminderText({"10:00", "C:\\Apps.d\\NoExtension"}), "10:00 NoExtension");
    std::vector<Reminder> missed;
    for (const char* name : {"A", "B", "C", "D", "E", "F", "G"})
        missed.push_back({"07:30", std::string(name) + ".wav"});
    EXPECT_EQ(MissedRemindersText(std::span(missed).first(2)),
              "Missed while the computer was asleep: 07:30 A, 07:30 B");
    EXPECT_EQ(MissedRemindersText(missed),
              "Missed while the computer was asleep: 07:30 A, 07:30 B, 07:30 C, 07:30 D, 07:30 E and 2 more");
}

TEST(MinuteWatch, JumpsAreTheWallClockMovingAwayFromTheMonotonicOne) {
    const auto reading = [](std::time_t utc, std::int64_t monotonicMs) { return ClockReading{utc, {}, monotonicMs}; };
    for (const auto& [utc, monotonicMs, jump] :
         std::vector<std::tuple<std::time_t, std::int64_t, ClockJump>>{{1001, 2000, ClockJump::None},
                                                                       {1061, 62001, ClockJump::None},
                                                                       {1002, 1999, ClockJump::None},
                                                                       {1003, 2000, ClockJump::Ahead},
                                                                       {3880, 3000, ClockJump::Ahead},
                                                                       {1000, 3000, ClockJump::Back},
                                                                       {400, 62000, ClockJump::Back}}) {
        EXPECT_EQ(JumpBetween(reading(1000, 1000), reading(utc, monotonicMs)), jump) << utc << " " << monotonicMs;
    }
}

TEST(MinuteWatch, LocalMinutesCountTheCalendarWhateverTheOffset) {
    for (const auto& [year, month, day, wday, yday] :
         std::vector<std::tuple<int, int, int, int, int>>{{1970, 1, 1, 4, 0},
                                                          {1969, 12, 31, 3, 364},
                                                          {2000, 2, 29, 2, 59},
                                                          {2027, 3, 14, 0, 72},
                                                          {2027, 10, 31, 0, 303},
                                                          {2100, 3, 1, 1, 59},
                                                          {1900, 1, 1, 1, 0}}) {
        std::tm local{};
        local.tm_year = year - 1900, local.tm_mon = month - 1, local.tm_mday = day, local.tm_hour = 23,
        local.tm_min = 59;
        const std::tm back = LocalMinuteTime(LocalMinuteNumber(local));
        EXPECT_EQ(std::make_tuple(back.tm_year + 1900, back.tm_mon + 1, back.tm_mday, back.tm_hour, back.tm_min,
                                  back.tm_wday, back.tm_yday),
                  std::make_tuple(year, month, day, 23, 59, wday, yday));
        EXPECT_EQ(LocalMinuteNumber(LocalMinuteTime(LocalMinuteNumber(local) + 1)), LocalMinuteNumber(local) + 1);
    }
}

}  // namespace
}  // namespace tockbell
