// Which desktop settings program "Set time" starts, found along PATH.
#include "linux/xdg/date_time_settings.h"

#include <gtest/gtest.h>

#include <set>

namespace tockbell {
namespace {

struct FindCase {
    const char* path;
    std::set<std::string> installed;
    std::optional<SettingsCommand> found;
};

TEST(DateTimeSettings, TheFirstKnownProgramAlongThePath) {
    const SettingsCommand gnome{"/usr/bin/gnome-control-center", {"datetime"}};
    for (const FindCase& c : {
             FindCase{"/usr/local/bin:/usr/bin", {}, std::nullopt},
             FindCase{"/usr/bin", {"/usr/bin/gnome-control-center"}, gnome},
             // A desktop earlier in the list wins over an earlier folder.
             FindCase{"/opt/bin:/usr/bin", {"/opt/bin/kcmshell5", "/usr/bin/gnome-control-center"}, gnome},
             FindCase{"/opt/bin:/usr/bin/",
                      {"/opt/bin/kcmshell6", "/usr/bin/kcmshell6"},
                      SettingsCommand{"/opt/bin/kcmshell6", {"kcm_clock"}}},
             FindCase{"/usr/bin/", {"/usr/bin/kcmshell5"}, SettingsCommand{"/usr/bin/kcmshell5", {"clock"}}},
             FindCase{"/usr/bin",
                      {"/usr/bin/cinnamon-settings"},
                      SettingsCommand{"/usr/bin/cinnamon-settings", {"calendar"}}},
             FindCase{"/usr/bin", {"/usr/bin/mate-time-admin"}, SettingsCommand{"/usr/bin/mate-time-admin", {}}},
             FindCase{"/usr/bin", {"/usr/bin/time-admin"}, SettingsCommand{"/usr/bin/time-admin", {}}},
             // Relative and empty parts of PATH name the current folder: never searched.
             FindCase{"bin::.:",
                      {"bin/gnome-control-center", "gnome-control-center", "./gnome-control-center"},
                      std::nullopt},
             FindCase{"", {"/gnome-control-center"}, std::nullopt},
         }) {
        const auto environment = [&](const std::string& name) -> std::optional<std::string> {
            if (name == "PATH") return std::string(c.path);
            return std::nullopt;
        };
        const auto executable = [&](const std::string& file) { return c.installed.count(file) > 0; };
        EXPECT_EQ(FindDateTimeSettings(environment, executable), c.found) << c.path;
    }
}

TEST(DateTimeSettings, NoPathNoProgram) {
    EXPECT_EQ(
        FindDateTimeSettings([](const std::string&) { return std::nullopt; }, [](const std::string&) { return true; }),
        std::nullopt);
}

}  // namespace
}  // namespace tockbell
