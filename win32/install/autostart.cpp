#include "win32/install/autostart.h"

namespace tockbell {

void RegisterAutostart() {}

void UninstallProgram() {}

}  // namespace tockbell
