#include "linux/app/linux_tray.h"

#include <cstdio>

#include "core/app/main_commands.h"
#include "core/app/world_clock.h"
#include "linux/app/clock_face.h"
#include "posix/posix_clock.h"

namespace tockbell {

namespace {

// As long as the core waits before it shows the icon again for a tray that was late at log-on.
constexpr int kTicksBeforeNoTrayNotice = 20;

}  // namespace

LinuxTray::LinuxTray(ClockSettings& settings, std::function<void()> onClose)
    : settings_(settings), onClose_(std::move(onClose)) {
    tray_.setContextMenu(&menu_);
    // The lines show the world's time at the moment the menu opens.
    connect(&menu_, &QMenu::aboutToShow, this, &LinuxTray::FillMenu);
    FillMenu();
}

LinuxTray::~LinuxTray() { icon_.RemoveIcon(); }

void LinuxTray::WatchForTray() {
    if ((settings_.flags.load() & FLAG_ICON_CREATED) != 0) return;
    if (icon_.Create()) return;
    if (++ticksWithoutTray_ == kTicksBeforeNoTrayNotice) {
        std::fputs("tockbell: no system tray has appeared, so the clock has no icon; it goes on striking and"
                   " playing its time-table. The icon shows as soon as a tray starts (on GNOME: the AppIndicator"
                   " extension).\n",
                   stderr);
    }
}

bool LinuxTray::Add() {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return false;
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
    for (const std::string& line : WorldClockLines(settings_.zoneLines, ReadLocalClock().utc)) {
        menu_.addAction(QString::fromStdString(line));
    }
    if (!menu_.isEmpty()) menu_.addSeparator();
    // The settings dialog is still to come.
    QAction* properties = menu_.addAction(QStringLiteral("Properties..."));
    properties->setEnabled(false);
    menu_.setDefaultAction(properties);
    QAction* beSilent = menu_.addAction(QStringLiteral("Be silent"));
    beSilent->setCheckable(true);
    beSilent->setChecked((settings_.flags.load() & FLAG_SOUND_ON) == 0);
    connect(beSilent, &QAction::triggered, this, [this] { ToggleSound(settings_.flags); });
    connect(menu_.addAction(QStringLiteral("Close")), &QAction::triggered, this, [this] { onClose_(); });
}

}  // namespace tockbell
