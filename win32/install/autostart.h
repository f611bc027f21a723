#pragma once

namespace tockbell {

// Makes the program start at log-on and gives it a Start menu shortcut, when that is not so yet.
void RegisterAutostart();

// At the end of a run after "Uninstall Tockbell": removes the program's entries and files, and has
// the executable deleted when the system next starts.
void UninstallProgram();

}  // namespace tockbell
