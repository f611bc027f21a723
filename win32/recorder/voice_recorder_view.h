#pragma once

#include <windows.h>

#include "core/recorder/voice_recorder.h"

namespace tockbell {

// The one place that moves the recorder's share of the Table page (dialog 131) to its controls: the
// buttons, the progress bar and the status line in its place, and the duration box.
void ShowRecorderControls(HWND page, const RecorderControls& controls);
void ShowRecorderDuration(HWND page, int minimum, int maximum, int seconds);
// The duration box's number, 0 when it holds none.
int ReadRecorderDuration(HWND page);

}  // namespace tockbell
