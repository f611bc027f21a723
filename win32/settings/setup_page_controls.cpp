#include "win32/settings/setup_page_controls.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "resource.h"

namespace tockbell {

namespace {

constexpr std::pair<int, bool SetupControls::*> kCheckBoxes[] = {
    {IDC_SOUND_ON, &SetupControls::soundOn},       {IDC_MULTISTRIKE, &SetupControls::multistrike},
    {IDC_STRIKE_HALF, &SetupControls::strikeHalf}, {IDC_VOICE_HOURS, &SetupControls::voiceHours},
    {IDC_VOICE_HALF, &SetupControls::voiceHalf},   {IDC_SWAP_AMPM, &SetupControls::swapAmPm},
    {IDC_HIDE_ICON, &SetupControls::iconHidden},   {IDC_CLOSE_PROGRAM, &SetupControls::closeProgram},
    {IDC_UNINSTALL, &SetupControls::uninstall},    {IDC_QUIET_ON, &SetupControls::quietOn},
};

constexpr std::pair<int, bool SetupControls::*> kEnabledStates[] = {
    {IDC_MULTISTRIKE, &SetupControls::strikeOptionsEnabled}, {IDC_STRIKE_HALF, &SetupControls::strikeOptionsEnabled},
    {IDC_VOICE_HOURS, &SetupControls::strikeOptionsEnabled}, {IDC_VOICE_HALF, &SetupControls::voiceHalfEnabled},
    {IDC_QUIET_FROM, &SetupControls::quietTimesEnabled},     {IDC_QUIET_TO, &SetupControls::quietTimesEnabled},
};

// The two time pickers and the minutes of the day they show.
constexpr std::pair<int, int SetupControls::*> kTimePickers[] = {
    {IDC_QUIET_FROM, &SetupControls::quietFrom},
    {IDC_QUIET_TO, &SetupControls::quietTo},
};

std::string WindowText(HWND window) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

}  // namespace

void PrepareSetupControls(HWND page) {
    // The only voice there is; the choice is not used.
    SendDlgItemMessageA(page, IDC_LANGUAGE, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("English"));
    SendDlgItemMessageA(page, IDC_LANGUAGE, CB_SETCURSEL, 0, 0);
    SendDlgItemMessageA(page, IDC_VOLUME, TBM_SETRANGE, FALSE, MAKELPARAM(kMinVolumeDivisor, kMaxVolumeDivisor));
    // Hours and minutes only.
    for (const auto& [id, minutes] : kTimePickers) {
        SendDlgItemMessageA(page, id, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>("HH':'mm"));
    }
}

SetupControls ReadSetupControls(HWND page) {
    SetupControls controls;
    for (const auto& [id, box] : kCheckBoxes) controls.*box = IsDlgButtonChecked(page, id) == BST_CHECKED;
    for (const auto& [id, enabled] : kEnabledStates) controls.*enabled = IsWindowEnabled(GetDlgItem(page, id));
    controls.volumeDivisor = static_cast<int>(SendDlgItemMessageA(page, IDC_VOLUME, TBM_GETPOS, 0, 0));
    controls.zoneText = WindowText(GetDlgItem(page, IDC_ZONES));
    for (const auto& [id, minutes] : kTimePickers) {
        SYSTEMTIME time{};
        if (SendDlgItemMessageA(page, id, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&time)) == GDT_VALID) {
            controls.*minutes = time.wHour * 60 + time.wMinute;
        }
    }
    return controls;
}

void ShowSetupControls(HWND page, const SetupControls& controls) {
    for (const auto& [id, box] : kCheckBoxes) CheckDlgButton(page, id, controls.*box ? BST_CHECKED : BST_UNCHECKED);
    for (const auto& [id, enabled] : kEnabledStates) EnableWindow(GetDlgItem(page, id), controls.*enabled);
    SendDlgItemMessageA(page, IDC_VOLUME, TBM_SETPOS, TRUE, controls.volumeDivisor);
    for (const auto& [id, minutes] : kTimePickers) {
        SYSTEMTIME time{};
        // A date the picker takes; only the time of day is shown.
        time.wYear = 2026;
        time.wMonth = 1;
        time.wDay = 1;
        time.wHour = static_cast<WORD>(controls.*minutes / 60);
        time.wMinute = static_cast<WORD>(controls.*minutes % 60);
        SendDlgItemMessageA(page, id, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
    }
    // Setting the same text again would move the caret and scroll the box for nothing.
    if (WindowText(GetDlgItem(page, IDC_ZONES)) != controls.zoneText)
        SetDlgItemTextA(page, IDC_ZONES, controls.zoneText.c_str());
}

}  // namespace tockbell
