#include "core/timetable/timetable_text.h"

namespace tockbell {

namespace {

constexpr std::size_t kShortestItem = 11;
constexpr std::string_view kMainSection = "Main";

std::string_view NextLine(std::string_view& text) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return line;
}

}  // namespace

std::vector<TimeTableSection> ReadTimeTableSections(std::string_view fileText) {
    std::vector<TimeTableSection> sections;
    bool inSection = false;  // false before the first header and inside [Main]
    while (!fileText.empty()) {
        const std::string_view line = NextLine(fileText);
        if (line.size() > 2 && line.front() == '[') {
            const std::string_view title = line.substr(1, line.size() - 2);
            inSection = title != kMainSection;
            if (inSection) sections.push_back({std::string(title), {}});
        } else if (inSection && line.size() >= kShortestItem) {
            sections.back().items.emplace_back(line);
        }
    }
    return sections;
}

}  // namespace tockbell
