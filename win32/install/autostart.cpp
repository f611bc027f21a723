#include "win32/install/autostart.h"

#include <windows.h>

#include "core/install/installation.h"
#include "resource.h"
#include "win32/config/program_path.h"
#include "win32/config/win32_file_system.h"
#include "win32/config/win32_profile_strings.h"
#include "win32/install/windows_installation.h"

namespace tockbell {

namespace {

// Runs `step` on the installation of this program as the system sees it; nothing when the program
// cannot name itself.
template <class Step>
void WithInstallation(Step step) {
    char name[128];
    const std::string program = ProgramPath();
    if (LoadStringA(GetModuleHandleA(nullptr), IDR_MAINFRAME, name, sizeof name) == 0 || program.empty()) return;
    RegistryStartupEntries startup;
    ShellProgramMenu menu;
    Win32FileSystem files;
    Win32ProfileStrings profile;
    SystemDeferredDelete deferredDelete;
    Installation installation{
        name, program, ProgramFiles(program), startup, menu, files, DeferredDeletion{deferredDelete, profile}};
    step(installation);
}

}  // namespace

void RegisterAutostart() {
    WithInstallation([](Installation& installation) { RegisterAutostart(installation); });
}

void UninstallProgram() {
    WithInstallation([](Installation& installation) { UninstallProgram(installation); });
}

}  // namespace tockbell
