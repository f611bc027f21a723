#include "linux/xdg/date_time_settings.h"

#include <unistd.h>

#include <algorithm>
#include <string_view>

namespace tockbell {

namespace {

struct KnownSettings {
    std::string_view program;
    std::vector<std::string> arguments;
};

// The desktops' date and time settings, each opened straight at its page.
const KnownSettings kKnownSettings[] = {
    {"gnome-control-center", {"datetime"}},  // GNOME
    {"kcmshell6", {"kcm_clock"}},            // KDE Plasma 6
    {"kcmshell5", {"clock"}},                // KDE Plasma 5
    {"cinnamon-settings", {"calendar"}},     // Cinnamon
    {"mate-time-admin", {}},                 // MATE
    {"time-admin", {}},                      // the date and time tool that Xfce and older MATE use
};

}  // namespace

std::optional<SettingsCommand> FindDateTimeSettings(const EnvironmentLookup& environment,
                                                    const ExecutableCheck& executable) {
    const std::string path = environment("PATH").value_or("");
    std::vector<std::string> folders;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t colon = std::min(path.find(':', start), path.size());
        // An empty part means the current folder, which a program started from anywhere must not trust.
        if (colon > start && path[start] == '/') folders.push_back(path.substr(start, colon - start));
        start = colon + 1;
    }
    for (const KnownSettings& known : kKnownSettings) {
        for (const std::string& folder : folders) {
            std::string program = folder + (folder.back() == '/' ? "" : "/") + std::string(known.program);
            if (executable(program)) return SettingsCommand{std::move(program), known.arguments};
        }
    }
    return std::nullopt;
}

std::optional<SettingsCommand> FindDateTimeSettings() {
    return FindDateTimeSettings(ProcessEnvironment,
                                [](const std::string& file) { return access(file.c_str(), X_OK) == 0; });
}

}  // namespace tockbell
