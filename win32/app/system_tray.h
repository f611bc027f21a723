#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/app/clock_tick.h"
#include "core/app/settings_opener.h"
#include "core/app/tick_alignment.h"
#include "core/app/tray_icon.h"
#include "core/config/clock_settings.h"
#include "platform/notifications.h"
#include "win32/window/message_map.h"
#include "win32/window/window_base.h"

namespace tockbell {

// The clock in the notification area, and the program's heartbeat: a hidden window whose timer
// ticks just after each second of the wall clock. It holds the settings record that every thread
// shares, and shows the program's notifications as the icon's balloon.
class CSystemTray : public WindowBase, private TrayShell, public Notifications {
public:
    CSystemTray();
    ~CSystemTray() override;

    // Makes the tray window, adds the icon and starts the tick. `owner` (the main window) receives
    // the menu's commands; `actions` and `opener` (whose dialog greys "Close") outlive the tray. False
    // when the shell refuses the icon or the system is too old for a tray.
    bool Create(HWND owner, TickActions& actions, const SettingsOpener& opener);
    void HideIcon() { icon_.HideIcon(); }
    void ShowIcon() { icon_.ShowIcon(); }
    void RefreshIcon() { icon_.RefreshIcon(); }
    void RemoveIcon();
    TrayIcon& Icon() { return icon_; }
    // What the menu shows greyed above its commands at a time (quiet hours, the next reminder).
    using MenuNotes = std::function<std::vector<std::string>(const ClockReading& now)>;
    void SetMenuNotes(MenuNotes notes) { menuNotes_ = std::move(notes); }
    // The time of the latest tick.
    const ClockReading& LastTick() const { return tick_->LastTick(); }

    // Notifications: a balloon from the shown icon, a click on which stops its reminder; nothing while
    // the icon is hidden. The icon shows one balloon at a time: a reminder's at once, the others
    // taking turns.
    void Show(const std::string& title, const std::string& text, std::uint32_t stopId) override;

    ClockSettings settings;
    NOTIFYICONDATAA notifyData{};

private:
    struct Balloon {
        std::string title;
        std::string text;
        std::uint32_t stopId;
    };

    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    void OnTick();
    void OnDpiChanged();
    LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam);
    LRESULT OnPowerBroadcast(WPARAM wParam, LPARAM lParam);
    void OnTimeChange();
    void ShowMenu();
    // The balloon shown last has gone (its time is up, or the user clicked it): the next one shows.
    void ShowNextBalloon();

    // TrayShell
    bool Add() override;
    bool Modify() override;
    bool Delete() override;
    void Renew() override;  // UpdateIcon: a new face and tooltip for the current time

    static const MessageEntry<CSystemTray> kMessageMap[];

    HWND owner_ = nullptr;
    TickActions* actions_ = nullptr;
    const SettingsOpener* opener_ = nullptr;
    TrayIcon icon_{settings.flags, *this};
    std::optional<ClockTick> tick_;
    AlignedTick aligned_;
    UINT taskbarCreated_ = 0;
    std::deque<Balloon> balloons_;  // waiting for the one shown to go
    std::optional<Balloon> shown_;  // a click on it stops its reminder
    ULONGLONG shownAt_ = 0;         // when the shell took it
    MenuNotes menuNotes_;
};

}  // namespace tockbell
