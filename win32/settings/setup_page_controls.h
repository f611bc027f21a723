#pragma once

#include <windows.h>

#include "core/settings/setup_controls.h"

namespace tockbell {

// The one place where the Setup page's controls and their plain description meet.

// The ranges and lists the controls need before they show values.
void PrepareSetupControls(HWND page);
SetupControls ReadSetupControls(HWND page);
void ShowSetupControls(HWND page, const SetupControls& controls);

}  // namespace tockbell
