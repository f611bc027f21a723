#pragma once

#include <cstdint>
#include <ctime>

#include "core/app/tray_icon.h"
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
    // False when this kind of section has been examined in this minute already.
    virtual bool CheckTimeTableKind(std::uint32_t kind, const ClockReading& lastTick) = 0;
};

// The program's heartbeat, once a second on the window thread.
class ClockTick {
public:
    ClockTick(ClockSettings& settings, TrayIcon& icon, TickActions& actions);

    void OnTimer(const ClockReading& now);
    // The time of the latest tick; the time-table's names and keys are made from it.
    const ClockReading& LastTick() const { return lastTick_; }

private:
    ClockSettings& settings_;
    TrayIcon& icon_;
    TickActions& actions_;
    ClockReading lastTick_;
    int tickCount_ = 0;
};

}  // namespace tockbell
