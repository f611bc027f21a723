#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "core/app/zone_rule.h"

namespace tockbell {

// The release of the time-zone database that the table of zones comes from, such as "2025b".
std::string_view ZoneTableRelease();

// From the instant `utc` (seconds since the epoch) on, the offset from UTC is `offset` (seconds east).
struct ZoneChange {
    std::int64_t utc;
    std::int32_t offset;
};

// A time zone of the table: its present rule, and the changes of the coming years that the rule
// does not give (clocks that follow the months of Ramadan).
class TimeZone {
public:
    // The zone of an IANA name such as "America/Los_Angeles", in any letter case; none for a name
    // the table does not hold.
    static std::optional<TimeZone> Find(std::string_view name);

    // The offset from UTC, in seconds east, at the instant `utc`, daylight saving included.
    std::int32_t UtcOffset(std::int64_t utc) const;

private:
    TimeZone(const ZoneRule& rule, std::span<const ZoneChange> changes) : rule_(rule), changes_(changes) {}

    ZoneRule rule_;
    std::span<const ZoneChange> changes_;
};

}  // namespace tockbell
