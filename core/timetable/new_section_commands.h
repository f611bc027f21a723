#pragma once

#include <optional>
#include <string_view>

namespace tockbell {

// What a "New section" command of the tree's context menu adds.
struct NewSection {
    std::optional<std::string_view> title;
    bool dayEditing;  // the title ends in "dd", being edited
};

// None for a command that is no New section entry. The commands are the menu's resource ids.
std::optional<NewSection> NewSectionForCommand(int command);

}  // namespace tockbell
