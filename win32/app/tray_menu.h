#pragma once

#include <windows.h>

#include <vector>

#include "core/app/tray_menu_model.h"

namespace tockbell {

// The tray menu as a popup menu of its items: the commands carry the ids of menu 128 and reach the
// menu's owner as WM_COMMAND; a world-clock line has id 0. The caller destroys the menu.
HMENU CreateTrayMenu(const std::vector<TrayMenuItem>& items);

}  // namespace tockbell
