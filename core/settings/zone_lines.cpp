#include "core/settings/zone_lines.h"

#include <algorithm>

#include "core/config/profile_text.h"

namespace tockbell {

std::string JoinZoneLines(const std::array<std::string, kMaxZoneLines>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        if (line.empty()) break;
        text += line;
        text += "\r\n";
    }
    return text;
}

std::array<std::string, kMaxZoneLines> SplitZoneLines(std::string_view text) {
    std::array<std::string, kMaxZoneLines> lines{};
    for (std::string& line : lines) {
        const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
        std::string_view piece = text.substr(0, end);
        text.remove_prefix(end);
        if (text.substr(0, 2) == "\r\n") text.remove_prefix(1);
        if (!text.empty()) text.remove_prefix(1);
        // The same blanks as the configuration file's reader drops, so a line reads back as stored.
        while (!piece.empty() && IsProfileSpace(piece.front())) piece.remove_prefix(1);
        if (piece.empty()) break;
        line = std::string(piece);
    }
    return lines;
}

}  // namespace tockbell
