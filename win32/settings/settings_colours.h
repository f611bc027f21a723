#pragma once

#include <windows.h>

namespace tockbell {

// The settings dialog's own colours, on screens that show the artwork.
inline constexpr COLORREF kDialogColour = RGB(168, 168, 168);
inline constexpr COLORREF kTabStripColour = RGB(192, 192, 192);
inline constexpr COLORREF kCopyrightColour = RGB(192, 192, 192);
// The background of the tab icons, which the image list leaves out.
inline constexpr COLORREF kTabIconBackground = RGB(192, 192, 192);

}  // namespace tockbell
