#include "core/timetable/new_section_commands.h"

#include "core/timetable/timetable_words.h"

namespace tockbell {

NewSection NewSectionFor(SectionCommand command) {
    const auto index = static_cast<int>(command);
    switch (command) {
        case SectionCommand::PowerOn:
            return NewSection{kPowerOnTitle, false};
        case SectionCommand::Today:
            return NewSection{kTodayTitle, false};
        case SectionCommand::Tomorrow:
            return NewSection{kTomorrowTitle, false};
        case SectionCommand::Everyday:
            return NewSection{kEverydayTitle, false};
        case SectionCommand::Day:
            return NewSection{std::nullopt, true};
        default:
            break;
    }
    if (command <= SectionCommand::Sunday) {
        return NewSection{kWeekdayNames[static_cast<std::size_t>(index - static_cast<int>(SectionCommand::Monday))],
                          false};
    }
    return NewSection{kMonthNames[static_cast<std::size_t>(index - static_cast<int>(SectionCommand::January))], true};
}

}  // namespace tockbell
