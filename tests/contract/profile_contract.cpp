#include "tests/contract/profile_contract.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

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

}  // namespace tockbell
