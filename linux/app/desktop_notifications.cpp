#include "linux/app/desktop_notifications.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QStringList>
#include <QVariantMap>

namespace tockbell {

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kStopAction = QStringLiteral("stop");

QDBusMessage Call(const QString& method) { return QDBusMessage::createMethodCall(kService, kPath, kInterface, method); }

}  // namespace

DesktopNotifications::DesktopNotifications(std::function<void(std::uint32_t)> onStop) : onStop_(std::move(onStop)) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                SLOT(OnActionInvoked(uint, QString)));
    bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                SLOT(OnNotificationClosed(uint, uint)));
    auto* capabilities = new QDBusPendingCallWatcher(bus.asyncCall(Call(QStringLiteral("GetCapabilities"))), this);
    connect(capabilities, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
        const QDBusPendingReply<QStringList> reply = *call;
        bodyMarkup_ = reply.isValid() && reply.value().contains(QStringLiteral("body-markup"));
        call->deleteLater();
    });
}

void DesktopNotifications::Show(const std::string& title, const std::string& text, std::uint32_t stopId) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return;
    QString body = QString::fromStdString(text);
    if (bodyMarkup_) body = body.toHtmlEscaped();
    const QStringList actions = stopId != 0 ? QStringList{kStopAction, QStringLiteral("Stop")} : QStringList{};
    // The reminder makes its own sound.
    const QVariantMap hints{{QStringLiteral("suppress-sound"), true},
                            {QStringLiteral("desktop-entry"), QStringLiteral("tockbell")}};
    QDBusMessage notify = Call(QStringLiteral("Notify"));
    notify << QStringLiteral("Tockbell") << 0u << QString() << QString::fromStdString(title) << body << actions << hints
           << -1;
    auto* shown = new QDBusPendingCallWatcher(bus.asyncCall(notify), this);
    connect(shown, &QDBusPendingCallWatcher::finished, this, [this, stopId](QDBusPendingCallWatcher* call) {
        const QDBusPendingReply<uint> reply = *call;
        if (reply.isValid() && stopId != 0) stopIds_[reply.value()] = stopId;
        call->deleteLater();
    });
}

void DesktopNotifications::OnActionInvoked(uint id, const QString& action) {
    const auto found = stopIds_.find(id);
    if (found == stopIds_.end() || action != kStopAction) return;
    onStop_(found->second);
}

void DesktopNotifications::OnNotificationClosed(uint id, uint) { stopIds_.erase(id); }

}  // namespace tockbell
