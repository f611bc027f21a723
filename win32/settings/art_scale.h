#pragma once

#include <windows.h>

namespace tockbell {

// The settings dialog's pictures (artwork, tab icons, button faces) come drawn for 100, 150 and
// 200 % by tools/make-bitmaps; a dialog takes the set nearest its display's scale, a tie going to the
// smaller set, and never stretches one to another scale.
int ArtPercent(UINT dpi);

// What takes `pixels` in the pictures for 100 %, in those for `percent`.
inline int ArtPixels(int pixels, int percent) { return pixels * percent / 100; }

}  // namespace tockbell
