#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <vector>

#include "core/app/clock_tick.h"
#include "core/chime/chime.h"
#include "core/chime/reminder_player.h"
#include "core/chime/timetable_trigger.h"
#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "platform/notifications.h"

namespace tockbell {

// What the tick sets going on every system: the day roll on the configuration file, the chime, and
// the time-table look-ups with their reminders. Lives longer than any sound thread it starts.
class ClockActions : public TickActions {
public:
    // `store` is none when the program cannot keep its files: nothing is rolled or looked up then.
    // Relative sound names of the time-table are taken beside `filesBase` (core/config/sibling_path.h).
    ClockActions(ClockSettings& settings, ConfigStore* store, SoundServices& sounds, Notifications& notifications,
                 const std::string& filesBase);

    void RollDay(int day) override;
    void StartChime(int hour, bool halfHour, bool afternoon) override;
    bool CheckTimeTableKind(std::uint32_t kind, std::span<const DueMinute> due) override;
    void CatchUp(std::span<const DueMinute> late, ClockJump jump) override;
    void PlayReminders(bool minuteExamined) override;
    void StopReminder(std::uint32_t stopId) override { reminders_.Stop(stopId); }

    // The tray menu's greyed notes at `now`: "Quiet until 07:00" while quiet, and the next reminder.
    std::vector<std::string> MenuNotes(const ClockReading& now);
    // "Say the time": speaks `now` to the minute, also while sounds are off.
    void SayTime(const ClockReading& now);

private:
    ClockSettings& settings_;
    ConfigStore* store_;
    SoundServices& sounds_;
    std::time_t startTime_;
    std::optional<TimeTableTrigger> trigger_;
    ReminderPlayer reminders_;
};

}  // namespace tockbell
