#include "win32/app/system_tray.h"

#include <windows.h>

namespace tockbell {

namespace {

std::int32_t TodayOfMonth() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    return now.wDay;
}

}  // namespace

CSystemTray::CSystemTray() : settings(TodayOfMonth()) {}

bool CSystemTray::Create() { return true; }

void CSystemTray::RefreshIcon() {}

}  // namespace tockbell
