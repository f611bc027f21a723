#include "core/timetable/new_section_commands.h"

#include <array>

#include "core/timetable/timetable_words.h"
#include "res/resource.h"

namespace tockbell {

std::optional<NewSection> NewSectionForCommand(int command) {
    // The weekday ids are not in order: "Power On" took one between Tuesday and Wednesday.
    static constexpr std::array<int, 7> kWeekdayCommands = {
        ID_SECTION_MONDAY,   ID_SECTION_TUESDAY,  ID_SECTION_WEDNESDAY, ID_SECTION_THURSDAY,
        ID_SECTION_FRIDAY,   ID_SECTION_SATURDAY, ID_SECTION_SUNDAY};
    switch (command) {
        case ID_SECTION_POWER_ON: return NewSection{kPowerOnTitle, false};
        case ID_SECTION_TODAY: return NewSection{kTodayTitle, false};
        case ID_SECTION_TOMORROW: return NewSection{kTomorrowTitle, false};
        case ID_SECTION_EVERYDAY: return NewSection{kEverydayTitle, false};
        case ID_SECTION_DAY: return NewSection{std::nullopt, true};
        default: break;
    }
    for (std::size_t day = 0; day < kWeekdayCommands.size(); ++day) {
        if (command == kWeekdayCommands[day]) return NewSection{kWeekdayNames[day], false};
    }
    if (command >= ID_SECTION_JANUARY && command <= ID_SECTION_DECEMBER) {
        return NewSection{kMonthNames[static_cast<std::size_t>(command - ID_SECTION_JANUARY)], true};
    }
    return std::nullopt;
}

}  // namespace tockbell
