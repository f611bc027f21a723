#include "core/app/main_commands.h"

#include "core/config/clock_settings.h"

namespace tockbell {

bool ToggleSound(std::atomic<std::uint32_t>& flags) {
    const bool on = (flags.fetch_xor(FLAG_SOUND_ON) & FLAG_SOUND_ON) == 0;
    if (on) {
        flags.fetch_and(~FLAG_STOP_SOUND);
    } else {
        flags.fetch_or(FLAG_STOP_SOUND);
    }
    return on;
}

void StopSoundThreads(std::atomic<std::uint32_t>& flags, const SleepFunction& sleep) {
    constexpr int kMaxWaits = 10;
    constexpr std::chrono::milliseconds kWaitStep{1000};
    flags.fetch_or(FLAG_STOP_SOUND | FLAG_QUITTING);
    for (const std::uint32_t busy : {FLAG_CHIME_BUSY, FLAG_PLAY_BUSY, FLAG_RECORD_BUSY}) {
        for (int wait = 0; wait < kMaxWaits && (flags.load() & busy) != 0; ++wait) sleep(kWaitStep);
    }
}

}  // namespace tockbell
