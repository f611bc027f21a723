#include "core/app/clock_actions.h"

#include "core/chime/spoken_time.h"
#include "core/config/settings_file.h"
#include "core/timetable/next_reminder.h"

namespace tockbell {

ClockActions::ClockActions(ClockSettings& settings, ConfigStore* store, SoundServices& sounds,
                           Notifications& notifications, const std::string& filesBase)
    : settings_(settings),
      store_(store),
      sounds_(sounds),
      startTime_(std::time(nullptr)),
      reminders_(sounds, notifications) {
    if (store_) trigger_.emplace(settings.flags, *store_, filesBase);
}

void ClockActions::RollDay(int day) {
    if (store_) {
        tockbell::RollDay(*store_, settings_, day);
    } else {
        settings_.lastDay = day;
    }
}

void ClockActions::StartChime(int hour, bool halfHour, bool afternoon) {
    // Chimes fall on the full and half hour, so the arguments name the minute; a test button does
    // not come this way and sounds in quiet hours too.
    const int minuteOfDay = (hour + (afternoon ? 12 : 0)) * 60 + (halfHour ? 30 : 0);
    if (settings_.quietHours && IsQuietAt(*settings_.quietHours, minuteOfDay)) return;
    tockbell::StartChime(sounds_, hour, halfHour, afternoon, settings_.flags.load(), settings_.volumeDivisor);
}

bool ClockActions::CheckTimeTableKind(std::uint32_t kind, std::span<const DueMinute> due) {
    if (!trigger_) return false;
    std::vector<Reminder> found;
    if (!trigger_->CheckTimeTableKind(kind, due, startTime_, found)) return false;
    for (Reminder& reminder : found) reminders_.Add(std::move(reminder));
    return true;
}

void ClockActions::CatchUp(std::span<const DueMinute> late, ClockJump jump) {
    if (!trigger_) return;
    for (const DueMinute& minute : late) {
        // The file's "Today" belongs to the day of the last roll.
        const bool withToday = minute.local.tm_mday == settings_.lastDay;
        for (Reminder& reminder : trigger_->EntriesAt(minute, startTime_, withToday)) {
            if (PlaysLate(minute, jump)) {
                reminders_.AddLate(std::move(reminder));
            } else {
                reminders_.AddMissed(std::move(reminder));
            }
        }
    }
}

void ClockActions::PlayReminders(bool minuteExamined) { reminders_.Play(minuteExamined); }

std::vector<std::string> ClockActions::MenuNotes(const ClockReading& now) {
    std::vector<std::string> notes;
    const int minuteOfDay = now.local.tm_hour * 60 + now.local.tm_min;
    if (settings_.quietHours) {
        if (std::optional<std::string> quiet = QuietLine(*settings_.quietHours, minuteOfDay)) notes.push_back(*quiet);
    }
    if (store_) {
        if (const std::optional<NextReminder> next =
                FindNextReminder(store_->ReadText(), now.local, now.utc - startTime_)) {
            notes.push_back(NextReminderLine(*next));
        }
    }
    return notes;
}

void ClockActions::SayTime(const ClockReading& now) {
    StartSayingTime(sounds_, now.local.tm_hour, now.local.tm_min, settings_.flags.load(), settings_.volumeDivisor);
}

}  // namespace tockbell
