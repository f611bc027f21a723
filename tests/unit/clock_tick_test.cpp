#include "core/app/clock_tick.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tockbell {
namespace {

// Records what the tick asked of the shell and of the other subsystems, in one list.
class Recorder : public TrayShell, public TickActions {
public:
    bool Add() override { return Log("add"), addResult; }
    bool Modify() override { return Log("modify"), true; }
    bool Delete() override { return Log("delete"), true; }
    void Renew() override { Log("renew"); }
    void RollDay(int day) override { Log("roll " + std::to_string(day)); }
    void StartChime(int hour, bool halfHour, bool afternoon) override {
        Log("chime " + std::to_string(hour) + (halfHour ? " half" : "") + (afternoon ? " pm" : ""));
    }
    bool CheckTimeTableKind(std::uint32_t kind, std::span<const DueMinute>) override {
        if (flags->load() & kind) return false;
        flags->fetch_or(kind);
        Log("kind " + std::to_string(kind));
        return true;
    }
    void CatchUp(std::span<const DueMinute>, ClockJump) override {}
    void PlayReminders(bool) override {}
    void StopReminder(std::uint32_t) override {}
    std::vector<std::string> Take() { return std::exchange(calls, {}); }

    std::atomic<std::uint32_t>* flags = nullptr;
    bool addResult = true;

private:
    void Log(const std::string& call) { calls.push_back(call); }
    std::vector<std::string> calls;
};

// December 2026 in UTC, where the tests run; the monotonic clock keeps step with the wall clock.
ClockReading At(int day, int hour, int minute, int second) {
    ClockReading time;
    time.local.tm_year = 126;
    time.local.tm_mon = 11;
    time.local.tm_mday = day;
    time.local.tm_hour = hour;
    time.local.tm_min = minute;
    time.local.tm_sec = second;
    time.utc = timegm(&time.local);
    time.monotonicMs = time.utc * 1000;
    return time;
}

std::tm UtcTime(std::time_t utc) {
    std::tm time{};
    gmtime_r(&utc, &time);
    return time;
}

class ClockTickTest : public testing::Test {
protected:
    ClockTickTest() {
        recorder.flags = &settings.flags;
        settings.flags.fetch_and(~FLAG_SOUND_ON);
    }
    // Creates the icon and runs the first tick, as the tray's creation does.
    void Start(const ClockReading& now) {
        icon.Create();
        tick.OnTimer(now);
    }
    // One tick per second from `from` (inclusive) for `seconds` seconds.
    void Run(const ClockReading& from, int seconds) {
        for (int i = 0; i < seconds; ++i) {
            const std::time_t utc = from.utc + i;
            tick.OnTimer({utc, UtcTime(utc), utc * 1000});
        }
    }
    int Count(const std::vector<std::string>& calls, const std::string& prefix) {
        int n = 0;
        for (const std::string& call : calls) n += call.rfind(prefix, 0) == 0;
        return n;
    }

