#include "core/config/quiet_hours.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/app/hot_key.h"
#include "core/chime/spoken_time.h"
#include "core/timetable/next_reminder.h"

namespace tockbell {
namespace {

constexpr int At(int hour, int minute) { return hour * 60 + minute; }

TEST(QuietHours, AMinuteIsQuietFromTheStartInclusiveToTheEndExclusive) {
    struct Case {
        QuietHours quiet;
        int minute;
        bool quietThen;
    };
    const QuietHours night{true, At(21, 45), At(6, 15)};
    const QuietHours day{true, At(9, 0), At(17, 0)};
    const QuietHours allDay{true, At(7, 0), At(7, 0)};
    for (const Case& c : {Case{night, At(21, 44), false}, Case{night, At(21, 45), true}, Case{night, At(0, 0), true},
                          Case{night, At(6, 14), true}, Case{night, At(6, 15), false}, Case{night, At(12, 0), false},
                          Case{day, At(8, 59), false}, Case{day, At(9, 0), true}, Case{day, At(16, 59), true},
                          Case{day, At(17, 0), false}, Case{allDay, At(7, 0), true}, Case{allDay, At(6, 59), true},
                          Case{QuietHours{false, At(0, 0), At(0, 0)}, At(3, 0), false},
                          Case{QuietHours{false, At(21, 45), At(6, 15)}, At(22, 0), false}}) {
        EXPECT_EQ(IsQuietAt(c.quiet, c.minute), c.quietThen)
            << QuietHoursValue(c.quiet) << " at " << MinuteText(c.minute);
    }
}

TEST(QuietHours, TheValueReadsAndWritesBackAndAnythingElseMeansNone) {
    struct Case {
        const char* value;
        std::optional<QuietHours> read;
        const char* written;
    };
    for (const Case& c :
         {Case{"on,22:00,07:00", QuietHours{true, At(22, 0), At(7, 0)}, "on,22:00,07:00"},
          Case{"off,21:45,06:15", QuietHours{false, At(21, 45), At(6, 15)}, "off,21:45,06:15"},
          Case{" ON , 00:00 , 23:59 ", QuietHours{true, 0, At(23, 59)}, "on,00:00,23:59"}, Case{"", std::nullopt, ""},
          Case{"on", std::nullopt, ""}, Case{"on,22:00", std::nullopt, ""}, Case{"yes,22:00,07:00", std::nullopt, ""},
          Case{"on,24:00,07:00", std::nullopt, ""}, Case{"on,22:60,07:00", std::nullopt, ""},
          Case{"on,7:00,22:00", std::nullopt, ""}, Case{"on,22:00,07:00,x", std::nullopt, ""}}) {
        EXPECT_EQ(ParseQuietHours(c.value), c.read) << c.value;
        if (c.read) {
            EXPECT_EQ(QuietHoursValue(*c.read), c.written);
        }
    }
    EXPECT_EQ(QuietLine(QuietHours{true, At(22, 0), At(7, 0)}, At(23, 0)), "Quiet until 07:00");
    EXPECT_EQ(QuietLine(QuietHours{true, At(22, 0), At(7, 0)}, At(7, 0)), std::nullopt);
    EXPECT_EQ(QuietLine(QuietHours{true, At(7, 0), At(7, 0)}, At(12, 0)), "Quiet all day");
}

using Words = std::vector<std::string>;

TEST(SpokenTime, TheHourOnTheDialThenTheMinutesThenTheDayHalf) {
    struct Case {
        int hour, minute;
        bool swap;
        Words words;
    };
    for (const Case& c :
         {Case{0, 0, false, {"WAVE012", "WAVEOCLOCK", "WAVE0AM"}},
          Case{0, 5, false, {"WAVE012", "WAVEOH", "WAVE005", "WAVE0AM"}},
          Case{7, 10, false, {"WAVE007", "WAVE010", "WAVE0AM"}}, Case{9, 12, false, {"WAVE009", "WAVE012", "WAVE0AM"}},
          Case{11, 15, false, {"WAVE011", "WAVE015", "WAVE0AM"}},
          Case{11, 59, false, {"WAVE011", "WAVE050", "WAVE009", "WAVE0AM"}},
          Case{12, 0, false, {"WAVE012", "WAVEOCLOCK", "WAVE0PM"}},
          Case{12, 30, false, {"WAVE012", "WAVE030", "WAVE0PM"}},
          Case{14, 37, false, {"WAVE002", "WAVE030", "WAVE007", "WAVE0PM"}},
          Case{14, 37, true, {"WAVE002", "WAVE030", "WAVE007", "WAVE0AM"}},
          Case{17, 42, false, {"WAVE005", "WAVE040", "WAVE002", "WAVE0PM"}},
          Case{23, 20, false, {"WAVE011", "WAVE020", "WAVE0PM"}}}) {
        EXPECT_EQ(SpokenTimeSequence(c.hour, c.minute, c.swap), c.words) << c.hour << ":" << c.minute;
    }
}

TEST(SpokenTime, EveryMinuteOfTheDayIsMadeOfKnownSounds) {
    std::set<std::string> known(kSpokenTimeSounds.begin(), kSpokenTimeSounds.end());
    for (int hour = 1; hour <= 12; ++hour)
        known.insert("WAVE" + std::string(hour < 10 ? "00" : "0") + std::to_string(hour));
    known.insert({"WAVE030", "WAVE0AM", "WAVE0PM"});
    std::set<std::string> used;
    for (int minute = 0; minute < kMinutesPerDay; ++minute) {
        const Words words = SpokenTimeSequence(minute / 60, minute % 60, false);
        ASSERT_GE(words.size(), 3u) << minute;
        for (const std::string& word : words) {
            EXPECT_TRUE(known.count(word)) << word << " at " << MinuteText(minute);
            used.insert(word);
        }
    }
    EXPECT_EQ(used, known);  // and every new word is used
}

// 2026-12-08 is a Tuesday.
std::tm Local(int year, int month, int day, int hour, int minute) {
    std::tm local{};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    std::tm noon = local;
    timegm(&noon);  // the weekday; TZ is UTC in the tests
    local.tm_wday = noon.tm_wday;
    return local;
}

TEST(NextReminder, TheTriggersSectionsOverTheComingWeek) {
    struct Case {
        const char* what;
        const char* file;
        std::tm now;
        const char* line;  // empty: none
    };
    const std::tm tuesday = Local(2026, 12, 8, 14, 5);
    for (const Case& c : {
             Case{"later today", "[Everyday]\r\n14:30=Pills.wav\r\n07:30=WakeUp.wav\r\n", tuesday,
                  "Next: 14:30 Pills (in 25 min)"},
             Case{"the current minute has gone", "[Everyday]\r\n14:05=Now.wav\r\n07:30=C:\\Sounds\\WakeUp.mid\r\n",
                  tuesday, "Next: tomorrow 07:30 WakeUp"},
             Case{"hours ahead", "[Today]\r\n18:00=a/b/Tea.wav\r\n", tuesday, "Next: 18:00 Tea (in 3 h 55 min)"},
             Case{"Tomorrow is tomorrow's Today", "[Tomorrow]\r\n06:00=Up.wav\r\n[Today]\r\n09:00=Gone.wav\r\n",
                  tuesday, "Next: tomorrow 06:00 Up"},
             Case{"a weekday", "[Friday]\r\n08:00=Bins.wav\r\n", tuesday, "Next: Friday 08:00 Bins"},
             Case{"a weekday with d", "[Thursday, d]\r\n08:00=D.wav\r\n", tuesday, "Next: Thursday 08:00 D"},
             Case{"a day of the month", "[10]\r\n08:00=Rent.wav\r\n", tuesday, "Next: Thursday 08:00 Rent"},
             Case{"a month and day", "[December 13]\r\n10:00=Gift.wav\r\n", tuesday, "Next: Sunday 10:00 Gift"},
             Case{"a weekday and day", "[Friday 11]\r\n10:00=F.wav\r\n", tuesday, "Next: Friday 10:00 F"},
             Case{"a weekday and date", "[Saturday, December 12]\r\n10:00=S.wav\r\n", tuesday,
                  "Next: Saturday 10:00 S"},
             Case{"a weekday and month", "[Monday, December]\r\n10:00=M.wav\r\n", tuesday, "Next: Monday 10:00 M"},
             Case{"exactly a week ahead", "[Tuesday]\r\n14:05=Same.wav\r\n", tuesday, "Next: Tuesday 14:05 Same"},
             Case{"beyond a week", "[Tuesday]\r\n14:06=Later.wav\r\n[December 20]\r\n09:00=X.wav\r\n", tuesday,
                  "Next: 14:06 Later (in 1 min)"},
             Case{"nothing within a week", "[December 16]\r\n09:00=X.wav\r\n[Main]\r\nFlags=31,2,8,0\r\n", tuesday, ""},
             Case{"too short to play", "[Everyday]\r\n14:30=ab\r\n15:00=abc\r\n", tuesday,
                  "Next: 15:00 abc (in 55 min)"},
             Case{"names without case, keys with blanks", "[ everyday ]\r\n 14:30 = Pills.wav\r\n", tuesday,
                  "Next: 14:30 Pills (in 25 min)"},
             Case{"the first of a month end", "[01]\r\n00:00=Month.wav\r\n", Local(2026, 12, 31, 23, 0),
                  "Next: tomorrow 00:00 Month"},
             Case{"across the year end", "[January 02]\r\n09:00=NewYear.wav\r\n", Local(2026, 12, 31, 23, 0),
                  "Next: Saturday 09:00 NewYear"},
             Case{"a month that begins", "[March]\r\n09:00=Spring.wav\r\n", Local(2027, 2, 27, 12, 0),
                  "Next: Monday 09:00 Spring"},
             Case{"the earlier of two kinds", "[Everyday]\r\n20:00=E.wav\r\n[Tuesday]\r\n19:00=T.wav\r\n", tuesday,
                  "Next: 19:00 T (in 4 h 55 min)"},
             Case{"the kinds' order in one minute", "[Tuesday]\r\n19:00=T.wav\r\n[Everyday]\r\n19:00=E.wav\r\n",
                  tuesday, "Next: 19:00 E (in 4 h 55 min)"},
         }) {
        const std::optional<NextReminder> next = FindNextReminder(c.file, c.now, 0);
        EXPECT_EQ(next ? NextReminderLine(*next) : std::string(), c.line) << c.what;
    }
}

TEST(NextReminder, PowerOnEntriesCountFromTheStart) {
    const std::tm now = Local(2026, 12, 8, 14, 5);
    // Started 01:00 ago: 01:30 is due in half an hour, 00:30 only in 23 h 30 min.
    const std::optional<NextReminder> next =
        FindNextReminder("[PowerOn]\r\n00:30=Stretch.wav\r\n01:30=Break.wav\r\n", now, 3600);
    ASSERT_TRUE(next);
    EXPECT_EQ(NextReminderLine(*next), "Next: 14:35 Break (in 30 min)");
    const std::optional<NextReminder> later = FindNextReminder("[PowerOn]\r\n00:30=Stretch.wav\r\n", now, 3600);
    ASSERT_TRUE(later);
    EXPECT_EQ(NextReminderLine(*later), "Next: tomorrow 13:35 Stretch");
}

TEST(HotKey, TheValueNamesModifiersAndAKey) {
    struct Case {
        const char* value;
        std::optional<HotKey> key;
    };
    for (const Case& c :
         {Case{"Ctrl+Alt+Shift+T", kDefaultSayTimeKey}, Case{"", kDefaultSayTimeKey}, Case{"none", std::nullopt},
          Case{" NONE ", std::nullopt}, Case{"win + f12", HotKey{false, false, false, true, 0, 12}},
          Case{"Ctrl+Shift+9", HotKey{true, false, true, false, '9', 0}},
          Case{"alt+s", HotKey{false, true, false, false, 'S', 0}}, Case{"T", kDefaultSayTimeKey},
          Case{"Ctrl+", kDefaultSayTimeKey}, Case{"Ctrl+F25", kDefaultSayTimeKey}, Case{"Hyper+T", kDefaultSayTimeKey},
          Case{"Ctrl+Alt+TT", kDefaultSayTimeKey}, Case{"Ctrl+[", kDefaultSayTimeKey}}) {
        EXPECT_EQ(ParseHotKey(c.value), c.key) << c.value;
    }
}

}  // namespace
}  // namespace tockbell
