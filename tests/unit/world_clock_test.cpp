#include "core/app/world_clock.h"

#include <gtest/gtest.h>

namespace tockbell {
namespace {

// Tuesday 8 December 2026, 14:05:30 UTC.
constexpr std::time_t kNow = 1796738730;

struct ZoneCase {
    const char* line;
    const char* text;
};

TEST(WorldClockText, OffsetsAndComments) {
    for (const ZoneCase& c : {
             ZoneCase{"+9 in Singapore", "23:05 in Singapore"},
             ZoneCase{"-7 in San Francisco", "07:05 in San Francisco"},
             ZoneCase{"+4 in Moscow", "18:05 in Moscow"},
             ZoneCase{"+10", "00:05"},
             ZoneCase{"+30", "20:05"},
             ZoneCase{"0", "14:05"},
             ZoneCase{"London", "14:05"},
             ZoneCase{"no digits here", "14:05 digits here"},
             ZoneCase{"+5:30 in Mumbai", "19:35 in Mumbai"},
             ZoneCase{"-3:30 in St. John's", "10:35 in St. John's"},
             ZoneCase{"+5:45", "19:50"},
             ZoneCase{"+5:45 in Kathmandu", "19:50 in Kathmandu"},
             ZoneCase{"-0:30 west", "13:35 west"},
             ZoneCase{"+5:3 odd", "19:05 odd"},
             ZoneCase{"+5:75 odd", "19:05 odd"},
             ZoneCase{"-11 far", "03:05 far"},
             ZoneCase{"+99999999999999999999 big", "05:05 big"},
         }) {
        EXPECT_EQ(WorldClockText(c.line, kNow), c.text) << c.line;
    }
}

// Tuesday 8 December 2026 and Wednesday 8 July 2026, 14:05:30 UTC.
constexpr std::time_t kWinter = kNow;
constexpr std::time_t kSummer = 1783519530;

struct NamedZoneCase {
    std::string line;
    std::string winter;
    std::string summer;
};

TEST(WorldClockText, ZoneNamesFollowTheZonesRules) {
    const std::string longText(300, 'x');
    for (const NamedZoneCase& c : {
             NamedZoneCase{"America/Los_Angeles in San Francisco", "06:05 in San Francisco", "07:05 in San Francisco"},
             NamedZoneCase{"america/LOS_ANGELES in SF", "06:05 in SF", "07:05 in SF"},
             NamedZoneCase{"Australia/Adelaide Adelaide", "00:35 Adelaide", "23:35 Adelaide"},
             NamedZoneCase{"Asia/Kathmandu", "19:50", "19:50"},
             NamedZoneCase{"Asia/Kathmandu ", "19:50 ", "19:50 "},
             NamedZoneCase{"Europe/Moscow in Moscow", "17:05 in Moscow", "17:05 in Moscow"},
             NamedZoneCase{"Etc/GMT+5 five hours behind", "09:05 five hours behind", "09:05 five hours behind"},
             NamedZoneCase{"US/Pacific in LA", "06:05 in LA", "07:05 in LA"},  // a link's name
             // Anything else reads as before: no digits are 0 hours.
             NamedZoneCase{"Mars/Olympus_Mons base", "14:05 base", "14:05 base"},
             NamedZoneCase{"Singapore office", "14:05 office", "14:05 office"},  // one-word names are no zones
             NamedZoneCase{"UTC", "14:05", "14:05"},
             NamedZoneCase{"Europe/Moscow+3 x", "14:05 x", "14:05 x"},
             NamedZoneCase{"America/Los_Angeles/x in SF", "14:05 in SF", "14:05 in SF"},
             NamedZoneCase{"America/Los in SF", "14:05 in SF", "14:05 in SF"},
             NamedZoneCase{" Europe/Moscow in Moscow", "14:05 Europe/Moscow in Moscow",
                           "14:05 Europe/Moscow in Moscow"},
             NamedZoneCase{"+3 Europe/Moscow", "17:05 Europe/Moscow", "17:05 Europe/Moscow"},
             NamedZoneCase{"Asia/Kolkata " + longText, "19:35 " + longText, "19:35 " + longText},
             NamedZoneCase{longText + "/Asia/Kolkata in Mumbai", "14:05 in Mumbai", "14:05 in Mumbai"},
         }) {
        EXPECT_EQ(WorldClockText(c.line, kWinter), c.winter) << c.line;
        EXPECT_EQ(WorldClockText(c.line, kSummer), c.summer) << c.line;
    }
}

TEST(WorldClockLines, StopAtTheFirstEmptyZoneLine) {
    const std::vector<std::string> zones{"+9 in Singapore", "-7 in San Francisco", "", "+4 in Moscow"};
    EXPECT_EQ(WorldClockLines(zones, kNow), (std::vector<std::string>{"23:05 in Singapore", "07:05 in San Francisco"}));
    EXPECT_TRUE(WorldClockLines(std::vector<std::string>{"", "+4 in Moscow"}, kNow).empty());
}

TEST(TooltipText, ReadsTimeWeekdayMonthDayYear) {
    std::tm local{};
    local.tm_year = 126;
    local.tm_mon = 11;
    local.tm_mday = 8;
    local.tm_wday = 2;
    local.tm_hour = 14;
    local.tm_min = 5;
    EXPECT_EQ(TooltipText(local), "14:05,Tuesday,December 08,2026");
}

}  // namespace
}  // namespace tockbell
