#include "core/timetable/c_scan.h"

#include <algorithm>

namespace tockbell {

namespace {

constexpr long long kHeldMagnitude = 1'000'000'000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void SkipSpace(std::string_view& rest) {
    while (!rest.empty() && IsCSpace(rest.front())) rest.remove_prefix(1);
}

}  // namespace

bool IsCSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::optional<long long> ScanDecimal(std::string_view& rest, std::size_t width) {
    SkipSpace(rest);
    std::string_view field = width == 0 ? rest : rest.substr(0, width);
    std::size_t used = 0;
    bool negative = false;
    if (!field.empty() && (field.front() == '-' || field.front() == '+')) {
        negative = field.front() == '-';
        used = 1;
    }
    if (used >= field.size() || !IsDigit(field[used])) return std::nullopt;
    long long magnitude = 0;
    for (; used < field.size() && IsDigit(field[used]); ++used) {
        magnitude = std::min(kHeldMagnitude, magnitude * 10 + (field[used] - '0'));
    }
    rest.remove_prefix(used);
    return negative ? -magnitude : magnitude;
}

std::optional<std::string_view> ScanWord(std::string_view& rest) {
    SkipSpace(rest);
    if (rest.empty()) return std::nullopt;
    std::size_t length = 0;
    while (length < rest.size() && !IsCSpace(rest[length])) ++length;
    const std::string_view word = rest.substr(0, length);
    rest.remove_prefix(length);
    return word;
}

bool ScanLiteral(std::string_view& rest, char literal) {
    if (rest.empty() || rest.front() != literal) return false;
    rest.remove_prefix(1);
    return true;
}

}  // namespace tockbell
