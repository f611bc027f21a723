#pragma once

#include <windows.h>

namespace tockbell {

// A new icon `side` pixels square showing hour:minute on the clock face, every pixel opaque: bold
// (green hands edged in black) for the tray, thin (black hairlines) for the settings dialog. It is
// drawn for its size from the core's face and hands, not stretched, so that it is sharp at every
// scale; at 32 pixels it is icon 129 with the hands drawn on it. The caller destroys it.
HICON DrawClockIcon(bool bold, int hour, int minute, int side);

}  // namespace tockbell
