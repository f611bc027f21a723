#pragma once

#include <windows.h>

#include <string>

#include "core/app/clock_actions.h"
#include "core/recorder/record_thread.h"
#include "win32/chime/win32_sound.h"
#include "win32/recorder/mci_recording_device.h"

namespace tockbell {

// The Win32 sound and recording services, and what the tick sets going with them. Lives with the
// main window, longer than any sound thread it waits for.
class ClockServices {
public:
    // `store` is none when the program cannot name its files: nothing is rolled or looked up then.
    ClockServices(ClockSettings& settings, ConfigStore* store, FileSystem& files, Notifications& notifications,
                  const std::string& programPath);

    ClockActions& Actions() { return actions_; }
    SoundServices& Sounds() { return sounds_; }
    RecorderServices& Recording() { return recording_; }

private:
    ResourceWaveSounds waveSounds_;
    MciMediaPlayer media_;
    Win32Threads threads_;
    SoundServices sounds_;
    MciRecordingDevices recorders_;
    RecorderServices recording_;
    ClockActions actions_;
};

}  // namespace tockbell
