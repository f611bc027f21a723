#include "win32/app/clock_services.h"

#include "core/chime/playback.h"
#include "core/config/settings_file.h"

namespace tockbell {

namespace {

void SleepFor(std::chrono::milliseconds duration) { Sleep(static_cast<DWORD>(duration.count())); }

}  // namespace

ClockServices::ClockServices(ClockSettings& settings, ConfigStore* store, FileSystem& files,
                             const std::string& programPath)
    : settings_(settings),
      store_(store),
      startTime_(std::time(nullptr)),
      waveSounds_(GetModuleHandleA(nullptr)),
      sounds_{settings.flags, waveSounds_, media_, threads_, SleepFor},
      recording_{settings.flags, recorders_, files, threads_, SleepFor} {
    if (store_) {
        trigger_.emplace(settings.flags, *store_, programPath,
                         [this](const std::string& path) { return StartPlayback(sounds_, path); });
    }
}

void ClockServices::RollDay(int day) {
    if (store_) {
        tockbell::RollDay(*store_, settings_, day);
    } else {
        settings_.lastDay = day;
    }
}

void ClockServices::StartChime(int hour, bool halfHour, bool afternoon) {
    tockbell::StartChime(sounds_, hour, halfHour, afternoon, settings_.flags.load(), settings_.volumeDivisor);
}

bool ClockServices::CheckTimeTableKind(std::uint32_t kind, const ClockReading& lastTick) {
    if (!trigger_) return false;
    return trigger_->CheckTimeTableKind(kind, lastTick, startTime_);
}

}  // namespace tockbell
