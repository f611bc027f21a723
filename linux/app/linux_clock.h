#pragma once

#include <QByteArray>
#include <optional>
#include <string>

#include "core/app/clock_actions.h"
#include "core/app/clock_tick.h"
#include "core/app/settings_opener.h"
#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "core/config/portable_profile_strings.h"
#include "core/recorder/record_thread.h"
#include "linux/app/aligned_ticker.h"
#include "linux/app/desktop_notifications.h"
#include "linux/app/linux_tray.h"
#include "linux/app/sleep_watch.h"
#include "linux/sound/linux_media_player.h"
#include "linux/sound/pulse_recording.h"
#include "linux/sound/qt_wave_sounds.h"
#include "linux/xdg/folder_maker.h"
#include "linux/xdg/xdg_folders.h"
#include "posix/posix_file_system.h"
#include "posix/posix_threads.h"

namespace tockbell {

// The running clock on a Linux desktop: its files in the configuration folder, the tray, the tick
// and the sounds, over the same core as the Windows program.
class LinuxClock {
public:
    // `executable` is what the autostart entry starts.
    LinuxClock(const XdgFolders& folders, std::string executable);

    // Registers the autostart entry, shows the icon (or waits for a tray) and starts ticking.
    void Start();
    // A later copy's request: "properties" opens the settings dialog, "say-time" speaks the time,
    // "uninstall" ends the clock and uninstalls it.
    void OnRequest(const QByteArray& request);
    // At the end of the event loop: stops the sounds, then saves, or uninstalls when asked to.
    void Finish();

private:
    void Tick();
    void OnCommand(TrayCommand command);
    void OnProperties();

    XdgFolders folders_;
    std::string executable_;
    PosixFileSystem files_;
    PosixFolderMaker folderMaker_;
    PortableProfileStrings profile_{files_};
    std::optional<ConfigStore> config_;  // none when the folder takes no files
    std::string filesBase_;              // the program's files are named from it; empty without a store
    ClockSettings settings_;
    QtWaveSounds waveSounds_;
    LinuxMediaPlayer media_;
    PosixThreads threads_;
    SoundServices sounds_;
    PulseRecordingDevices recordingDevices_{files_};
    RecorderServices recording_;
    DesktopNotifications notifications_;
    ClockActions actions_;
    LinuxTray tray_;
    SettingsOpener opener_{settings_.flags, tray_.Icon()};
    ClockTick tick_;
    AlignedTicker ticker_;
    SleepWatch sleepWatch_;
};

}  // namespace tockbell
