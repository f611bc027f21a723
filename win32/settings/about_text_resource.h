#pragma once

#include <windows.h>

namespace tockbell {

// Fills the About page's text box with the program's description, restored from its resource with
// the copyright line as the key. A program without the resource shows an empty box.
void LoadAboutText(HWND edit);

}  // namespace tockbell
