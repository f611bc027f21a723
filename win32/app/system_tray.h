#pragma once

#include <windows.h>
#include <shellapi.h>

#include <optional>

#include "core/app/clock_tick.h"
#include "core/app/tray_icon.h"
#include "core/config/clock_settings.h"
#include "win32/app/clock_icon.h"
#include "win32/window/message_map.h"
#include "win32/window/window_base.h"

namespace tockbell {

// The clock in the notification area, and the program's heartbeat: a hidden window whose timer
// ticks once a second. It holds the settings record that every thread shares.
class CSystemTray : public WindowBase, private TrayShell {
public:
    CSystemTray();
    ~CSystemTray() override;

    // Makes the tray window, adds the icon and starts the tick. `owner` (the main window) receives
    // the menu's commands; `actions` and `painter` outlive the tray. False when the shell refuses
    // the icon or the system is too old for a tray.
    bool Create(HWND owner, TickActions& actions, ClockIconPainter& painter);
    void HideIcon() { icon_.HideIcon(); }
    void ShowIcon() { icon_.ShowIcon(); }
    void RefreshIcon() { icon_.RefreshIcon(); }
    void RemoveIcon();
    TrayIcon& Icon() { return icon_; }
    // The time of the latest tick.
    const ClockReading& LastTick() const { return tick_->LastTick(); }

    ClockSettings settings;
    NOTIFYICONDATAA notifyData{};

private:
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnTimer();
    LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
    void ShowMenu();

    // TrayShell
    bool Add() override;
    bool Modify() override;
    bool Delete() override;
    void Renew() override;  // UpdateIcon: a new face and tooltip for the current time

    static const MessageEntry<CSystemTray> kMessageMap[];

    HWND owner_ = nullptr;
    ClockIconPainter* painter_ = nullptr;
    TrayIcon icon_{settings.flags, *this};
    std::optional<ClockTick> tick_;
    UINT taskbarCreated_ = 0;
};

}  // namespace tockbell
