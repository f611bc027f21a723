#include "core/config/settings_file.h"

#include <memory>

#include <gtest/gtest.h>

#include "tests/unit/config_fixture.h"

namespace tockbell {
namespace {

constexpr std::int32_t kToday = 8;

class SettingsFileTest : public ConfigFixture {
protected:
    std::unique_ptr<ClockSettings> Load(const std::string& fileText) {
        files.files[kConfig] = fileText;
        auto settings = std::make_unique<ClockSettings>(kToday);
        LoadSettings(store, *settings);
        return settings;
    }
    static std::vector<std::string> Zones(const ClockSettings& settings) {
        std::vector<std::string> zones;
        for (const std::string& line : settings.zoneLines)
            if (!line.empty()) zones.push_back(line);
        return zones;
    }
    const std::vector<std::string> kDefaultZones{"Asia/Singapore in Singapore", "America/Los_Angeles in San Francisco", "Europe/Moscow in Moscow"};
};

TEST_F(SettingsFileTest, NoFileGivesTheDefaultsAndTheFirstSaveWritesThem) {
    ClockSettings settings(kToday);
    LoadSettings(store, settings);
    EXPECT_EQ(settings.flags.load(), kDefaultFlags);
    EXPECT_EQ(settings.volumeDivisor, 2);
    EXPECT_EQ(Zones(settings), kDefaultZones);
    EXPECT_EQ(Config(), "<none>");  // no roll
    ASSERT_TRUE(SaveSettings(store, settings));
    EXPECT_EQ(Config(),
              "[Main]\r\nFlags=31,2,8,3\r\nTime1=Asia/Singapore in Singapore\r\n"
              "Time2=America/Los_Angeles in San Francisco\r\nTime3=Europe/Moscow in Moscow\r\n");
}

struct FlagsCase {
    const char* value;
    std::uint32_t flags;
    std::int32_t divisor;
    std::vector<std::string> zones;
};

TEST_F(SettingsFileTest, FlagsValueCoversOnlyWhatItHolds) {
    const std::vector<std::string> defaults = kDefaultZones;
    for (const FlagsCase& c : {
             FlagsCase{"", 31, 2, defaults},
             FlagsCase{"0,12", 0, 2, defaults},           // divisor out of range
             FlagsCase{"95,0,8,0", 95, 0, {}},            // four numbers: no default zones
             FlagsCase{"32799", 31, 2, defaults},         // only bits 0-6 load
             FlagsCase{"-1,9", 127, 9, defaults},
             FlagsCase{"7,-1,8,1", 7, 2, {"one"}},
             FlagsCase{" 3 , 4", 3, 2, defaults},         // nothing but digits before a comma
             FlagsCase{"x,1,2,3", 31, 2, defaults},
             FlagsCase{"99999999999,3,8,2", 127, 3, {"one", "two"}},
             FlagsCase{"1,1,8,-5", 1, 1, {}},
             FlagsCase{"1,1,8,99", 1, 1, {"one", "two", "three", "four", "five"}},
         }) {
        const auto settings = Load(std::string("[Main]\r\nFlags=") + c.value +
                                            "\r\nTime1=one\r\nTime2=two\r\nTime3=three\r\nTime4=four\r\n"
                                            "Time5=five\r\n");
        EXPECT_EQ(settings->flags.load() & ~FLAG_STOP_SOUND, c.flags) << c.value;
        EXPECT_EQ(settings->volumeDivisor, c.divisor) << c.value;
        EXPECT_EQ(Zones(*settings), c.zones) << c.value;
    }
}

TEST_F(SettingsFileTest, SoundsStoredOffAreAskedToStopFromTheStart) {
    EXPECT_TRUE(Load("[Main]\r\nFlags=15,2,8,0\r\n")->flags.load() & FLAG_STOP_SOUND);
    EXPECT_FALSE(Load("[Main]\r\nFlags=31,2,8,0\r\n")->flags.load() & FLAG_STOP_SOUND);
}

TEST_F(SettingsFileTest, ZoneLinesStopAtTheFirstEmptyOneAndLoseLeadingBlanks) {
    const auto settings = Load(
        "[Main]\r\nFlags=31,2,8,4\r\nTime1=+1 in Paris\r\nTime2=\"  -5 in Lima\"\r\nTime3=\r\nTime4=+2 in Cairo\r\n");
    EXPECT_EQ(Zones(*settings), (std::vector<std::string>{"+1 in Paris", "-5 in Lima"}));
}

TEST_F(SettingsFileTest, ASaveWithoutRotationKeepsEverythingElse) {
    auto settings = Load("[Main]\r\nFlags=31,2,8,4\r\nTime1=a\r\nTime2=b\r\nTime3=c\r\nTime4=d\r\n"
                                  "[Everyday]\r\n07:30=WakeUp.wav\r\n");
    settings->zoneLines[1].clear();
    settings->volumeDivisor = 5;
    settings->flags.fetch_or(FLAG_CHIME_BUSY | FLAG_SWAP_AMPM);
    ASSERT_TRUE(SaveSettings(store, *settings));
    // Lines above the count stay in the file; they are never read.
    EXPECT_EQ(Config(), "[Main]\r\nFlags=95,5,8,1\r\nTime1=a\r\nTime2=b\r\nTime3=c\r\nTime4=d\r\n"
                        "[Everyday]\r\n07:30=WakeUp.wav\r\n");
}

TEST_F(SettingsFileTest, SameDayOfAnotherMonthDoesNotRoll) {
    const std::string text = "[Main]\r\nFlags=31,2,8,0\r\n[Today]\r\n10:00=a.wav\r\n";
    Load(text);
    EXPECT_EQ(Config(), text);
    EXPECT_EQ(Backup(), "<none>");
}

TEST_F(SettingsFileTest, AnotherDayRollsAtStart) {
    const std::string old =
        "[Main]\r\nFlags=31,3,7,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n"
        "Time4=+1 in Paris\r\nTime5=+2 in Cairo\r\n"
        "[Everyday]\r\n07:30=WakeUp.wav\r\n[Today]\r\n10:00=Old.wav\r\n[Tomorrow]\r\n09:00=Meeting.wav\r\n"
        "[December 24]\r\n18:00=C:\\Sounds\\Carol.mid\r\n";
    const auto settings = Load(old);
    EXPECT_EQ(settings->lastDay, kToday);
    EXPECT_EQ(Backup(), old);
    EXPECT_EQ(Config(),
              "[Main]\r\nFlags=31,3,8,3\r\nTime1=+9 in Singapore\r\nTime2=-7 in San Francisco\r\nTime3=+4 in Moscow\r\n"
              "[Everyday]\r\n07:30=WakeUp.wav\r\n[Today]\r\n09:00=Meeting.wav\r\n"
              "[December 24]\r\n18:00=C:\\Sounds\\Carol.mid\r\n");
}

TEST_F(SettingsFileTest, RollCopiesLinesByTheirPlaces) {
    ClockSettings settings(kToday);
    files.files[kConfig] =
        "junk before=any\n[Main]\nFlags=1,1,1,0\n[Everyday]\n07:00=a\n07:01=ab\n07:02 = xyz\n07:03=first\n07:03=last\n"
        "[today]\n08:00=kept.wav\n[Tomorrow] \n09:00=odd.wav\n[Today]\n10:00=gone.wav\n[Tomorrow]\n11:00=t.wav\n"
        "[ Today ]\n10:30=gone too.wav\n[ Tomorrow]\n12:00=u.wav\n";
    ASSERT_TRUE(RollDay(store, settings, 9));
    // Names compare exactly but for blanks around them, and the last character of a header line goes
    // whatever it is ("today" and "Tomorrow] " are other sections), a 7-character line is dropped, the
    // 6th character is dropped whatever it is, and the last of equal keys wins.
    EXPECT_EQ(Config(),
              "[Main]\r\nFlags=31,2,9,0\r\n[Everyday]\r\n07:01=ab\r\n07:02== xyz\r\n07:03=last\r\n"
              "[today]\r\n08:00=kept.wav\r\n11:00=t.wav\r\n12:00=u.wav\r\n[Tomorrow]]\r\n09:00=odd.wav\r\n");
}

TEST_F(SettingsFileTest, RollOfAnEmptyOrMissingFileHoldsOnlyMain) {
    ClockSettings settings(kToday);
    settings.zoneLines = {};
    ASSERT_TRUE(RollDay(store, settings, 9));
    EXPECT_EQ(Config(), "[Main]\r\nFlags=31,2,9,0\r\n");
    files.files[kConfig] = "";
    ASSERT_TRUE(RollDay(store, settings, 10));
    EXPECT_EQ(Config(), "[Main]\r\nFlags=31,2,10,0\r\n");
    EXPECT_EQ(Backup(), "");
}

}  // namespace
}  // namespace tockbell

