#pragma once

namespace tockbell {

// Makes the program start at log-on. The registration itself comes with the installation work;
// until then the program starts without touching the registry or the Start menu.
void RegisterAutostart();

// Removes the program's traces instead of saving at exit. Until the installation work lands it
// removes nothing, so choosing it leaves the configuration as it was.
void UninstallProgram();

}  // namespace tockbell
