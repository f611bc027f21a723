#include "core/chime/reminder_player.h"

#include "core/chime/playback.h"
#include "core/config/clock_settings.h"

namespace tockbell {

namespace {

constexpr std::size_t kMostNamesListed = 5;

}  // namespace

std::string ReminderText(const Reminder& reminder) {
    std::string_view name = reminder.path;
    const std::size_t folder = name.find_last_of("\\/");
    if (folder != std::string_view::npos) name.remove_prefix(folder + 1);
    const std::size_t extension = name.rfind('.');
    if (extension != std::string_view::npos && extension > 0) name = name.substr(0, extension);
    return reminder.time + " " + std::string(name);
}

std::string MissedRemindersText(std::span<const Reminder> missed) {
    std::string text = "Missed while the computer was asleep: ";
    for (std::size_t i = 0; i < missed.size() && i < kMostNamesListed; ++i) {
        if (i > 0) text += ", ";
        text += ReminderText(missed[i]);
    }
    if (missed.size() > kMostNamesListed) text += " and " + std::to_string(missed.size() - kMostNamesListed) + " more";
    return text;
}

void ReminderPlayer::Add(Reminder reminder) {
    if (waiting_.size() >= kMaxWaiting) return AddMissed(std::move(reminder));
    waiting_.push_back(std::move(reminder));
}

void ReminderPlayer::AddLate(Reminder reminder) {
    if (waiting_.size() + late_.size() >= kMaxWaiting) return AddMissed(std::move(reminder));
    late_.push_back(std::move(reminder));
}

void ReminderPlayer::AddMissed(Reminder reminder) { missed_.push_back(std::move(reminder)); }

void ReminderPlayer::Play(bool minuteExamined) {
    if (!missed_.empty()) {
        notifications_.Show(kNotificationTitle, MissedRemindersText(missed_), 0);
        missed_.clear();
    }
    if (minuteExamined) {
        waiting_.insert(waiting_.end(), std::make_move_iterator(late_.begin()), std::make_move_iterator(late_.end()));
        late_.clear();
    }
    std::atomic<std::uint32_t>& flags = sounds_.flags;
    if (waiting_.empty() || (flags.load() & FLAG_REMINDER_BUSY) != 0) return;
    const Reminder next = std::move(waiting_.front());
    waiting_.pop_front();
    // With sounds off it is shown all the same, silent, with nothing to stop.
    const bool silent = (flags.load() & FLAG_STOP_SOUND) != 0;
    if (++lastId_ == 0) lastId_ = 1;
    playing_ = lastId_;
    notifications_.Show(kNotificationTitle, ReminderText(next), silent ? 0 : playing_);
    // A stop asked of the one before, too late for it, is not this one's.
    flags.fetch_and(~FLAG_REMINDER_STOP);
    flags.fetch_or(FLAG_REMINDER_BUSY);
    if (!StartPlayback(sounds_, next.path, JOB_REMINDER)) flags.fetch_and(~FLAG_REMINDER_BUSY);
}

void ReminderPlayer::Stop(std::uint32_t stopId) {
    if (stopId == 0 || stopId != playing_) return;
    if ((sounds_.flags.load() & FLAG_REMINDER_BUSY) != 0) sounds_.flags.fetch_or(FLAG_REMINDER_STOP);
}

}  // namespace tockbell
