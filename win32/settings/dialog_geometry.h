#pragma once

#include <windows.h>

namespace tockbell {

// The rectangle of `control` in the client coordinates of `parent`, as laid out now.
RECT RectIn(HWND parent, HWND control);

}  // namespace tockbell
