#pragma once

#include <cstdint>
#include <deque>
#include <span>
#include <string>
#include <vector>

#include "core/chime/chime.h"
#include "platform/notifications.h"

namespace tockbell {

// A time-table entry that came due.
struct Reminder {
    std::string time;  // "HH:MM": when it came due, as the clock showed it then
    std::string path;  // its sound file
    friend bool operator==(const Reminder&, const Reminder&) = default;
};

inline constexpr char kNotificationTitle[] = "Tockbell";

// "07:30 Dentist appointment": the time and the sound file's name without folder and extension.
std::string ReminderText(const Reminder& reminder);
// "Missed while the computer was asleep: 07:30 WakeUp, 08:00 Pills": at most five, then "and N more".
std::string MissedRemindersText(std::span<const Reminder> missed);

// Plays the time-table's reminders one after another in the order they came due, and shows each in
// a notification as it starts. On the window thread, at every tick; a playback tells it that it has
// ended by clearing FLAG_REMINDER_BUSY.
class ReminderPlayer {
public:
    // Reminders waiting beyond this are listed as missed instead (a day's catching up after the
    // clock was held up, a time-table of hundreds of entries in one minute).
    static constexpr std::size_t kMaxWaiting = 100;

    ReminderPlayer(SoundServices& sounds, Notifications& notifications)
        : sounds_(sounds), notifications_(notifications) {}

    // Due now: plays after those added before it.
    void Add(Reminder reminder);
    // Late: plays once every entry of the current minute has been found.
    void AddLate(Reminder reminder);
    // Not played: listed in one notification at the next tick.
    void AddMissed(Reminder reminder);
    // At every tick: shows the missed ones, and starts the next reminder when the one before ended.
    void Play(bool minuteExamined);
    // The notification `stopId` was asked to stop its reminder: stopped if it still plays.
    void Stop(std::uint32_t stopId);

private:
    SoundServices& sounds_;
    Notifications& notifications_;
    std::deque<Reminder> waiting_;
    std::vector<Reminder> late_;
    std::vector<Reminder> missed_;
    std::uint32_t lastId_ = 0;
    std::uint32_t playing_ = 0;  // the stop id of the reminder that plays
};

}  // namespace tockbell
