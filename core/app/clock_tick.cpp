#include "core/app/clock_tick.h"

namespace tockbell {

namespace {

// The nine kind bits and FLAG_CHIME_BUSY: bits 16 to 25.
constexpr std::uint32_t kClearedEachMinute = 0x03FF0000;
constexpr int kRefreshAtTick = 20;
constexpr int kChimeSeconds = 3;

// 1 January 1998, 00:00:00: the first tick counts as a new minute unless it falls in minute 0.
std::tm StartOfTicks() {
    std::tm start{};
    start.tm_year = 98;
    start.tm_mday = 1;
    return start;
}

}  // namespace

ClockTick::ClockTick(ClockSettings& settings, TrayIcon& icon, TickActions& actions)
    : settings_(settings), icon_(icon), actions_(actions), lastTick_(StartOfTicks()) {}

void ClockTick::OnTimer(const std::tm& now) {
    // Only the minute field counts, so a clock put forward or back by whole hours is no new minute.
    const bool newMinute = now.tm_min != lastTick_.tm_min;
    lastTick_ = now;
    std::atomic<std::uint32_t>& flags = settings_.flags;
    if (newMinute) {
        flags.fetch_and(~kClearedEachMinute);
        if (lastTick_.tm_mday != settings_.lastDay) actions_.RollDay(lastTick_.tm_mday);
        icon_.OnMinuteChanged();
    }
    // Once, about 20 s after the start, so that a tray that was not ready at log-on gets the icon.
    if (++tickCount_ == kRefreshAtTick) icon_.RefreshIcon();

    const std::uint32_t state = flags.load();
    if ((state & FLAG_SOUND_ON) != 0 && (state & FLAG_CHIME_BUSY) == 0 && now.tm_min % 30 == 0 &&
        now.tm_sec < kChimeSeconds) {
        actions_.StartChime(now.tm_hour % 12, now.tm_min == 30, now.tm_hour > 12);
        return;
    }
    // One kind a tick: the nine look-ups of a minute are spread over its first ticks.
    for (const std::uint32_t kind : kTimeTableKinds) {
        if (actions_.CheckTimeTableKind(kind)) return;
    }
}

}  // namespace tockbell
