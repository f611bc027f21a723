#include "core/app/clock_tick.h"

#include <algorithm>
#include <utility>

namespace tockbell {

namespace {

// FLAG_CHIME_BUSY and the kind bits: bits 16 to 27.
constexpr std::uint32_t kClearedEachMinute = 0x0FFF0000;
constexpr std::uint32_t kAllKinds = 0x0FFE0000;
constexpr int kRefreshAtTick = 20;
constexpr int kChimeSeconds = 3;

std::int64_t WallMinute(std::time_t utc) {
    const auto seconds = static_cast<std::int64_t>(utc);
    return seconds / 60 - (seconds % 60 < 0 ? 1 : 0);
}

bool SameDay(const std::tm& a, const std::tm& b) {
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday;
}

}  // namespace

ClockTick::ClockTick(ClockSettings& settings, TrayIcon& icon, TickActions& actions, LocalTimeFunction localAt)
    : settings_(settings), icon_(icon), actions_(actions), localAt_(std::move(localAt)) {}

void ClockTick::OnNewMinute(const ClockReading& reading) {
    const std::tm& now = reading.local;
    settings_.flags.fetch_and(~kClearedEachMinute);
    MinutePlan plan = watch_.Advance(reading, localAt_);
    due_ = std::move(plan.due);
    // The minutes of an earlier day are looked up before the roll replaces that day's "Today".
    const auto earlier = std::partition_point(plan.late.begin(), plan.late.end(),
                                              [&](const DueMinute& minute) { return !SameDay(minute.local, now); });
    actions_.CatchUp(std::span<const DueMinute>(plan.late.begin(), earlier), plan.jump);
    if (now.tm_mday != settings_.lastDay) actions_.RollDay(now.tm_mday);
    actions_.CatchUp(std::span<const DueMinute>(earlier, plan.late.end()), plan.jump);
    // Examined already today (the clock set back, the repeated hour of the autumn change).
    if (due_.empty()) settings_.flags.fetch_or(kAllKinds);
    icon_.OnMinuteChanged();
}

void ClockTick::OnTimer(const ClockReading& reading) {
    const std::tm& now = reading.local;
    const std::int64_t minute = WallMinute(reading.utc);
    // The clock set back shows a full hour again, and strikes it again.
    if (minute_ && minute < *minute_) chimedMinute_.reset();
    const bool newMinute = !minute_ || minute != *minute_;
    minute_ = minute;
    lastTick_ = reading;
    if (newMinute) OnNewMinute(reading);
    // Once, about 20 s after the start, so that a tray that was not ready at log-on gets the icon.
    if (++tickCount_ == kRefreshAtTick) icon_.RefreshIcon();

    const std::uint32_t state = settings_.flags.load();
    // Once per full or half hour that the face shows: a sequence that ends within its first seconds
    // does not start again.
    if ((state & FLAG_SOUND_ON) != 0 && (state & FLAG_CHIME_BUSY) == 0 && now.tm_min % 30 == 0 &&
        now.tm_sec < kChimeSeconds && chimedMinute_ != minute) {
        chimedMinute_ = minute;
        // Noon to 12:59 is in the afternoon.
        actions_.StartChime(now.tm_hour % 12, now.tm_min == 30, now.tm_hour >= 12);
        actions_.PlayReminders(false);
        return;
    }
    // One kind a tick: the look-ups of a minute are spread over its first ticks.
    const bool looked = std::any_of(std::begin(kTimeTableKinds), std::end(kTimeTableKinds),
                                    [&](std::uint32_t kind) { return actions_.CheckTimeTableKind(kind, due_); });
    actions_.PlayReminders(!looked);
}

}  // namespace tockbell
