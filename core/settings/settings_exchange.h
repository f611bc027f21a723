#pragma once

#include <cstdint>

#include "core/app/tray_icon.h"
#include "core/config/clock_settings.h"
#include "core/config/config_store.h"
#include "core/settings/setup_controls.h"

namespace tockbell {

// The settings dialog's close request: after OK, this value asks the opener to end the program (it
// is the id of the "Close Tockbell" box); anything else lets it run on.
inline constexpr std::int32_t kKeepRunning = 2;
inline constexpr std::int32_t kCloseProgram = 1010;

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
    // the sound threads own), the volume and the world-clock lines, and writes the configuration
    // file. Returns the close request.
    std::int32_t Store(const SetupControls& controls);

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
