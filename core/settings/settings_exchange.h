#pragma once

#include <cstdint>

#include "core/app/tray_icon.h"
#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "core/settings/setup_controls.h"

namespace tockbell {

// What the settings dialog asks of its opener as it ends: after OK with "Close Tockbell" or
// "Uninstall Tockbell" checked, to end the program (which then uninstalls when the flags say so).
enum class CloseRequest { KeepRunning, CloseProgram };

// The settings dialog's data exchange between the settings record and the Setup page.
class SettingsExchange {
public:
    // `store` is none when the program cannot name its files: nothing is written then.
    SettingsExchange(ClockSettings& settings, TrayIcon& icon, ConfigStore* store)
        : settings_(settings), icon_(icon), store_(store) {}

    // The controls for the stored settings. Sets the sound switch, so that with sounds off whatever
    // still sounds is asked to stop.
    SetupControls Load();

    // OK: shows or hides the icon at once, takes the options into `flags` (keeping every bit that
    // the sound threads own), the volume, the world-clock lines and the quiet hours, and writes the configuration
    // file. Returns the close request.
    CloseRequest Store(const SetupControls& controls);

    // Cancel: nothing is stored. What the sound switch stopped meanwhile stays stopped, but the stop
    // request follows the stored switch again, so that a box unchecked and then cancelled does not
    // keep the next reminders quiet.
    void Cancel();

private:
    ClockSettings& settings_;
    TrayIcon& icon_;
    ConfigStore* store_;
};

}  // namespace tockbell
