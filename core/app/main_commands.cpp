#include "core/app/main_commands.h"

#include "core/config/settings_file.h"

namespace tockbell {

bool ToggleSound(std::atomic<std::uint32_t>& flags) {
    const bool on = (flags.fetch_xor(FLAG_SOUND_ON) & FLAG_SOUND_ON) == 0;
    // Either way "Be silent" ends a time being spoken, which speaks whatever the switch says.
    flags.fetch_and(~FLAG_SPEAKING);
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
    for (const std::uint32_t busy : {FLAG_CHIME_BUSY, FLAG_SPEAKING, FLAG_PLAY_BUSY, FLAG_RECORD_BUSY}) {
        for (int wait = 0; wait < kMaxWaits && (flags.load() & busy) != 0; ++wait) sleep(kWaitStep);
    }
}

void EndRun(ClockSettings& settings, ConfigStore* store, const SleepFunction& sleep,
            const std::function<void()>& uninstall) {
    StopSoundThreads(settings.flags, sleep);
    if ((settings.flags.load() & FLAG_UNINSTALL) != 0) {
        uninstall();
    } else if (store) {
        SaveSettings(*store, settings);
    }
}

}  // namespace tockbell
