#include "core/app/zone_table.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace tockbell {

namespace {

struct ZoneEntry {
    std::string_view name;
    std::string_view rule;
    std::size_t firstChange = 0;
    std::size_t changeCount = 0;
};

#include "core/app/zone_table.inc"

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Below, at or above 0 as `a` sorts before, with or after `b`, letter case aside.
int CompareIgnoringCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const char x = LowerAscii(a[i]);
        const char y = LowerAscii(b[i]);
        if (x != y) return x < y ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : a.size() < b.size() ? -1 : 1;
}

const ZoneEntry* FindEntry(std::string_view name) {
    std::size_t low = 0;
    std::size_t high = kZones.size();
    while (low < high) {
        const std::size_t middle = low + (high - low) / 2;
        const int order = CompareIgnoringCase(name, kZones[middle].name);
        if (order == 0) return &kZones[middle];
        if (order < 0) {
            high = middle;
        } else {
            low = middle + 1;
        }
    }
    return nullptr;
}

}  // namespace

std::string_view ZoneTableRelease() { return kZoneTableRelease; }

std::optional<TimeZone> TimeZone::Find(std::string_view name) {
    const ZoneEntry* entry = FindEntry(name);
    if (entry == nullptr) return std::nullopt;
    const std::optional<ZoneRule> rule = ParseZoneRule(entry->rule);
    if (!rule) return std::nullopt;  // every rule of the table parses; the tests see to it
    return TimeZone(*rule, std::span<const ZoneChange>(kZoneChanges).subspan(entry->firstChange, entry->changeCount));
}

std::int32_t TimeZone::UtcOffset(std::int64_t utc) const {
    // Between the first and the last of the changes the rule does not give, those changes rule.
    if (changes_.empty() || utc < changes_.front().utc || utc >= changes_.back().utc) return UtcOffsetAt(rule_, utc);
    const auto next =
        std::upper_bound(changes_.begin(), changes_.end(), utc,
                         [](std::int64_t instant, const ZoneChange& change) { return instant < change.utc; });
    return std::prev(next)->offset;
}

}  // namespace tockbell
