#pragma once

#include <windows.h>

#include <ctime>
#include <optional>
#include <string>

#include "core/app/clock_tick.h"
#include "core/chime/chime.h"
#include "core/chime/timetable_trigger.h"
#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "core/recorder/record_thread.h"
#include "win32/chime/win32_sound.h"
#include "win32/recorder/mci_recording_device.h"

namespace tockbell {

// What the tick sets going: the day roll on the configuration file, the chime, and the time-table
// look-ups with their playbacks. Lives with the main window, longer than any sound thread it waits for.
class ClockServices : public TickActions {
public:
    // `store` is none when the program cannot name its files: nothing is rolled or looked up then.
    ClockServices(ClockSettings& settings, ConfigStore* store, FileSystem& files, const std::string& programPath);

    void RollDay(int day) override;
    void StartChime(int hour, bool halfHour, bool afternoon) override;
    bool CheckTimeTableKind(std::uint32_t kind, const ClockReading& lastTick) override;

    SoundServices& Sounds() { return sounds_; }
    RecorderServices& Recording() { return recording_; }

private:
    ClockSettings& settings_;
    ConfigStore* store_;
    std::time_t startTime_;
    ResourceWaveSounds waveSounds_;
    MciMediaPlayer media_;
    Win32Threads threads_;
    SoundServices sounds_;
    MciRecordingDevices recorders_;
    RecorderServices recording_;
    std::optional<TimeTableTrigger> trigger_;
};

}  // namespace tockbell
