#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>

#include "platform/notifications.h"

namespace tockbell {

// Notifications through the desktop's notification service (org.freedesktop.Notifications on the
// session bus), a reminder's with a "Stop" action. Every call is asynchronous: without a session
// bus or a service, nothing shows and nothing waits.
class DesktopNotifications : public QObject, public Notifications {
    Q_OBJECT

public:
    // `onStop` gets the stop id of a notification whose "Stop" the user chose.
    explicit DesktopNotifications(std::function<void(std::uint32_t)> onStop);

    void Show(const std::string& title, const std::string& text, std::uint32_t stopId) override;

private slots:
    void OnActionInvoked(uint id, const QString& action);
    void OnNotificationClosed(uint id, uint reason);

private:
    std::function<void(std::uint32_t)> onStop_;
    std::map<uint, std::uint32_t> stopIds_;  // by the service's id of a notification that offers "Stop"
    bool bodyMarkup_ = false;                // the service reads the body as markup
};

}  // namespace tockbell
