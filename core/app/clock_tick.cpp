#include "core/app/clock_tick.h"

namespace tockbell {

namespace {

// FLAG_CHIME_BUSY and the kind bits: bits 16 to 27.
constexpr std::uint32_t kClearedEachMinute = 0x0FFF0000;
constexpr int kRefreshAtTick = 20;
constexpr int kChimeSeconds = 3;

// 1 January 1998, 00:00:00: the first tick counts as a new minute unless it falls in minute 0.
ClockReading StartOfTicks() {
    ClockReading start;
    start.local.tm_year = 98;
    start.local.tm_mday = 1;
    return start;
}

}  // namespace

ClockTick::ClockTick(ClockSettings& settings, TrayIcon& icon, TickActions& actions)
    : settings_(settings), icon_(icon), actions_(actions), lastTick_(StartOfTicks()) {}

void ClockTick::OnTimer(const ClockReading& reading) {
    const std::tm& now = reading.local;
    // Only the minute field counts, so a clock put forward or back by whole hours is no new minute.
    const bool newMinute = now.tm_min != lastTick_.local.tm_min;
    lastTick_ = reading;
    std::atomic<std::uint32_t>& flags = settings_.flags;
    if (newMinute) {
        flags.fetch_and(~kClearedEachMinute);
        if (now.tm_mday != settings_.lastDay) actions_.RollDay(now.tm_mday);
        icon_.OnMinuteChanged();
    }
    // Once, about 20 s after the start, so that a tray that was not ready at log-on gets the icon.
    if (++tickCount_ == kRefreshAtTick) icon_.RefreshIcon();

    const std::uint32_t state = flags.load();
    if ((state & FLAG_SOUND_ON) != 0 && (state & FLAG_CHIME_BUSY) == 0 && now.tm_min % 30 == 0 &&
        now.tm_sec < kChimeSeconds) {
        // Noon to 12:59 is in the afternoon.
        actions_.StartChime(now.tm_hour % 12, now.tm_min == 30, now.tm_hour >= 12);
        return;
    }
    // One kind a tick: the look-ups of a minute are spread over its first ticks.
    for (const std::uint32_t kind : kTimeTableKinds) {
        if (actions_.CheckTimeTableKind(kind, lastTick_)) return;
    }
}

}  // namespace tockbell
