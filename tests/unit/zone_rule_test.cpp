// The world clock's zone rules against the system's own: the C library under TZ set to a rule, and
// under TZ set to a zone's name, which reads the compiled zone files that the table was made from.
#include "core/app/zone_rule.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "core/app/zone_table.h"

namespace tockbell {
namespace {

const std::filesystem::path kZoneInfo = "/usr/share/zoneinfo";
constexpr std::int64_t kFrom = 1767225600;   // 2026-01-01 00:00 UTC
constexpr std::int64_t kUntil = 1924992000;  // 2031-01-01 00:00 UTC

// The C library's offset from UTC under one TZ value, for as long as it lives.
class SystemTime {
public:
    explicit SystemTime(const std::string& tz) {
        const char* old = std::getenv("TZ");
        if (old != nullptr) old_ = old;
        setenv("TZ", tz.c_str(), 1);
        tzset();
    }
    ~SystemTime() {
        setenv("TZ", old_.c_str(), 1);
        tzset();
    }
    std::int64_t OffsetAt(std::int64_t utc) const {
        const std::time_t t = static_cast<std::time_t>(utc);
        std::tm local{};
        localtime_r(&t, &local);
        return local.tm_gmtoff;
    }

private:
    std::string old_ = "UTC";
};

std::string Utc(std::int64_t utc) {
    const std::time_t t = static_cast<std::time_t>(utc);
    std::tm broken{};
    gmtime_r(&t, &broken);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S UTC", &broken);
    return text;
}

// Compares the offsets at every hour of 2026 to 2030 and, around each change the hours show, at
// every minute and the second before it; fails at the first difference.
void ExpectSameOffsets(const std::string& what, const std::function<std::int64_t(std::int64_t)>& expected,
                       const std::function<std::int64_t(std::int64_t)>& actual) {
    std::int64_t before = expected(kFrom);
    for (std::int64_t hour = kFrom; hour < kUntil; hour += 3600) {
        const std::int64_t offset = expected(hour);
        if (offset != before) {
            for (std::int64_t minute = hour - 2 * 3600; minute <= hour + 3600; minute += 60) {
                for (const std::int64_t t : {minute - 1, minute}) {
                    ASSERT_EQ(actual(t), expected(t)) << what << " at " << Utc(t);
                }
            }
        }
        ASSERT_EQ(actual(hour), offset) << what << " at " << Utc(hour);
        before = offset;
    }
}

TEST(ZoneRule, GivesTheOffsetsOfTheSystemsOwnReading) {
    for (const char* text : {
             "JST-9",
             "<+0545>-5:45",
             "<-0930>9:30",
             "<+14>-14",
             "PST8PDT,M3.2.0,M11.1.0",
             "CET-1CEST,M3.5.0,M10.5.0/3",
             "<-04>4<-03>,M9.1.6/24,M4.1.6/24",       // the south, changes at 24:00
             "<-02>2<-01>,M3.5.0/-1,M10.5.0/0",       // a change at -1:00, on the day before
             "EET-2EEST,M3.4.4/50,M10.4.4/50",        // at 50:00, two days after the named one
             "IST-1GMT0,M10.5.0,M3.5.0/1",            // "daylight time" behind the standard one
             "<+1030>-10:30<+11>-11,M10.1.0,M4.1.0",  // half an hour of daylight saving
             "<+1245>-12:45<+1345>,M9.5.0/2:45,M4.1.0/3:45",
             "<+00>0<+02>-2,M3.5.0/1,M10.5.0/3",  // two hours of it
             "NZST-12NZDT,M9.5.0,M4.1.0/3",
             "AAA-1BBB,J60/1,J300",      // day 60 is 1 March in every year
             "AAA-1BBB,59,300/0:30:30",  // day 59 is 29 February in a leap year
             "AAA+3BBB+1:30:15,M2.5.3/23:59:59,M11.1.6/-23",
             "<-03>+3<-02>+2,M3.2.0/167,M11.1.0/-167",
         }) {
        SCOPED_TRACE(text);
        const std::optional<ZoneRule> rule = ParseZoneRule(text);
        ASSERT_TRUE(rule);
        const SystemTime system(text);
        ExpectSameOffsets(
            text, [&](std::int64_t t) { return system.OffsetAt(t); },
            [&](std::int64_t t) { return UtcOffsetAt(*rule, t); });
    }
}

// The C library reads this rule by the year of the instant and so takes the first hours of New Year
// for standard time; the rule means daylight time all year.
TEST(ZoneRule, DaylightTimeAllYearHoldsAcrossNewYear) {
    const std::optional<ZoneRule> rule = ParseZoneRule("EST5EDT,0/0,J365/25");
    ASSERT_TRUE(rule);
    for (const std::int64_t t : {kFrom - 1, kFrom, kFrom + 5 * 3600, kFrom + 180 * 86400, kUntil - 1}) {
        EXPECT_EQ(UtcOffsetAt(*rule, t), -4 * 3600) << Utc(t);
    }
}

TEST(ZoneRule, RefusesWhatIsNoRule) {
    for (const char* text : {
             "",
             "5",
             "AB5",
             "EST",
             "EST5EDT",
             "EST5EDT4",
             "EST5EDT,M3.2.0",
             "EST5EDT,M3.2.0,",
             "EST25",
             "EST5:60",
             "EST5:3:",
             "EST+",
             "<>5",
             "<A B>5",
             "<EST5",
             "EST5 ",
             " EST5",
             "EST5EDT,M3.2.0,M11.1.0x",
             "EST5EDT,M13.1.0,M11.1.0",
             "EST5EDT,M0.1.0,M11.1.0",
             "EST5EDT,M3.6.0,M11.1.0",
             "EST5EDT,M3.0.0,M11.1.0",
             "EST5EDT,M3.2.7,M11.1.0",
             "EST5EDT,M3.2,M11.1.0",
             "EST5EDT,J0,J300",
             "EST5EDT,J366,J300",
             "EST5EDT,366,300",
             "EST5EDT,M3.2.0/168,M11.1.0",
             "EST5EDT,M3.2.0/,M11.1.0",
             "EST0005EDT,M3.2.0,M11.1.0",
         }) {
        EXPECT_FALSE(ParseZoneRule(text)) << '"' << text << '"';
    }
}

// The release of the system's compiled zone files, as their source's first line names it.
std::string SystemRelease() {
    std::ifstream source(kZoneInfo / "tzdata.zi");
    std::string line;
    std::getline(source, line);
    return line.rfind("# version ", 0) == 0 ? line.substr(10) : "";
}

// The table is compared with the system's files only when both come from the same release: after
// an update of the system's, tools/make-zones --check says that the table is to be made again.
class ZoneTable : public ::testing::Test {
protected:
    void SetUp() override {
        if (SystemRelease() != ZoneTableRelease()) {
            GTEST_SKIP() << "the zone table comes from tzdata " << ZoneTableRelease() << ", the system has "
                         << SystemRelease() << ": run tools/make-zones";
        }
    }
};

TEST_F(ZoneTable, GivesTheSystemsTimeInZonesOfEveryKind) {
    for (const char* zone : {
             "America/Los_Angeles", "America/New_York",    "America/Phoenix",
             "America/St_Johns",    "America/Sao_Paulo",   "America/Santiago",
             "America/Asuncion",    "America/Mexico_City", "America/Ciudad_Juarez",
             "America/Nuuk",        "America/Havana",      "America/Scoresbysund",
             "Pacific/Easter",      "Europe/London",       "Europe/Dublin",
             "Europe/Berlin",       "Europe/Moscow",       "Europe/Kyiv",
             "Europe/Istanbul",     "Europe/Volgograd",    "Atlantic/Azores",
             "Africa/Cairo",        "Africa/Casablanca",   "Africa/Johannesburg",
             "Asia/Gaza",           "Asia/Jerusalem",      "Asia/Tehran",
             "Asia/Kolkata",        "Asia/Kathmandu",      "Asia/Singapore",
             "Asia/Tokyo",          "Asia/Amman",          "Asia/Damascus",
             "Asia/Almaty",         "Australia/Sydney",    "Australia/Adelaide",
             "Australia/Lord_Howe", "Australia/Eucla",     "Australia/Brisbane",
             "Pacific/Auckland",    "Pacific/Chatham",     "Pacific/Apia",
             "Pacific/Fiji",        "Pacific/Kiritimati",  "Pacific/Marquesas",
             "Pacific/Norfolk",     "Antarctica/Troll",    "Etc/GMT+5",
             "Asia/Calcutta",       "US/Pacific",
         }) {
        SCOPED_TRACE(zone);
        const std::optional<TimeZone> table = TimeZone::Find(zone);
        ASSERT_TRUE(table);
        const SystemTime system(zone);
        ExpectSameOffsets(
            zone, [&](std::int64_t t) { return system.OffsetAt(t); },
            [&](std::int64_t t) { return table->UtcOffset(t); });
    }
}

// Every zone the system has under an "Area/Location" name, at a different hour of each day.
TEST_F(ZoneTable, HoldsEveryZoneOfTheSystem) {
    int zones = 0;
    for (auto entry = std::filesystem::recursive_directory_iterator(kZoneInfo);
         entry != std::filesystem::recursive_directory_iterator(); ++entry) {
        const std::string name = entry->path().lexically_relative(kZoneInfo).generic_string();
        if (entry.depth() == 0 && (name == "posix" || name == "right")) entry.disable_recursion_pending();
        if (entry.depth() == 0 || !entry->is_regular_file()) continue;  // one-word names are left out
        std::ifstream file(entry->path(), std::ios::binary);
        char magic[4] = {};
        if (!file.read(magic, 4) || std::string(magic, 4) != "TZif") continue;
        ++zones;
        const std::optional<TimeZone> table = TimeZone::Find(name);
        ASSERT_TRUE(table) << name;
        const SystemTime system(name);
        for (std::int64_t day = kFrom; day < kUntil; day += 86400 + 3600) {
            ASSERT_EQ(table->UtcOffset(day), system.OffsetAt(day)) << name << " at " << Utc(day);
        }
    }
    EXPECT_GT(zones, 500);
}

}  // namespace
}  // namespace tockbell
