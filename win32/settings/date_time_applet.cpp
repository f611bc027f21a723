#include "win32/settings/date_time_applet.h"

#include <windows.h>
#include <cpl.h>

namespace tockbell {

bool RunDateTimeApplet(bool open) {
    char folder[MAX_PATH];
    const UINT length = GetSystemDirectoryA(folder, sizeof folder);
    if (length == 0 || length >= sizeof folder) return false;
    return RunControlPanelApplet(std::string(folder, length) + "\\timedate.cpl", open);
}

bool RunControlPanelApplet(const std::string& path, bool open) {
    // A path the system cannot name is refused, never cut.
    if (path.size() >= MAX_PATH) return false;
    const HMODULE library = LoadLibraryA(path.c_str());
    if (library == nullptr) return false;
    const auto entry = reinterpret_cast<APPLET_PROC>(reinterpret_cast<void*>(GetProcAddress(library, "CPlApplet")));
    bool runnable = entry != nullptr;
    if (entry && open) {
        // Straight to the applet's dialog, without the usual opening messages; it returns once closed.
        entry(nullptr, CPL_DBLCLK, 0, 0);
        runnable = false;
    }
    FreeLibrary(library);
    return runnable;
}

}  // namespace tockbell
