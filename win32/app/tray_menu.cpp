#include "win32/app/tray_menu.h"

#include "core/app/world_clock.h"
#include "resource.h"

namespace tockbell {

HMENU LoadTrayMenu(std::span<const std::string> zoneLines, std::time_t now) {
    HMENU menu = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME));
    HMENU popup = menu ? GetSubMenu(menu, 0) : nullptr;
    if (!popup) {
        if (menu) DestroyMenu(menu);
        return nullptr;
    }
    SetMenuDefaultItem(popup, 0, TRUE);
    UINT lines = 0;
    for (; lines < zoneLines.size() && !zoneLines[lines].empty(); ++lines) {
        // Id 0: choosing a world-clock line does nothing.
        InsertMenuA(popup, lines, MF_BYPOSITION | MF_STRING, 0, WorldClockText(zoneLines[lines], now).c_str());
    }
    if (lines > 0) InsertMenuA(popup, lines, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    return menu;
}

}  // namespace tockbell
