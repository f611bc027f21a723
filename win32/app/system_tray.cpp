#include "win32/app/system_tray.h"

#include "core/app/world_clock.h"
#include "resource.h"
#include "win32/app/local_clock.h"
#include "win32/app/tray_menu.h"

namespace tockbell {

namespace {

constexpr UINT kTickTimer = 1;
constexpr UINT kTickPeriod = 1000;
constexpr UINT kIconId = 128;

}  // namespace

const MessageEntry<CSystemTray> CSystemTray::kMessageMap[] = {
    OnMessage(WM_TIMER, &CSystemTray::OnTimer),
    OnMessage(WM_USER, &CSystemTray::OnTrayNotification),
};

CSystemTray::CSystemTray() : settings(ReadLocalClock().local.tm_mday) {
    notifyData.cbSize = NOTIFYICONDATAA_V1_SIZE;
    notifyData.uID = kIconId;
    notifyData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    notifyData.uCallbackMessage = WM_USER;
}

CSystemTray::~CSystemTray() {
    RemoveIcon();
    if (notifyData.hIcon) DestroyIcon(notifyData.hIcon);
    if (Window()) DestroyWindow(Window());
}

bool CSystemTray::Create(HWND owner, TickActions& actions, ClockIconPainter& painter) {
    if (LOBYTE(LOWORD(GetVersion())) < 4) return false;
    owner_ = owner;
    painter_ = &painter;
    if (!CreateTopLevel("CSystemTray", "", WS_POPUP, nullptr)) return false;
    // The shell announces a rebuilt tray (Explorer restarted) with this message to every top-level window.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    notifyData.hWnd = Window();
    tick_.emplace(settings, icon_, actions);
    const bool shown = icon_.Create();
    OnTimer();
    SetTimer(Window(), kTickTimer, kTickPeriod, nullptr);
    return shown;
}

void CSystemTray::RemoveIcon() {
    notifyData.uFlags = 0;
    if (icon_.RemoveIcon() && Window()) KillTimer(Window(), kTickTimer);
}

std::optional<LRESULT> CSystemTray::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
        icon_.OnShellRestarted();
        return 0;
    }
    return Dispatch<CSystemTray>(kMessageMap, *this, message, wParam, lParam);
}

void CSystemTray::OnTimer() { tick_->OnTimer(ReadLocalClock()); }

LRESULT CSystemTray::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
    if (wParam != notifyData.uID) return 0;
    switch (LOWORD(lParam)) {
        case WM_RBUTTONUP:
            ShowMenu();
            break;
        case WM_LBUTTONDBLCLK:
            SetForegroundWindow(owner_);
            SendMessageA(owner_, WM_COMMAND, ID_APP_PROPERTIES, 0);
            break;
        default:
            break;
    }
    return 1;
}

void CSystemTray::ShowMenu() {
    HMENU menu = LoadTrayMenu(settings.zoneLines, ReadLocalClock().utc);
    if (!menu) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // The menu's owner must be in the foreground, or the menu would not close when clicked away.
    SetForegroundWindow(owner_);
    TrackPopupMenu(GetSubMenu(menu, 0), TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, owner_, nullptr);
    PostMessageA(owner_, WM_NULL, 0, 0);
    DestroyMenu(menu);
}

bool CSystemTray::Add() { return Shell_NotifyIconA(NIM_ADD, &notifyData) != FALSE; }

bool CSystemTray::Modify() { return Shell_NotifyIconA(NIM_MODIFY, &notifyData) != FALSE; }

bool CSystemTray::Delete() { return Shell_NotifyIconA(NIM_DELETE, &notifyData) != FALSE; }

void CSystemTray::Renew() {
    const ClockReading now = ReadLocalClock();
    // The shell keeps its own copy; the tray owns the icon it hands over and destroys the last one.
    if (notifyData.hIcon) DestroyIcon(notifyData.hIcon);
    lstrcpynA(notifyData.szTip, TooltipText(now.local).c_str(), sizeof notifyData.szTip);
    notifyData.hIcon = painter_->DrawClockIcon(true, now.local.tm_hour, now.local.tm_min);
}

}  // namespace tockbell