namespace tockbell {
namespace {

TEST_F(SettingsFileTest, RollKeepsTheTimeTableOfAFileWithOtherLineEnds) {
    for (const char* end : {"\r", "\n"}) {
        const std::string old = std::string("[Main]") + end + "Flags=31,2,7,0" + end + "[Everyday]" + end +
                                "07:30=WakeUp.wav" + end + "[Tomorrow]" + end + "09:00=Meeting.wav";
        Load(old);
        EXPECT_EQ(Config(), "[Main]\r\nFlags=31,2,8,0\r\n[Everyday]\r\n07:30=WakeUp.wav\r\n[Today]\r\n09:00=Meeting.wav\r\n");
        EXPECT_EQ(Backup(), old);
    }
}

TEST_F(SettingsFileTest, RollNeverCopiesAMainSectionOverTheNewSettings) {
    Load("[main]\r\nFlags=31,2,7,1\r\nTime1=+1 in Paris\r\n[ MAIN ]\r\nFlags=0,0,7,0\r\n[Everyday]\r\n07:30=a.wav\r\n");
    EXPECT_EQ(Config(), "[Main]\r\nFlags=31,2,8,1\r\nTime1=+1 in Paris\r\n[Everyday]\r\n07:30=a.wav\r\n");
    // The next start finds today's day and does not roll again.
    const std::string rolled = Config();
    Load(rolled);
    EXPECT_EQ(Config(), rolled);
}

}  // namespace
}  // namespace tockbell
