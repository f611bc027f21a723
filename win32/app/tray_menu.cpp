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
    UINT position = 0;
    for (const std::string& line : WorldClockLines(zoneLines, now)) {
        // Id 0: choosing a world-clock line does nothing.
        InsertMenuA(popup, position++, MF_BYPOSITION | MF_STRING, 0, line.c_str());
    }
    if (position > 0) InsertMenuA(popup, position, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    return menu;
}

}  // namespace tockbell
