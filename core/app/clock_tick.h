#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <span>
#include <vector>

#include "core/app/tray_icon.h"
#include "core/chime/minute_watch.h"
#include "core/config/clock_settings.h"
#include "platform/clock.h"

namespace tockbell {

// What the one-second tick sets going besides the icon.
class TickActions {
public:
    virtual ~TickActions() = default;
    virtual void RollDay(int day) = 0;
    // hour is on the twelve-hour dial (0 to 11).
    virtual void StartChime(int hour, bool halfHour, bool afternoon) = 0;
    // Looks one kind of section up for the minutes due now. False when this kind has been examined in
    // this minute already.
    virtual bool CheckTimeTableKind(std::uint32_t kind, std::span<const DueMinute> due) = 0;
    // Minutes that passed unexamined: their entries are looked up at once, then played after those of
    // the current minute or listed as missed.
    virtual void CatchUp(std::span<const DueMinute> late, ClockJump jump) = 0;
    // At the end of every tick; `minuteExamined` once every kind of the current minute has been
    // looked at. Starts the next reminder when the one before has ended.
    virtual void PlayReminders(bool minuteExamined) = 0;
    // A reminder's notification was asked to stop it (its Stop action, a click on the balloon).
    virtual void StopReminder(std::uint32_t stopId) = 0;
};

// The program's heartbeat, once a second on the window thread.
class ClockTick {
public:
    // `localAt` gives the local time of the minutes that passed between two ticks.
    ClockTick(ClockSettings& settings, TrayIcon& icon, TickActions& actions, LocalTimeFunction localAt);

    void OnTimer(const ClockReading& now);
    // The time of the latest tick.
    const ClockReading& LastTick() const { return lastTick_; }

private:
    void OnNewMinute(const ClockReading& now);

    ClockSettings& settings_;
    TrayIcon& icon_;
    TickActions& actions_;
    LocalTimeFunction localAt_;
    ClockReading lastTick_;
    std::optional<std::int64_t> minute_;        // the wall-clock minute of the latest tick
    std::optional<std::int64_t> chimedMinute_;  // the wall-clock minute whose chime was started
    MinuteWatch watch_;
    std::vector<DueMinute> due_;  // the minutes whose entries the kinds look up in this minute
    int tickCount_ = 0;
};

}  // namespace tockbell
