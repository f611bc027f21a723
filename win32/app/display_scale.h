#pragma once

#include <windows.h>

namespace tockbell {

// The scale of the display a window is on, for a program that draws itself at every scale. The
// per-monitor calls came with Windows 10 (1607) and are looked up at run time; older systems have
// one scale for all monitors, the screen's.

// Dots per inch of the monitor that shows `window` (96 at 100 %).
UINT WindowDpi(HWND window);

// System metric `index` as it is at `dpi`, such as the tray's icon size SM_CXSMICON.
int SystemMetricForDpi(int index, UINT dpi);

// What takes `pixels` at 96 dots per inch, at `dpi`.
int ScaledPixels(int pixels, UINT dpi);

}  // namespace tockbell
