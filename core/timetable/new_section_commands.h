#pragma once

#include <optional>
#include <string_view>

namespace tockbell {

// The "New section" entries of the tree's context menu, in the menu's order.
enum class SectionCommand {
    PowerOn,
    Today,
    Tomorrow,
    Everyday,
    Monday,
    Tuesday,
    Wednesday,
    Thursday,
    Friday,
    Saturday,
    Sunday,
    Day,
    January,
    February,
    March,
    April,
    May,
    June,
    July,
    August,
    September,
    October,
    November,
    December,
};

// What a "New section" entry adds.
struct NewSection {
    std::optional<std::string_view> title;
    bool dayEditing;  // the title ends in "dd", being edited
};

NewSection NewSectionFor(SectionCommand command);

}  // namespace tockbell
