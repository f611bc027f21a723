#include "win32/recorder/voice_recorder_view.h"

#include <commctrl.h>

#include <string>

#include "resource.h"

namespace tockbell {

void ShowRecorderControls(HWND page, const RecorderControls& controls) {
    EnableWindow(GetDlgItem(page, IDC_RECORD), controls.recordEnabled);
    EnableWindow(GetDlgItem(page, IDC_PLAY), controls.playEnabled);
    EnableWindow(GetDlgItem(page, IDC_PAUSE), controls.pauseEnabled);
    EnableWindow(GetDlgItem(page, IDC_STOP), controls.stopEnabled);
    EnableWindow(GetDlgItem(page, IDC_INSERT), controls.insertEnabled);
    SendDlgItemMessageA(page, IDC_PROGRESS, PBM_SETRANGE32, 0, controls.progressRange);
    SendDlgItemMessageA(page, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(controls.progress), 0);
    SetDlgItemTextA(page, IDC_STATUS, controls.status.c_str());
    ShowWindow(GetDlgItem(page, IDC_STATUS), controls.progressShown ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(page, IDC_PROGRESS), controls.progressShown ? SW_SHOW : SW_HIDE);
}

void ShowRecorderDuration(HWND page, int minimum, int maximum, int seconds) {
    SendDlgItemMessageA(page, IDC_DURATION_SPIN, UDM_SETRANGE32, static_cast<WPARAM>(minimum), maximum);
    SendDlgItemMessageA(page, IDC_DURATION_SPIN, UDM_SETPOS32, 0, seconds);
    SetDlgItemInt(page, IDC_DURATION, static_cast<UINT>(seconds), TRUE);
    SendDlgItemMessageA(page, IDC_PROGRESS, PBM_SETSTEP, 1, 0);
}

int ReadRecorderDuration(HWND page) {
    BOOL isNumber = FALSE;
    const int duration = static_cast<int>(GetDlgItemInt(page, IDC_DURATION, &isNumber, TRUE));
    return isNumber ? duration : 0;
}

}  // namespace tockbell
