#include "core/app/clock_actions.h"

#include "core/chime/playback.h"
#include "core/config/settings_file.h"

namespace tockbell {

ClockActions::ClockActions(ClockSettings& settings, ConfigStore* store, SoundServices& sounds,
                           const std::string& filesBase)
    : settings_(settings), store_(store), sounds_(sounds), startTime_(std::time(nullptr)) {
    if (store_) {
        trigger_.emplace(settings.flags, *store_, filesBase,
                         [this](const std::string& path) { return StartPlayback(sounds_, path); });
    }
}

void ClockActions::RollDay(int day) {
    if (store_) {
        tockbell::RollDay(*store_, settings_, day);
    } else {
        settings_.lastDay = day;
    }
}

void ClockActions::StartChime(int hour, bool halfHour, bool afternoon) {
    tockbell::StartChime(sounds_, hour, halfHour, afternoon, settings_.flags.load(), settings_.volumeDivisor);
}

bool ClockActions::CheckTimeTableKind(std::uint32_t kind, const ClockReading& lastTick) {
    if (!trigger_) return false;
    return trigger_->CheckTimeTableKind(kind, lastTick, startTime_);
}

}  // namespace tockbell
