#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tockbell {

struct TimeTableSection {
    std::string title;
    std::vector<std::string> items;
};

// The time-table sections of a configuration file as the editor shows them: a line longer than 2
// characters that begins with "[" is a header (its first and last characters dropped, whatever
// they are); "Main" is no section; inside a section a line of 10 characters or fewer is skipped and
// any longer one is an item as it stands. Lines end at LF, with one CR before it dropped.
std::vector<TimeTableSection> ReadTimeTableSections(std::string_view fileText);

}  // namespace tockbell
