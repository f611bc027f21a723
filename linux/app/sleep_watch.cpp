#include "linux/app/sleep_watch.h"

#include <QDBusConnection>

namespace tockbell {

SleepWatch::SleepWatch(std::function<void()> onSleepOrWake) : onSleepOrWake_(std::move(onSleepOrWake)) {
    QDBusConnection bus = QDBusConnection::systemBus();
    if (!bus.isConnected()) return;
    bus.connect(QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
                QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
                SLOT(OnPrepareForSleep(bool)));
}

void SleepWatch::OnPrepareForSleep(bool) { onSleepOrWake_(); }

}  // namespace tockbell
