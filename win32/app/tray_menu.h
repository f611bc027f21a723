#pragma once

#include <windows.h>

#include <ctime>
#include <span>
#include <string>

namespace tockbell {

// Menu 128 of this program with the world-clock lines for `now` above its commands: the leading
// non-empty zone lines, then a separator if there was any; "Properties..." is the default item.
// The caller shows its popup 0 and destroys the menu; none when the resource is missing.
HMENU LoadTrayMenu(std::span<const std::string> zoneLines, std::time_t now);

}  // namespace tockbell
