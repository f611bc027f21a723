#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "linux/xdg/xdg_folders.h"

namespace tockbell {

// A program to start: its path and its arguments.
struct SettingsCommand {
    std::string program;
    std::vector<std::string> arguments;
    friend bool operator==(const SettingsCommand&, const SettingsCommand&) = default;
};

// Whether a file is there and may be run.
using ExecutableCheck = std::function<bool(const std::string& path)>;

// The desktop's own date and time settings, for "Set time": the first of the known settings programs
// of GNOME, KDE Plasma 6 and 5, Cinnamon, MATE and Xfce found in a folder of PATH, in that order;
// none when PATH holds none of them.
std::optional<SettingsCommand> FindDateTimeSettings(const EnvironmentLookup& environment,
                                                    const ExecutableCheck& executable);

// The same on this system: PATH of this process, and files that it may execute.
std::optional<SettingsCommand> FindDateTimeSettings();

}  // namespace tockbell