    ClockSettings settings{8};
    Recorder recorder;
    TrayIcon icon{settings.flags, recorder};
    ClockTick tick{settings, icon, recorder, UtcTime};
};

// Also in minute 0 of an hour: the tick knows no earlier minute.
TEST_F(ClockTickTest, TheFirstTickIsANewMinute) {
    Start(At(8, 10, 0, 40));
    EXPECT_EQ(recorder.Take(), (std::vector<std::string>{"renew", "add", "renew", "modify", "kind 131072"}));
}

TEST_F(ClockTickTest, OneKindATickInTheFirstTicksOfEveryMinute) {
    Start(At(8, 10, 17, 5));
    Run(At(8, 10, 17, 6), 54);
    std::vector<std::string> calls = recorder.Take();
    std::vector<std::string> expected = {"renew", "add", "renew", "modify"};
    for (const std::uint32_t kind : kTimeTableKinds) expected.push_back("kind " + std::to_string(kind));
    expected.insert(expected.end(), {"delete", "add"});  // the 20th tick
    EXPECT_EQ(calls, expected);
    // The next minute clears the bits and starts over, with one new face.
    Run(At(8, 10, 18, 0), 60);
    calls = recorder.Take();
    EXPECT_EQ(Count(calls, "kind"), 11);
    EXPECT_EQ(Count(calls, "renew"), 1);
    EXPECT_EQ(calls.front(), "renew");
    EXPECT_EQ(calls[2], "kind " + std::to_string(KIND_EVERYDAY));
    EXPECT_EQ(settings.flags.load() & 0x0FFE0000u, 0x0FFE0000u);
}

TEST_F(ClockTickTest, TheClockSetByWholeHoursShowsANewFace) {
    Start(At(8, 10, 17, 5));
    recorder.Take();
    tick.OnTimer(At(8, 11, 17, 6));  // clock put forward an hour
    tick.OnTimer(At(8, 9, 17, 7));   // and back two
    EXPECT_EQ(Count(recorder.Take(), "renew"), 2);
    tick.OnTimer(At(8, 9, 17, 8));
    EXPECT_EQ(Count(recorder.Take(), "renew"), 0);
}

TEST_F(ClockTickTest, MidnightRollsTheDayOnce) {
    Start(At(8, 23, 59, 50));
    Run(At(8, 23, 59, 51), 9);
    recorder.Take();
    tick.OnTimer(At(9, 0, 0, 0));
    // The roll records the day itself; the tick only asks for it.
    EXPECT_EQ(recorder.Take().front(), "roll 9");
    settings.lastDay = 9;
    Run(At(9, 0, 0, 1), 120);
    EXPECT_EQ(Count(recorder.Take(), "roll"), 0);
}

TEST_F(ClockTickTest, TheTwentiethTickRefreshesAShownIconOnce) {
    Start(At(8, 10, 17, 0));
    Run(At(8, 10, 17, 1), 18);
    EXPECT_EQ(Count(recorder.Take(), "delete"), 0);
    tick.OnTimer(At(8, 10, 17, 19));
    const std::vector<std::string> calls = recorder.Take();
    EXPECT_EQ(std::vector<std::string>(calls.begin(), calls.begin() + 2), (std::vector<std::string>{"delete", "add"}));
    Run(At(8, 10, 17, 20), 100);
    EXPECT_EQ(Count(recorder.Take(), "delete"), 0);
}

TEST_F(ClockTickTest, AHiddenIconIsNeitherRedrawnNorRefreshed) {
    settings.flags.fetch_or(FLAG_ICON_HIDDEN);
    Start(At(8, 10, 17, 0));
    Run(At(8, 10, 17, 1), 120);
    const std::vector<std::string> calls = recorder.Take();
    EXPECT_EQ(Count(calls, "renew"), 1);  // the one of the creation
    EXPECT_EQ(Count(calls, "add") + Count(calls, "delete") + Count(calls, "modify"), 0);
}

struct ChimeCase {
    int hour, minute, second;
    const char* chime;  // empty: no chime
};

TEST_F(ClockTickTest, ChimesInTheFirstThreeSecondsOfFullAndHalfHours) {
    settings.flags.fetch_or(FLAG_SOUND_ON);
    Start(At(8, 9, 58, 0));
    int day = 8;
    for (const ChimeCase& c : {
             ChimeCase{0, 0, 0, "chime 0"}, ChimeCase{12, 0, 1, "chime 0 pm"}, ChimeCase{12, 30, 0, "chime 0 half pm"},
             ChimeCase{13, 0, 2, "chime 1 pm"},
             ChimeCase{17, 30, 0, "chime 5 half pm"}, ChimeCase{11, 30, 2, "chime 11 half"},
             ChimeCase{23, 0, 0, "chime 11 pm"}, ChimeCase{17, 30, 3, ""}, ChimeCase{17, 15, 0, ""},
             ChimeCase{17, 1, 0, ""},
         }) {
        // Each on a day of its own: an earlier time of the same day would be the clock set back.
        const ClockReading at = At(++day, c.hour, c.minute, c.second);
        tick.OnTimer({at.utc - c.second - 1, UtcTime(at.utc - c.second - 1), (at.utc - c.second - 1) * 1000});
        recorder.Take();
        tick.OnTimer(at);
        const std::vector<std::string> calls = recorder.Take();
        SCOPED_TRACE(testing::Message() << c.hour << ":" << c.minute << ":" << c.second);
        if (*c.chime) {
            // The chime takes the tick: no kind is examined in it.
            EXPECT_EQ(calls.back(), c.chime);
            EXPECT_EQ(Count(calls, "kind"), 0);
        } else {
            EXPECT_EQ(Count(calls, "chime"), 0);
            EXPECT_EQ(Count(calls, "kind"), 1);
        }
    }
}

TEST_F(ClockTickTest, NoChimeWhileSoundsAreOffOrAChimeRuns) {
    Start(At(8, 11, 59, 58));
    Run(At(8, 11, 59, 59), 4);
    EXPECT_EQ(Count(recorder.Take(), "chime"), 0);

    settings.flags.fetch_or(FLAG_SOUND_ON);
    tick.OnTimer(At(8, 12, 29, 59));
    tick.OnTimer(At(8, 12, 30, 0));
    settings.flags.fetch_or(FLAG_CHIME_BUSY);  // what the chime's start does
    tick.OnTimer(At(8, 12, 30, 1));
    settings.flags.fetch_and(~FLAG_CHIME_BUSY);  // a sequence that ended within a second
    tick.OnTimer(At(8, 12, 30, 2));
    const std::vector<std::string> calls = recorder.Take();
    EXPECT_EQ(Count(calls, "chime"), 1);
    // A chime still sounding loses its busy bit at the change of minute.
    tick.OnTimer(At(8, 12, 31, 0));
    EXPECT_EQ(settings.flags.load() & FLAG_CHIME_BUSY, 0u);
}

TEST(TrayIcon, RefusedFirstAddFailsTheCreation) {
    ClockSettings settings(8);
    Recorder shell;
    shell.addResult = false;
    TrayIcon icon(settings.flags, shell);
    EXPECT_FALSE(icon.Create());
    EXPECT_EQ(settings.flags.load() & FLAG_ICON_CREATED, 0u);
    EXPECT_FALSE(icon.RemoveIcon());
}

TEST(TrayIcon, HideShowRefreshAndTheShellsRestart) {
    ClockSettings settings(8);
    Recorder shell;
    TrayIcon icon(settings.flags, shell);
    icon.ShowIcon();
    icon.OnShellRestarted();
    EXPECT_TRUE(shell.Take().empty());  // nothing before the creation
    ASSERT_TRUE(icon.Create());
    shell.Take();
    icon.OnShellRestarted();
    icon.HideIcon();
    icon.HideIcon();
    icon.RefreshIcon();
    icon.OnShellRestarted();
    icon.OnScaleChanged();
    icon.ShowIcon();
    icon.RefreshIcon();
    icon.OnScaleChanged();
    // A restarted shell or a new scale may want another size: the face is drawn afresh first.
    EXPECT_EQ(shell.Take(),
              (std::vector<std::string>{"renew", "add", "delete", "add", "delete", "add", "renew", "modify"}));
    EXPECT_TRUE(icon.RemoveIcon());
    EXPECT_EQ(shell.Take(), (std::vector<std::string>{"delete"}));
    EXPECT_EQ(settings.flags.load() & (FLAG_ICON_CREATED | FLAG_ICON_HIDDEN), 0u);
}

}  // namespace
}  // namespace tockbell
