#include "tests/contract/profile_contract.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/config/config_store.h"
#include "core/config/settings_file.h"

namespace tockbell {

namespace fs = std::filesystem;

void ProfileContract::SetUp() {
    profile = GetParam().make();
    fs::path path = fs::temp_directory_path() / ("tockbell-contract-" + GetParam().name);
    fs::create_directories(path);
    folder = path.string();
}

void ProfileContract::TearDown() { fs::remove_all(folder); }

std::string ProfileContract::PathFor(const std::string& name) const {
    std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
    std::replace(test.begin(), test.end(), '/', '-');
    return (fs::path(folder) / (test + "-" + name + ".ini")).string();
}

void ProfileContract::PutFile(const std::string& path, const std::string& bytes) const {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ProfileContract::FileBytes(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

namespace {

struct ReadCase {
    const char* section;
    const char* key;
    const char* expected;
};

}  // namespace

TEST_P(ProfileContract, ReadsNamesWithoutRegardToCaseOrBlanks) {
    const std::string path = PathFor("names");
    PutFile(path, "[Main]\r\n a = 1 \r\n\tTab\t=\tx y\t\r\n[ Spaced ]\r\ne=3\r\n");
    for (const ReadCase& c : {ReadCase{"Main", "a", "1"}, ReadCase{"MAIN", "A", "1"}, ReadCase{" main ", " a ", "1"},
                              ReadCase{"Main", "tab", "x y"}, ReadCase{"Spaced", "e", "3"},
                              ReadCase{" Spaced ", "E", "3"}}) {
        EXPECT_EQ(profile->Read(path, c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
}

TEST_P(ProfileContract, OddLinesReadAsThePlatformDoes) {
    const std::string path = PathFor("odd");
    PutFile(path,
            "lead=0\r\n[Main]\r\nnovalue\r\nempty=\r\ndup=first\r\ndup=second\r\nq=\"quoted\"\r\nh='half\r\n"
            "[main]\r\nlater=2\r\n[Other]\r\n[Bad\r\nbad=4\r\n[X]junk\r\nlast=5");
    for (const ReadCase& c : {ReadCase{"", "lead", "0"}, ReadCase{"Main", "novalue", ""}, ReadCase{"Main", "empty", ""},
                              ReadCase{"Main", "dup", "first"}, ReadCase{"Main", "q", "quoted"},
                              ReadCase{"Main", "h", "'half"},
                              // Only the first of two sections whose names differ in case is searched.
                              ReadCase{"Main", "later", ""}, ReadCase{"main", "later", ""},
                              // A header without "]" is an entry of the section before it.
                              ReadCase{"other", "bad", "4"}, ReadCase{"Bad", "bad", ""},
                              ReadCase{"x", "last", "5"}, ReadCase{"Main", "missing", ""},
                              ReadCase{"Missing", "dup", ""}}) {
        EXPECT_EQ(profile->Read(path, c.section, c.key), c.expected) << c.section << "/" << c.key;
    }
}

TEST_P(ProfileContract, EveryLineEndEndsALine) {
    const std::string lf = PathFor("lf");
    const std::string cr = PathFor("cr");
    PutFile(lf, "[S]\nk=1\n\n[T]\nk=2\n");
    PutFile(cr, "[S]\rk=1\r\r[T]\rk=2");
    for (const std::string& path : {lf, cr}) {
        EXPECT_EQ(profile->Read(path, "S", "k"), "1");
        EXPECT_EQ(profile->Read(path, "T", "k"), "2");
    }
}

TEST_P(ProfileContract, ReadsAreCutToTheBuffer) {
    const std::string path = PathFor("long");
    const std::string longValue(300, 'z');
    PutFile(path, "[S]\r\nk=" + longValue + "\r\nq=\"" + std::string(258, 'y') + "\"\r\n");
    EXPECT_EQ(profile->Read(path, "S", "k"), longValue.substr(0, ProfileStrings::kReadBufferSize - 1));
    EXPECT_EQ(profile->Read(path, "S", "q"), std::string(258, 'y'));
}

// The file may be kept in memory, but never past a change of its write time, nor past a flush.
TEST_P(ProfileContract, AChangedFileIsReadAnew) {
    const std::string path = PathFor("changed");
    PutFile(path, "[S]\r\nk=1\r\n");
    const fs::file_time_type written = fs::last_write_time(path);
    EXPECT_EQ(profile->Read(path, "S", "k"), "1");
    PutFile(path, "[S]\r\nk=2\r\n");
    fs::last_write_time(path, written + std::chrono::seconds(2));
    EXPECT_EQ(profile->Read(path, "S", "k"), "2");
    // Rewritten within the clock's granule: the same size and the same time.
    PutFile(path, "[S]\r\nk=3\r\n");
    fs::last_write_time(path, written + std::chrono::seconds(2));
    profile->Flush(path);
    EXPECT_EQ(profile->Read(path, "S", "k"), "3");
}

TEST_P(ProfileContract, MissingFileReadsEmpty) { EXPECT_EQ(profile->Read(PathFor("none"), "Main", "Flags"), ""); }

TEST_P(ProfileContract, WritesCreateAppendAndReplaceInPlace) {
    const std::string path = PathFor("write");
    ASSERT_TRUE(profile->Write(path, "Main", "Flags", "31,2,8,3"));
    ASSERT_TRUE(profile->Write(path, "Everyday", "07:30", "WakeUp.wav"));
    ASSERT_TRUE(profile->Write(path, "Main", "Time1", "+9 in Singapore"));
    ASSERT_TRUE(profile->Write(path, "MAIN", "FLAGS", "0,2,8,1"));
    ASSERT_TRUE(profile->Write(path, "everyday", "08:00", ""));
    EXPECT_EQ(FileBytes(path),
              "[Main]\r\nFlags=0,2,8,1\r\nTime1=+9 in Singapore\r\n[Everyday]\r\n07:30=WakeUp.wav\r\n08:00=\r\n");
    EXPECT_EQ(profile->Read(path, "main", "time1"), "+9 in Singapore");
}

TEST_P(ProfileContract, AWriteRewritesTheWholeFileInItsOwnForm) {
    const std::string path = PathFor("rewrite");
    PutFile(path, "x=1\n\n[ S ]junk\n a = 1 \r=v\r=w\rnovalue\r[Bad\nk=1\nk=2\n[T]");
    ASSERT_TRUE(profile->Write(path, "t", "z", "   9"));
    EXPECT_EQ(FileBytes(path), "x=1\r\n[S]\r\na=1\r\n=v\r\nnovalue\r\n[Bad\r\nk=1\r\nk=2\r\n[T]\r\nz=9\r\n");
    EXPECT_EQ(profile->Read(path, "S", "k"), "1");
}

namespace {

struct SettingsFileCase {
    const char* what;
    const char* file;
    std::int32_t today;
    std::uint32_t storedFlags;
    std::int32_t divisor;
    const char* zoneLines;  // joined by "|"
    const char* afterLoad;  // the file once loaded; the backup then holds the file as it was
};

std::string JoinedZoneLines(const ClockSettings& settings) {
    std::string joined;
    for (const std::string& line : settings.zoneLines) {
        if (line.empty()) break;
        if (!joined.empty()) joined += "|";
        joined += line;
    }
    return joined;
}

}  // namespace

// The same files give the same settings and the same rolled file on every system the program runs on.
TEST_P(ProfileContract, SettingsFilesLoadAndRollAlike) {
    for (const SettingsFileCase& c : {
             SettingsFileCase{
                 "a new day",
                 "[Main]\r\nFlags=21,3,7,2\r\nTime1=+1 in Paris\r\nTime2=-5 in New York\r\n[Today]\r\n08:00=old.wav\r\n"
                 "[Tomorrow]\r\n09:15=Dentist appointment.wav\r\n[Everyday]\r\n12:01=gong.wav\r\n"
                 "[Friday, December 11]\r\n10:00=x.mid\r\n",
                 8, 21, 3, "+1 in Paris|-5 in New York",
                 "[Main]\r\nFlags=21,3,8,2\r\nTime1=+1 in Paris\r\nTime2=-5 in New York\r\n[Today]\r\n"
                 "09:15=Dentist appointment.wav\r\n[Everyday]\r\n12:01=gong.wav\r\n[Friday, December 11]\r\n10:00=x.mid\r\n"},
             SettingsFileCase{
                 "LF lines, blanks in titles, a second main, a divisor out of range",
                 "[Main]\nFlags=0,12,1\n[ Today ]\n07:00=a.wav\n[main]\nFlags=1,1,1,1\n[Tomorrow ]\n07:30=b.wav\n", 8, 0,
                 2, "Asia/Singapore in Singapore|America/Los_Angeles in San Francisco|Europe/Moscow in Moscow",
                 "[Main]\r\nFlags=0,2,8,3\r\nTime1=Asia/Singapore in Singapore\r\n"
                 "Time2=America/Los_Angeles in San Francisco\r\nTime3=Europe/Moscow in Moscow\r\n[Today]\r\n07:30=b.wav\r\n"},
             SettingsFileCase{"the same day: no roll", "[Main]\r\nFlags=31,2,8,0\r\n[Today]\r\n08:00=a.wav\r\n", 8, 31, 2,
                              "", "[Main]\r\nFlags=31,2,8,0\r\n[Today]\r\n08:00=a.wav\r\n"},
         }) {
        SCOPED_TRACE(c.what);
        const std::string path = PathFor("settings");
        const std::string backup = PathFor("settings-backup");
        std::filesystem::remove(backup);
        PutFile(path, c.file);
        profile->Flush(path);
        ConfigStore store(*GetParam().files, *profile, path, backup);
        ClockSettings settings(c.today);
        LoadSettings(store, settings);
        EXPECT_EQ(settings.flags.load() & kStoredFlagsMask, c.storedFlags);
        EXPECT_EQ(settings.volumeDivisor, c.divisor);
        EXPECT_EQ(JoinedZoneLines(settings), c.zoneLines);
        EXPECT_EQ(settings.lastDay, c.today);
        EXPECT_EQ(FileBytes(path), c.afterLoad);
        if (std::string(c.file) != c.afterLoad) {
            EXPECT_EQ(FileBytes(backup), c.file);
        }
    }
}

}  // namespace tockbell
