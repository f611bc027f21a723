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
             ZoneCase{"-0:30 west", "13:35 west"},
             ZoneCase{"+5:3 odd", "19:05 odd"},
             ZoneCase{"+5:75 odd", "19:05 odd"},
             ZoneCase{"-11 far", "03:05 far"},
             ZoneCase{"+99999999999999999999 big", "05:05 big"},
         }) {
        EXPECT_EQ(WorldClockText(c.line, kNow), c.text) << c.line;
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
