#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace tockbell {

// The C library's conversions "%d" and "%s" as sscanf reads them, on a view that the reading moves
// along: any length of text is read without a buffer of fixed size.

// White space as isspace sees it in the "C" locale.
bool IsCSpace(char c);

// One "%d", or "%Nd" with `width` N: white space skipped, then a sign and digits, at most `width`
// characters of them (0: no limit). None when no digit comes; values beyond a billion are held there.
std::optional<long long> ScanDecimal(std::string_view& rest, std::size_t width = 0);

// One "%s": white space skipped, then the run of other characters. None when only white space is left.
std::optional<std::string_view> ScanWord(std::string_view& rest);

// A character of the format other than white space or a conversion: it must come next.
bool ScanLiteral(std::string_view& rest, char literal);

}  // namespace tockbell
