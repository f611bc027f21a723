#pragma once

#include "core/config/clock_settings.h"

namespace tockbell {

// The clock in the notification area and the settings record every thread shares. For now it only
// holds the settings; the icon, its menu and the one-second tick come with the tray work.
class CSystemTray {
public:
    CSystemTray();

    // Puts the icon into the tray; false makes the main window's creation fail.
    bool Create();
    // Redraws the icon after the settings may have changed.
    void RefreshIcon();

    ClockSettings settings;
};

}  // namespace tockbell
