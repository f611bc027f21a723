#pragma once

#include <string>

#include "platform/file_system.h"
#include "platform/installation.h"
#include "platform/profile_strings.h"

namespace tockbell {

// Everything the installation touches, and the program's name and place.
struct Installation {
    std::string entryName;    // "Striking Tockbell": the Run value, the shortcut and its description
    std::string programPath;  // the running executable
    StartupEntries& startup;
    ProgramMenu& menu;
    FileSystem& files;
    ProfileStrings& profile;
    DeferredDelete& deferredDelete;
};

// At every start of the first copy: registers the program to start at log-on when the Run value is
// missing or names another place, and only then writes the menu shortcut. Later starts from the
// same place write nothing, so a shortcut the user deleted stays deleted.
void RegisterAutostart(Installation& installation);

// At the end of a run after "Uninstall Tockbell": removes the Run value, the shortcut and the
// program's files beside it except the recorded message, and has the executable deleted when the
// system next starts.
void UninstallProgram(Installation& installation);

}  // namespace tockbell
