#pragma once

#include <array>
#include <string>
#include <string_view>

#include "core/config/clock_settings.h"

namespace tockbell {

// The world-clock lines as the "Time zones and comments" box shows them: each followed by CR LF,
// up to the first empty one.
std::string JoinZoneLines(const std::array<std::string, kMaxZoneLines>& lines);

// The box's text as world-clock lines: split at line breaks (CR LF, LF or a lone CR), leading white
// space dropped, at most twenty, ending at the first line that is then empty.
std::array<std::string, kMaxZoneLines> SplitZoneLines(std::string_view text);

}  // namespace tockbell
