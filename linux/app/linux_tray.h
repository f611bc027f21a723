#pragma once

#include <QIcon>
#include <QMenu>
#include <QObject>
#include <QString>
#include <QSystemTrayIcon>
#include <functional>
#include <vector>

#include "core/app/tray_icon.h"
#include "core/app/tray_menu_model.h"
#include "core/config/clock_settings.h"

namespace tockbell {

// The clock in the desktop's tray: the face and the tooltip of the current minute, and the menu of
// world-clock lines and commands. At log-on the panel often comes after the programs it starts, and
// some desktops have no tray at all: the icon waits for a tray and shows when one comes.
class LinuxTray : public QObject, private TrayShell {
public:
    using MenuItems = std::function<std::vector<TrayMenuItem>()>;
    using CommandHandler = std::function<void(TrayCommand)>;

    // `menuItems` makes the menu's items each time it opens; `onCommand` takes the command chosen in
    // it, and "Properties..." for a click on the icon. `settings` outlives the tray.
    LinuxTray(ClockSettings& settings, MenuItems menuItems, CommandHandler onCommand);
    ~LinuxTray() override;

    TrayIcon& Icon() { return icon_; }
    // At every tick: while no tray has the icon, looks for one, and says once why there is no icon.
    void WatchForTray();
    // The menu as it is now; it is made again whenever it opens.
    void FillMenu();

private:
    // TrayShell
    bool Add() override;
    bool Modify() override;
    bool Delete() override;
    void Renew() override;

    ClockSettings& settings_;
    MenuItems menuItems_;
    CommandHandler onCommand_;
    QSystemTrayIcon tray_;
    QMenu menu_;
    QIcon face_;
    QString tooltip_;
    TrayIcon icon_{settings_.flags, *this};
    int ticksWithoutTray_ = 0;
    // The icon was taken out while its menu was open, and leaves when the menu closes.
    bool outOnceMenuCloses_ = false;
};

}  // namespace tockbell
