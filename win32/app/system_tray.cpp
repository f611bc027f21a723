#include "win32/app/system_tray.h"

#include <utility>

#include "core/app/world_clock.h"
#include "resource.h"
#include "win32/app/clock_icon.h"
#include "win32/app/display_scale.h"
#include "win32/app/local_clock.h"
#include "win32/app/tray_menu.h"

namespace tockbell {

namespace {

constexpr UINT kTickTimer = 1;
// Ends a balloon's turn where the shell does not say that it has gone.
constexpr UINT kBalloonTimer = 2;
constexpr UINT kIconId = 128;
// Long enough to read a reminder's name; the shell may hold it shorter or longer.
constexpr UINT kBalloonMilliseconds = 10000;
// A notice that a balloon has gone, this soon after another showed, is the replaced one's.
constexpr ULONGLONG kBalloonSettleMilliseconds = 1000;
// While the shell takes none (its tray gone), the newest wait.
constexpr std::size_t kMostBalloonsWaiting = 20;

}  // namespace

const MessageEntry<CSystemTray> CSystemTray::kMessageMap[] = {
    OnMessage(WM_TIMER, &CSystemTray::OnTimer),
    OnMessage(WM_USER, &CSystemTray::OnTrayNotification),
    OnMessage(WM_POWERBROADCAST, &CSystemTray::OnPowerBroadcast),
    OnMessage(WM_TIMECHANGE, &CSystemTray::OnTimeChange),
    OnMessage(WM_DPICHANGED, &CSystemTray::OnDpiChanged),
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

bool CSystemTray::Create(HWND owner, TickActions& actions, const SettingsOpener& opener) {
    if (LOBYTE(LOWORD(GetVersion())) < 4) return false;
    owner_ = owner;
    actions_ = &actions;
    opener_ = &opener;
    if (!CreateTopLevel("CSystemTray", "", WS_POPUP, nullptr)) return false;
    // The shell announces a rebuilt tray (Explorer restarted) with this message to every top-level window.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
    notifyData.hWnd = Window();
    tick_.emplace(settings, icon_, actions, LocalTimeAt);
    const bool shown = icon_.Create();
    // The first firing ticks at once and sets the timer to the next second.
    OnTick();
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

LRESULT CSystemTray::OnTimer(WPARAM wParam, LPARAM) {
    if (wParam == kBalloonTimer) {
        ShowNextBalloon();
    } else {
        OnTick();
    }
    return 0;
}

void CSystemTray::OnTick() {
    const TickStep step = aligned_.OnFiring(WallClockMilliseconds());
    // Set first: the tick may block for a while when it waits out a sound before a chime.
    if (step.rearm) SetTimer(Window(), kTickTimer, static_cast<UINT>(step.rearm->count()), nullptr);
    if (step.tick) tick_->OnTimer(ReadLocalClock());
}

// At a resume the clock has jumped: the tick sees it at once, and the timer is set to the second again.
LRESULT CSystemTray::OnPowerBroadcast(WPARAM wParam, LPARAM) {
    if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND || wParam == PBT_APMSUSPEND) OnTick();
    return TRUE;
}

void CSystemTray::OnTimeChange() { OnTick(); }

void CSystemTray::OnDpiChanged() { icon_.OnScaleChanged(); }

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
        case NIN_BALLOONUSERCLICK:
            if (shown_) actions_->StopReminder(shown_->stopId);
            ShowNextBalloon();
            break;
        case NIN_BALLOONTIMEOUT:
        case NIN_BALLOONHIDE:
            // The shell may say so of a balloon that the one just shown replaced.
            if (GetTickCount64() - shownAt_ >= kBalloonSettleMilliseconds) ShowNextBalloon();
            break;
        default:
            break;
    }
    return 1;
}

void CSystemTray::ShowMenu() {
    const ClockReading now = ReadLocalClock();
    HMENU menu = CreateTrayMenu(TrayMenuItems(WorldClockLines(settings.zoneLines, now.utc),
                                              menuNotes_ ? menuNotes_(now) : std::vector<std::string>(),
                                              settings.flags.load(), opener_->DialogOpen()));
    if (!menu) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    // The menu's owner must be in the foreground, or the menu would not close when clicked away.
    SetForegroundWindow(owner_);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, owner_, nullptr);
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
    // The face is drawn at the size the tray shows icons at on this window's monitor, not stretched.
    const int side = SystemMetricForDpi(SM_CXSMICON, WindowDpi(Window()));
    notifyData.hIcon = DrawClockIcon(true, now.local.tm_hour, now.local.tm_min, side);
}

void CSystemTray::Show(const std::string& title, const std::string& text, std::uint32_t stopId) {
    const std::uint32_t flags = settings.flags.load();
    if ((flags & FLAG_ICON_CREATED) == 0 || (flags & FLAG_ICON_HIDDEN) != 0) return;
    Balloon balloon{title, text, stopId};
    if (stopId == 0) {
        balloons_.push_back(std::move(balloon));
        if (balloons_.size() > kMostBalloonsWaiting) balloons_.pop_front();
        if (!shown_) ShowNextBalloon();
        return;
    }
    // A reminder's balloon shows at once: its Stop serves only while the sound plays, and the reminder
    // before it has ended. One that stops nothing (the list of the missed) shows again after it.
    if (shown_ && shown_->stopId == 0) balloons_.push_front(std::move(*shown_));
    balloons_.push_front(std::move(balloon));
    ShowNextBalloon();
}

void CSystemTray::ShowNextBalloon() {
    KillTimer(Window(), kBalloonTimer);
    shown_.reset();
    if (balloons_.empty() || (settings.flags.load() & FLAG_ICON_HIDDEN) != 0) return;
    Balloon next = std::move(balloons_.front());
    balloons_.pop_front();
    // The balloon's fields follow the first version's record, which the icon keeps using.
    NOTIFYICONDATAA balloon = notifyData;
    balloon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    balloon.uFlags = NIF_INFO;
    lstrcpynA(balloon.szInfo, next.text.c_str(), sizeof balloon.szInfo);
    lstrcpynA(balloon.szInfoTitle, next.title.c_str(), sizeof balloon.szInfoTitle);
    balloon.uTimeout = kBalloonMilliseconds;
    // The reminder makes its own sound.
    balloon.dwInfoFlags = NIIF_INFO | NIIF_NOSOUND;
    if (!Shell_NotifyIconA(NIM_MODIFY, &balloon)) return;
    shown_ = std::move(next);
    shownAt_ = GetTickCount64();
    SetTimer(Window(), kBalloonTimer, kBalloonMilliseconds, nullptr);
}

}  // namespace tockbell
