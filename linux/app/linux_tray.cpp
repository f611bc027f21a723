#include "linux/app/linux_tray.h"

#include <cstdio>
#include <utility>

#include "core/app/world_clock.h"
#include "linux/app/clock_face.h"
#include "posix/posix_clock.h"

namespace tockbell {

namespace {

// As long as the core waits before it shows the icon again for a tray that was late at log-on.
constexpr int kTicksBeforeNoTrayNotice = 20;

}  // namespace

LinuxTray::LinuxTray(ClockSettings& settings, MenuItems menuItems, CommandHandler onCommand)
    : settings_(settings), menuItems_(std::move(menuItems)), onCommand_(std::move(onCommand)) {
    tray_.setContextMenu(&menu_);
    // The lines show the world's time at the moment the menu opens.
    connect(&menu_, &QMenu::aboutToShow, this, &LinuxTray::FillMenu);
    connect(&menu_, &QMenu::aboutToHide, this, [this] {
        if (std::exchange(outOnceMenuCloses_, false)) tray_.hide();
    });
    // Trays report a click, a double click or both; each opens the dialog, or brings it forward.
    connect(&tray_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason reason) {
        if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
            onCommand_(TrayCommand::Properties);
        }
    });
}

LinuxTray::~LinuxTray() { icon_.RemoveIcon(); }

void LinuxTray::WatchForTray() {
    if ((settings_.flags.load() & FLAG_ICON_CREATED) != 0) return;
    if (icon_.Create()) return;
    if (++ticksWithoutTray_ == kTicksBeforeNoTrayNotice) {
        std::fputs(
            "tockbell: no system tray has appeared, so the clock has no icon; it goes on striking and"
            " playing its time-table. The icon shows as soon as a tray starts (on GNOME: the AppIndicator"
            " extension).\n",
            stderr);
    }
}

bool LinuxTray::Add() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
    outOnceMenuCloses_ = false;
    Modify();
    tray_.show();
    return true;
}

bool LinuxTray::Modify() {
    tray_.setIcon(face_);
    tray_.setToolTip(tooltip_);
    return true;
}

bool LinuxTray::Delete() {
    // Taking the icon out closes the menu open on it: the refresh, out and straight back in, would
    // snatch the menu from a user who is reading it.
    if (menu_.isVisible()) {
        outOnceMenuCloses_ = true;
        return true;
    }
    tray_.hide();
    return true;
}

void LinuxTray::Renew() {
    const ClockReading now = ReadLocalClock();
    face_ = ClockFaceIcon(now.local.tm_hour, now.local.tm_min);
    tooltip_ = QString::fromStdString(TooltipText(now.local));
}

void LinuxTray::FillMenu() {
    menu_.clear();
    for (const TrayMenuItem& item : menuItems_()) {
        if (item.separator) {
            menu_.addSeparator();
            continue;
        }
        QAction* action = menu_.addAction(QString::fromStdString(item.text));
        action->setCheckable(item.checkable);
        action->setChecked(item.checked);
        action->setEnabled(item.enabled);
        if (item.isDefault) menu_.setDefaultAction(action);
        if (item.command != TrayCommand::None) {
            connect(action, &QAction::triggered, this, [this, command = item.command] { onCommand_(command); });
        }
    }
}

}  // namespace tockbell
