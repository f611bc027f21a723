#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "platform/sleep.h"

namespace tockbell {

// "Be silent": flips the sound switch. Turning sounds off asks whatever plays to stop; turning them
// on withdraws that request so that later sounds are not cut short. Returns whether sounds are on.
bool ToggleSound(std::atomic<std::uint32_t>& flags);

// At exit: asks every sound thread to stop and quit, then waits for the chime, the playback and the
// recorder in turn, each at most ten sleeps of one second, so that a hung thread cannot keep the
// program from saving.
void StopSoundThreads(std::atomic<std::uint32_t>& flags, const SleepFunction& sleep);

// The end of a run: stops the sound threads as above, then uninstalls when the user asked for it on
// the settings dialog, and otherwise saves the settings when the program keeps files (`store`).
void EndRun(ClockSettings& settings, ConfigStore* store, const SleepFunction& sleep,
            const std::function<void()>& uninstall);

}  // namespace tockbell
