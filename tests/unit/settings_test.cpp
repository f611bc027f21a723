// The settings dialog's rules: the data exchange with the settings record, the Setup page's rules,
// the test buttons, the world-clock text, the tabs and the dialog clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/config/settings_file.h"
#include "core/settings/settings_dialog_state.h"
#include "core/settings/settings_exchange.h"
#include "core/settings/zone_lines.h"
#include "tests/unit/config_fixture.h"
#include "tests/unit/counting_shell.h"
#include "tests/unit/fake_sound.h"

namespace tockbell {
namespace {

constexpr std::int32_t kToday = 8;

class SettingsExchangeTest : public ConfigFixture {
protected:
    SettingsExchangeTest() {
        SaveSettings(store, settings);
        icon.Create();
    }
    std::string Main(const std::string& flags, const std::string& zones = "") const {
        return "[Main]\r\nFlags=" + flags + "\r\n" + zones;
    }

    ClockSettings settings{kToday};
    CountingShell shell;
    TrayIcon icon{settings.flags, shell};
    SettingsExchange exchange{settings, icon, &store};
};

// Each stored option and the box that shows it.
struct OptionCase {
    std::uint32_t bit;
    bool SetupControls::*box;
};
const OptionCase kOptions[] = {
    {FLAG_SOUND_ON, &SetupControls::soundOn},       {FLAG_MULTISTRIKE, &SetupControls::multistrike},
    {FLAG_STRIKE_HALF, &SetupControls::strikeHalf}, {FLAG_VOICE_HOURS, &SetupControls::voiceHours},
    {FLAG_VOICE_HALF, &SetupControls::voiceHalf},   {FLAG_ICON_HIDDEN, &SetupControls::iconHidden},
    {FLAG_SWAP_AMPM, &SetupControls::swapAmPm},
};

TEST_F(SettingsExchangeTest, EachOptionBitTravelsToItsBoxAndBack) {
    for (const OptionCase& option : kOptions) {
        for (const bool alone : {true, false}) {
            // The bit alone, and every other option bit without it.
            const std::uint32_t stored = alone ? option.bit : kStoredFlagsMask & ~option.bit;
            settings.flags.store(stored | FLAG_ICON_CREATED);
            const SetupControls controls = exchange.Load();
            for (const OptionCase& other : kOptions) {
                EXPECT_EQ(controls.*other.box, (stored & other.bit) != 0) << option.bit << " alone " << alone;
            }
            EXPECT_FALSE(controls.closeProgram || controls.uninstall);
            // The same boxes give the same bits back.
            settings.flags.store(FLAG_ICON_CREATED | (~stored & kStoredFlagsMask));
            EXPECT_EQ(exchange.Store(controls), CloseRequest::KeepRunning);
            EXPECT_EQ(settings.flags.load() & kStoredFlagsMask, stored) << option.bit << " alone " << alone;
        }
    }
}

TEST_F(SettingsExchangeTest, LoadingSetsTheSwitchTheBoxesBelowItAndTheStopRequest) {
    settings.flags.store(FLAG_VOICE_HALF | FLAG_ICON_CREATED);  // sounds off
    SetupControls controls = exchange.Load();
    EXPECT_FALSE(controls.strikeOptionsEnabled);
    EXPECT_FALSE(controls.voiceHalfEnabled);
    EXPECT_TRUE(settings.flags.load() & FLAG_STOP_SOUND);

    // With sounds on, "Voice half hours" is enabled even while "Voice hours" is unchecked.
    settings.flags.store(FLAG_SOUND_ON | FLAG_STOP_SOUND | FLAG_ICON_CREATED);
    controls = exchange.Load();
    EXPECT_TRUE(controls.strikeOptionsEnabled);
    EXPECT_TRUE(controls.voiceHalfEnabled);
    EXPECT_FALSE(controls.voiceHours);
    EXPECT_FALSE(settings.flags.load() & FLAG_STOP_SOUND);
}

TEST_F(SettingsExchangeTest, TheSliderShowsTheDivisorWithinItsRange) {
    for (const auto& [stored, shown] : {std::pair{0, 1}, {1, 1}, {4, 4}, {8, 8}, {9, 8}}) {
        settings.volumeDivisor = stored;
        EXPECT_EQ(exchange.Load().volumeDivisor, shown) << stored;
    }
}

TEST_F(SettingsExchangeTest, OkKeepsTheRunTimeBitsAndWritesTheFileAtOnce) {
    const std::uint32_t runTime =
        FLAG_ICON_CREATED | FLAG_CHIME_BUSY | FLAG_PLAY_BUSY | KIND_TODAY | FLAG_RECORD_PAUSED;
    settings.flags.store(kDefaultFlags | runTime);
    SetupControls controls = exchange.Load();
    controls.multistrike = false;
    controls.swapAmPm = true;
    controls.volumeDivisor = 5;
    controls.zoneText = "+1 in Paris\r\n  -5 in New York  \r\n";
    EXPECT_EQ(exchange.Store(controls), CloseRequest::KeepRunning);
    EXPECT_EQ(settings.flags.load(), ((kDefaultFlags & ~FLAG_MULTISTRIKE) | FLAG_SWAP_AMPM) | runTime);
    EXPECT_EQ(settings.volumeDivisor, 5);
    EXPECT_EQ(Config(), Main("94,5,8,2", "Time1=+1 in Paris\r\nTime2=-5 in New York  \r\n"));
    EXPECT_EQ(Backup(), "<none>");  // no rotation
}

TEST_F(SettingsExchangeTest, QuietHoursAreWrittenOnceChosenAndAFileWithoutThemStaysSo) {
    SetupControls controls = exchange.Load();
    EXPECT_EQ(controls.quietOn, false);
    EXPECT_EQ(controls.quietTimesEnabled, false);
    EXPECT_EQ(controls.quietFrom, 22 * 60);
    EXPECT_EQ(controls.quietTo, 7 * 60);
    exchange.Store(controls);
    EXPECT_EQ(Config(), Main("31,2,8,0"));  // untouched: no key

    controls.quietOn = true;
    ApplyQuietRule(controls);
    EXPECT_EQ(controls.quietTimesEnabled, true);
    controls.quietFrom = 21 * 60 + 45;
    controls.quietTo = 6 * 60 + 15;
    exchange.Store(controls);
    EXPECT_EQ(Config(), Main("31,2,8,0", "QuietHours=on,21:45,06:15\r\n"));

    // Turned off, the times stay; loaded again from the file, the page shows them.
    controls.quietOn = false;
    exchange.Store(controls);
    EXPECT_EQ(Config(), Main("31,2,8,0", "QuietHours=off,21:45,06:15\r\n"));
    ClockSettings loaded{kToday};
    LoadSettings(store, loaded);
    EXPECT_EQ(loaded.quietHours, (QuietHours{false, 21 * 60 + 45, 6 * 60 + 15}));
}

TEST_F(SettingsExchangeTest, AMalformedQuietHoursValueMeansNoneAndIsLeftAsItStands) {
    store.WriteConfigString("Main", "QuietHours", "on,25:00,07:00");
    ClockSettings loaded{kToday};
    LoadSettings(store, loaded);
    EXPECT_EQ(loaded.quietHours, std::nullopt);
    SaveSettings(store, loaded);
    EXPECT_NE(Config().find("QuietHours=on,25:00,07:00\r\n"), std::string::npos);
}

TEST_F(SettingsExchangeTest, OkShowsOrHidesTheIconAtOnce) {
    SetupControls controls = exchange.Load();
    controls.iconHidden = true;
    exchange.Store(controls);
    EXPECT_EQ(shell.deletes, 1);
    EXPECT_TRUE(settings.flags.load() & FLAG_ICON_HIDDEN);
    controls.iconHidden = false;
    exchange.Store(controls);
    EXPECT_EQ(shell.adds, 2);  // the first showing, and this one
    EXPECT_FALSE(settings.flags.load() & FLAG_ICON_HIDDEN);
}

TEST_F(SettingsExchangeTest, CloseAndUninstallAskTheOpenerToEndTheProgram) {
    SetupControls controls = exchange.Load();
    controls.closeProgram = true;
    EXPECT_EQ(exchange.Store(controls), CloseRequest::CloseProgram);
    EXPECT_FALSE(settings.flags.load() & FLAG_UNINSTALL);

    controls = exchange.Load();
    EXPECT_FALSE(controls.closeProgram);  // never stored: each opening shows it unchecked
    controls.uninstall = true;
    ApplyUninstallRule(controls, UninstallRuleBox::Uninstall);
    EXPECT_EQ(exchange.Store(controls), CloseRequest::CloseProgram);
    EXPECT_TRUE(settings.flags.load() & FLAG_UNINSTALL);
    EXPECT_TRUE(settings.flags.load() & FLAG_ICON_HIDDEN);
    EXPECT_EQ(shell.deletes, 1);
}

TEST_F(SettingsExchangeTest, CancelLeavesTheSettingsAndTheStopRequestAsStored) {
    const std::string before = Config();
    settings.flags.store(kDefaultFlags | FLAG_ICON_CREATED | FLAG_PLAY_BUSY);
    SetupControls controls = exchange.Load();
    SetSoundSwitch(controls, false, settings.flags);  // stops the playback at once
    EXPECT_TRUE(settings.flags.load() & FLAG_STOP_SOUND);
    exchange.Cancel();
    EXPECT_EQ(settings.flags.load(), kDefaultFlags | FLAG_ICON_CREATED | FLAG_PLAY_BUSY);
    EXPECT_EQ(Config(), before);

    // With sounds stored off, the request stays.
    settings.flags.store(FLAG_ICON_CREATED);
    controls = exchange.Load();
    SetSoundSwitch(controls, true, settings.flags);
    exchange.Cancel();
    EXPECT_EQ(settings.flags.load(), FLAG_ICON_CREATED | FLAG_STOP_SOUND);
}

TEST_F(SettingsExchangeTest, WithoutAStoreNothingIsWritten) {
    const std::string before = Config();
    SettingsExchange noFile(settings, icon, nullptr);
    SetupControls controls = noFile.Load();
    controls.volumeDivisor = 7;
    noFile.Store(controls);
    EXPECT_EQ(settings.volumeDivisor, 7);
    EXPECT_EQ(Config(), before);
}

struct ZoneCase {
    const char* text;
    std::vector<std::string> lines;
};

std::vector<std::string> Stored(const std::array<std::string, kMaxZoneLines>& lines) {
    std::vector<std::string> stored;
    for (const std::string& line : lines) {
        if (!line.empty()) stored.push_back(line);
    }
    return stored;
}

TEST(ZoneLines, SplitAtLineBreaksUpToTheFirstBlankLine) {
    for (const ZoneCase& c : {
             ZoneCase{"", {}},
             ZoneCase{"+9 in Singapore", {"+9 in Singapore"}},
             ZoneCase{"+1 a\r\n+2 b\r\n\r\n+4 d\r\n", {"+1 a", "+2 b"}},  // a blank third line stores two
             ZoneCase{"+1 a\r\n   \r\n+3 c", {"+1 a"}},                   // spaces only count as blank
             ZoneCase{"  \t+1 a  \r\n+2 b\t", {"+1 a  ", "+2 b\t"}},      // leading blanks go, trailing stay
             ZoneCase{"+1 a\n+2 b\n", {"+1 a", "+2 b"}},                  // LF alone
             ZoneCase{"+1 a\r+2 b", {"+1 a", "+2 b"}},                    // CR alone
             ZoneCase{"\r\n+1 a", {}},
         }) {
        EXPECT_EQ(Stored(SplitZoneLines(c.text)), c.lines) << c.text;
    }
}

TEST(ZoneLines, AtMostTwentyLinesAndBackToTheSameText) {
    std::string text;
    std::vector<std::string> first20;
    for (int i = 1; i <= 25; ++i) {
        const std::string line = "+" + std::to_string(i % 12) + " zone " + std::to_string(i);
        text += line + "\r\n";
        if (i <= 20) first20.push_back(line);
    }
    const std::array<std::string, kMaxZoneLines> lines = SplitZoneLines(text);
    EXPECT_EQ(Stored(lines), first20);
    std::string joined;
    for (const std::string& line : first20) joined += line + "\r\n";
    EXPECT_EQ(JoinZoneLines(lines), joined);
}

TEST(ZoneLines, JoinStopsAtTheFirstEmptyLine) {
    std::array<std::string, kMaxZoneLines> lines{};
    lines[0] = "+9 in Singapore";
    lines[1] = "-7 in San Francisco";
    lines[3] = "+4 after a gap";
    EXPECT_EQ(JoinZoneLines(lines), "+9 in Singapore\r\n-7 in San Francisco\r\n");
    EXPECT_EQ(JoinZoneLines({}), "");
}

SetupControls AllOn() {
    SetupControls controls;
    SetOptionBoxes(controls, kStoredFlagsMask);
    return controls;
}

TEST(SetupRules, TheSoundSwitchLeadsTheFourBoxesAndStopsSoundsAtOnce) {
    std::atomic<std::uint32_t> flags{FLAG_PLAY_BUSY};
    SetupControls controls = AllOn();
    SetSoundSwitch(controls, false, flags);
    EXPECT_FALSE(controls.soundOn);
    EXPECT_FALSE(controls.strikeOptionsEnabled);
    EXPECT_FALSE(controls.voiceHalfEnabled);
    EXPECT_TRUE(controls.multistrike && controls.voiceHalf);  // the boxes keep their checks
    EXPECT_EQ(flags.load(), FLAG_PLAY_BUSY | FLAG_STOP_SOUND);

    controls.voiceHours = false;
    SetSoundSwitch(controls, true, flags);
    EXPECT_TRUE(controls.strikeOptionsEnabled);
    EXPECT_TRUE(controls.voiceHalfEnabled);
    EXPECT_EQ(flags.load(), FLAG_PLAY_BUSY);
}

TEST(SetupRules, VoiceHoursEnablesVoiceHalfHoursUnchecked) {
    SetupControls controls = AllOn();
    controls.voiceHours = false;
    ApplyVoiceRule(controls);
    EXPECT_FALSE(controls.voiceHalfEnabled);
    EXPECT_FALSE(controls.voiceHalf);
    controls.voiceHours = true;
    controls.voiceHalf = true;  // as if it had stayed checked
    ApplyVoiceRule(controls);
    EXPECT_TRUE(controls.voiceHalfEnabled);
    EXPECT_FALSE(controls.voiceHalf);
}

// A click on a box flips it, then the rule runs; the boxes are "Hide icon", "Close Tockbell",
// "Uninstall Tockbell".
struct UninstallCase {
    std::vector<UninstallRuleBox> clicks;
    bool iconHidden, closeProgram, uninstall;
};

TEST(SetupRules, UninstallStandsOnlyWithHideIconAndClose) {
    using B = UninstallRuleBox;
    for (const UninstallCase& c : {
             UninstallCase{{B::Uninstall}, true, true, true},
             UninstallCase{{B::Uninstall, B::HideIcon}, false, true, false},
             UninstallCase{{B::Uninstall, B::CloseProgram}, true, false, false},
             UninstallCase{{B::Uninstall, B::Uninstall}, true, true, false},  // the others stay
             UninstallCase{{B::HideIcon, B::CloseProgram}, true, true, false},
             UninstallCase{{B::HideIcon, B::Uninstall, B::HideIcon, B::HideIcon}, true, true, false},
         }) {
        SetupControls controls;
        for (const B box : c.clicks) {
            bool& state = box == B::HideIcon       ? controls.iconHidden
                          : box == B::CloseProgram ? controls.closeProgram
                                                   : controls.uninstall;
            state = !state;
            ApplyUninstallRule(controls, box);
        }
        EXPECT_EQ(controls.iconHidden, c.iconHidden) << c.clicks.size();
        EXPECT_EQ(controls.closeProgram, c.closeProgram) << c.clicks.size();
        EXPECT_EQ(controls.uninstall, c.uninstall) << c.clicks.size();
    }
}

TEST(SetupRules, TheTestButtonsAskWithThePagesOptionsAndVolume) {
    SetupControls controls;
    controls.soundOn = true;
    controls.iconHidden = true;
    controls.volumeDivisor = 6;
    controls.strikeHalf = controls.voiceHalf = true;
    EXPECT_EQ(TestChimeRequest(controls, kTestHalfPastFive),
              (ChimeRequest{5, true, true, FLAG_STRIKE_HALF | FLAG_VOICE_HALF, 6}));
    controls = AllOn();
    controls.volumeDivisor = 1;
    EXPECT_EQ(
        TestChimeRequest(controls, kTestTwoOClock),
        (ChimeRequest{2, false, false,
                      FLAG_MULTISTRIKE | FLAG_STRIKE_HALF | FLAG_VOICE_HOURS | FLAG_VOICE_HALF | FLAG_SWAP_AMPM, 1}));
    controls.soundOn = false;
    EXPECT_EQ(TestChimeRequest(controls, kTestTwoOClock), std::nullopt);
}

TEST(SetupRules, ATestButtonPlaysThePagesChimeAndSavesNothing) {
    std::atomic<std::uint32_t> flags{0};  // the stored options are all off
    FakeWaveSounds sounds;
    FakeMediaPlayer media;
    InlineThreads threads;
    SoundServices services{flags, sounds, media, threads, [](std::chrono::milliseconds) {}};
    SetupControls controls;
    controls.soundOn = controls.strikeHalf = controls.voiceHours = controls.voiceHalf = true;
    controls.volumeDivisor = 1;
    TestChime(services, controls, kTestHalfPastFive);
    EXPECT_EQ(sounds.Played(), (std::vector<std::string>{"WAVE0", "WAVE1", "WAVE005", "WAVE030", "WAVE0PM"}));
    controls.soundOn = false;
    TestChime(services, controls, kTestTwoOClock);
    EXPECT_EQ(threads.started, 1);
    EXPECT_EQ(flags.load(), 0u);
}

TEST(SettingsTabs, StartsOnTheRememberedTabAndRemembersEachChange) {
    std::int32_t lastTab = kAboutPage;
    SettingsTabs tabs(lastTab);
    EXPECT_EQ(tabs.Current(), kAboutPage);
    const SettingsTabs::Change change = tabs.Select(kTablePage, FLAG_RECORD_BUSY);
    EXPECT_EQ(change.leaving, kAboutPage);
    EXPECT_EQ(change.entering, kTablePage);
    EXPECT_FALSE(change.stopRecording);
    EXPECT_EQ(lastTab, kTablePage);
    EXPECT_EQ(tabs.Current(), kTablePage);

    std::int32_t outOfRange = 7;
    EXPECT_EQ(SettingsTabs(outOfRange).Current(), kSetupPage);
}

TEST(SettingsTabs, LeavingTheTablePageStopsARecording) {
    struct Case {
        std::int32_t from, to;
        std::uint32_t flags;
        bool stop;
    };
    for (const Case& c :
         {Case{kTablePage, kSetupPage, FLAG_RECORD_BUSY, true},
          Case{kTablePage, kAboutPage, FLAG_RECORD_BUSY | FLAG_RECORD_PAUSED, true},
          Case{kTablePage, kSetupPage, FLAG_PLAY_BUSY, false}, Case{kSetupPage, kAboutPage, FLAG_RECORD_BUSY, false},
          Case{kAboutPage, kSetupPage, FLAG_RECORD_BUSY, false}}) {
        std::int32_t lastTab = c.from;
        SettingsTabs tabs(lastTab);
        EXPECT_EQ(tabs.Select(c.to, c.flags).stopRecording, c.stop) << c.from << " to " << c.to;
    }
}

TEST(DialogClock, TheFirstLookDrawsThenOnlyANewMinute) {
    DialogClock clock;
    EXPECT_TRUE(clock.MinuteChanged(0));
    EXPECT_FALSE(clock.MinuteChanged(0));
    EXPECT_TRUE(clock.MinuteChanged(1));
    EXPECT_TRUE(clock.MinuteChanged(0));
}

}  // namespace
}  // namespace tockbell
