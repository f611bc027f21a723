#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace tockbell {

// Looks up an environment variable; none when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process.
std::optional<std::string> ProcessEnvironment(const std::string& name);

// The freedesktop base folders of the user, and the program's places in them. Each is none when
// neither its XDG variable nor an absolute HOME names it.
struct XdgFolders {
    std::optional<std::string> configHome;  // $XDG_CONFIG_HOME, else $HOME/.config
    std::optional<std::string> dataHome;    // $XDG_DATA_HOME, else $HOME/.local/share
    // The system's data folders in their order of precedence, where packages install for every user:
    // $XDG_DATA_DIRS, else /usr/local/share and /usr/share.
    std::vector<std::string> dataDirs = DefaultDataDirs();
    // $PATH's folders, where a desktop entry's program named without a folder is looked up.
    std::vector<std::string> commandFolders = {};

    static std::vector<std::string> DefaultDataDirs() { return {"/usr/local/share", "/usr/share"}; }

    // <config>/tockbell: the program's files.
    std::optional<std::string> ProgramFolder() const;
    // <config>/tockbell/tockbell, with no extension: SiblingPath(base, ".ini") names the settings.
    std::optional<std::string> FilesBase() const;
    // <config>/autostart: the entries started at log-on.
    std::optional<std::string> AutostartFolder() const;
    // <data>/applications: the entries of the menu of programs.
    std::optional<std::string> ApplicationsFolder() const;
    // The applications folders of the data folders, in their order.
    std::vector<std::string> SharedApplicationsFolders() const;
};

// A variable is taken only when it holds an absolute path; a relative or empty one is ignored, as the
// freedesktop base directories demand, and HOME names the folder instead. Of a list of folders
// (XDG_DATA_DIRS, PATH) only the absolute ones count; an empty or unset XDG_DATA_DIRS means the
// default.
XdgFolders FindXdgFolders(const EnvironmentLookup& environment);

}  // namespace tockbell
