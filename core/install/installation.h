#pragma once

#include <optional>
#include <string>

#include "core/config/program_files.h"
#include "platform/file_system.h"
#include "platform/installation.h"
#include "platform/profile_strings.h"

namespace tockbell {

// Deleting the executable when the system next starts: the system's own way, or the profile
// functions that write the system's list of renames where it has none.
struct DeferredDeletion {
    DeferredDelete& system;
    ProfileStrings& profile;
};

// Everything the installation touches, and the program's name and place.
struct Installation {
    std::string entryName;    // "Striking Tockbell": the Run value, the shortcut and its description
    std::string programPath;  // the running executable, which the entries start
    ProgramFiles programFiles;
    StartupEntries& startup;
    ProgramMenu& menu;
    FileSystem& files;
    // None where the executable is not the program's to delete: on Linux it belongs to a package or
    // a build folder.
    std::optional<DeferredDeletion> deferredDeletion;
};

// At every start of the first copy: registers the program to start at log-on when the user's entry
// is missing or names another program, and only then writes the menu entry, unless an entry
// installed for every user starts this program already. Later starts of the same program write
// nothing, so a menu entry the user deleted stays deleted.
void RegisterAutostart(Installation& installation);

// At the end of a run after "Uninstall Tockbell": removes the start-at-log-on entries, the menu
// entry and the program's files except the recorded message, and has the executable deleted when
// the system next starts where it is the program's to delete.
void UninstallProgram(Installation& installation);

}  // namespace tockbell
