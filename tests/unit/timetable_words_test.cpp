#include "core/timetable/timetable_words.h"

#include <gtest/gtest.h>

#include "core/config/clock_settings.h"
#include "core/timetable/c_scan.h"
#include "core/timetable/new_section_commands.h"

namespace tockbell {
namespace {

const std::string k300Nines(300, '9');

TEST(CScan, DecimalsReadAsPercentDAndPercentTwoD) {
    struct Case {
        std::string text;
        std::size_t width;
        std::optional<long long> value;
        std::string rest;
    };
    for (const Case& c : std::vector<Case>{
             {"42", 0, 42, ""},
             {" \t\n\v\f\r-17abc", 0, -17, "abc"},
             {"+7:30", 2, 7, ":30"},
             {" 7:30", 2, 7, ":30"},
             {"-0:30", 2, 0, ":30"},
             {"3==a", 2, 3, "==a"},
             {"123", 2, 12, "3"},
             {"-55", 2, -5, "5"},
             {"-5", 1, std::nullopt, "-5"},
             {"+", 2, std::nullopt, "+"},
             {"+-5", 0, std::nullopt, "+-5"},
             {"- 5", 0, std::nullopt, "- 5"},
             {"", 0, std::nullopt, ""},
             {"  ", 2, std::nullopt, ""},
             {"\xa0"
              "5",
              0, std::nullopt,
              "\xa0"
              "5"},  // no blank in the "C" locale
             {k300Nines + "x", 0, 1'000'000'000, "x"},
             {"-" + k300Nines, 0, -1'000'000'000, ""},
             {std::string(299, '0') + "5", 0, 5, ""},
         }) {
        std::string_view rest = c.text;
        EXPECT_EQ(ScanDecimal(rest, c.width), c.value) << c.text;
        EXPECT_EQ(rest, c.rest) << c.text;
    }
}

TEST(TimeTableWords, EachWordIsRecognisedByOneFunctionOnly) {
    struct Case {
        const char* word;
        int relative, weekday, month, day;
    };
    for (const Case& c : std::vector<Case>{
             {"Today", 1, 0, 0, 0},
             {"Tomorrow", 2, 0, 0, 0},
             {"Everyday", 3, 0, 0, 0},
             {"Monday", 0, 1, 0, 0},
             {"Sunday", 0, 7, 0, 0},
             {"PowerOn", 0, 8, 0, 0},
             {"January", 0, 0, 1, 0},
             {"December", 0, 0, 12, 0},
             {"05", 0, 0, 0, 5},
             {"15th", 0, 0, 0, 15},
             {"+31", 0, 0, 0, 31},
             {"32", 0, 0, 0, 0},
             {"0", 0, 0, 0, 0},
             {"-5", 0, 0, 0, 0},
             {"today", 0, 0, 0, 0},
             {"Power On", 0, 0, 0, 0},
             {"Jan", 0, 0, 0, 0},
             {"", 0, 0, 0, 0},
         }) {
        EXPECT_EQ(RelativeDay(c.word), c.relative) << c.word;
        EXPECT_EQ(WeekdayNumber(c.word), c.weekday) << c.word;
        EXPECT_EQ(MonthNumber(c.word), c.month) << c.word;
        EXPECT_EQ(DayOfMonth(c.word), c.day) << c.word;
    }
}

TEST(TimeTableWords, SectionTitles) {
    const std::string hugeTail(10'000, 'x');
    for (const std::string& title : std::vector<std::string>{"Today",
                                                             "Tomorrow",
                                                             "Everyday",
                                                             "Monday",
                                                             "Sunday",
                                                             "PowerOn",
                                                             "March",
                                                             "December",
                                                             "05",
                                                             "5",
                                                             "15th",
                                                             "+5",
                                                             std::string(299, '0') + "5",
                                                             "March 08",
                                                             "PowerOn 31",
                                                             "Friday 13",
                                                             "Friday, March 08",
                                                             "Friday, March 08 and more",
                                                             "PowerOn, December 31",
                                                             "  Friday \t",
                                                             "\tMarch\n08",
                                                             "Friday, March 08 " + hugeTail}) {
        EXPECT_TRUE(IsValidSectionTitle(title)) << title.substr(0, 40);
    }
    for (const std::string& title : std::vector<std::string>{"",
                                                             "   ",
                                                             "monday",
                                                             "Power On",
                                                             "main",
                                                             "Main",
                                                             "0",
                                                             "32",
                                                             "-5",
                                                             "dd",
                                                             "March dd",
                                                             "Friday,March 08",
                                                             "Friday March 08",
                                                             "Friday, March",
                                                             "March 32",
                                                             "March 00",
                                                             "08 March",
                                                             "Today 05",
                                                             "Today, March 08",
                                                             "March, March 08",
                                                             "Friday,, March 08",
                                                             "Fridayx March 08",
                                                             "Friday, 08 March",
                                                             "Friday" + std::string(294, 'x'),
                                                             "1" + k300Nines,
                                                             "-" + k300Nines,
                                                             hugeTail}) {
        EXPECT_FALSE(IsValidSectionTitle(title)) << title.substr(0, 40);
    }
}

TEST(TimeTableWords, ItemsByTheStrictCheckAndTheSaveCheck) {
    struct Case {
        std::string text;
        bool strict, save;
    };
    for (const Case& c : std::vector<Case>{
             {"24:00=bell.wav", true, true},
             {"00:00=bell.wav", true, true},
             {"7:30=bell.wav", false, false},
             {"25:00=bell.wav", false, false},
             {"23:60=bell.wav", false, false},
             {"07:30=a.x", true, true},
             {"07:30=a.wa", true, true},
             {"07:30=ab", false, true},
             {"07:30=   ", true, false},
             {"07:30=", false, false},
             {"07:30= x", false, true},
             {"07:30=x y", true, true},
             {"+7:30=x", false, true},
             {"+7:30=bell.wav", true, true},
             {" 7:30=x", false, true},
             {"\t7:30=bell.wav", true, true},
             {"-0:30=bell.wav", true, true},
             {"-1:30=bell.wav", false, false},
             {"07:3==a", false, true},
             {"07:3==a.wav", true, true},
             {"07:+5=bell.wav", true, true},
             {"07:-5=bell.wav", false, false},
             {"07: 5=bell.wav", true, true},
             {"07:5 =bell.wav", true, false},
             {"0a:30=bell.wav", false, false},
             {"  :30=bell.wav", false, false},
             {"ab:cd=bell.wav", false, false},
             {"07;30=bell.wav", false, false},
             {"07:30 bell.wav", false, false},
             {"", false, false},
             {"07:30=" + std::string(300, 'n'), true, true},
         }) {
        EXPECT_EQ(PassesStrictItemCheck(c.text), c.strict) << c.text;
        EXPECT_EQ(IsValidItemText(c.text), c.save) << c.text;
    }
}

TEST(TimeTableWords, PortableFileNames) {
    for (const auto& [name, portable] : std::vector<std::pair<std::string, bool>>{{"Dentist appointment.wav", true},
                                                                                  {"D:\\Sounds\\Console.wav", true},
                                                                                  {"COM10.wav", true},
                                                                                  {"sub/CON.d\\x.mid", true},
                                                                                  {"a<b.wav", false},
                                                                                  {"a:b.wav", false},
                                                                                  {"say \"hi\".wav", false},
                                                                                  {"tab\t.wav", false},
                                                                                  {"CON", false},
                                                                                  {"con.txt", false},
                                                                                  {"nul .wav", false},
                                                                                  {"LPT9.mid", false},
                                                                                  {"Tea.wav.", false},
                                                                                  {"Tea.wav ", false},
                                                                                  {"D:\\Sounds\\", false}}) {
        EXPECT_EQ(IsPortableFileName(name), portable) << name;
    }
}

TEST(TimeTableWords, SectionNamesAtTheEdgesOfTheWeekAndTheYear) {
    std::tm sunday{};  // Sunday 1 January 2023
    sunday.tm_year = 123, sunday.tm_mday = 1, sunday.tm_wday = 0;
    std::tm saturday{};  // Saturday 31 December 2022
    saturday.tm_year = 122, saturday.tm_mon = 11, saturday.tm_mday = 31, saturday.tm_wday = 6;
    EXPECT_EQ(SectionNameFor(KIND_WEEKDAY_DATE, sunday), "Sunday, January 01");
    EXPECT_EQ(SectionNameFor(KIND_WEEKDAY_DATE, saturday), "Saturday, December 31");
    EXPECT_EQ(SectionNameFor(KIND_DAY, saturday), "31");
    EXPECT_EQ(SectionNameFor(FLAG_SOUND_ON, sunday), std::nullopt);
}

TEST(NewSections, EachEntryOfTheMenuAddsItsTitle) {
    struct Case {
        SectionCommand command;
        std::optional<std::string_view> title;
        bool dayEditing;
    };
    for (const Case& c :
         {Case{SectionCommand::PowerOn, "PowerOn", false}, Case{SectionCommand::Today, "Today", false},
          Case{SectionCommand::Tomorrow, "Tomorrow", false}, Case{SectionCommand::Everyday, "Everyday", false},
          Case{SectionCommand::Monday, "Monday", false}, Case{SectionCommand::Sunday, "Sunday", false},
          Case{SectionCommand::Day, std::nullopt, true}, Case{SectionCommand::January, "January", true},
          Case{SectionCommand::December, "December", true}}) {
        const NewSection section = NewSectionFor(c.command);
        EXPECT_EQ(section.title, c.title) << static_cast<int>(c.command);
        EXPECT_EQ(section.dayEditing, c.dayEditing) << static_cast<int>(c.command);
    }
}

}  // namespace
}  // namespace tockbell
