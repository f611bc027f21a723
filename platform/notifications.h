#pragma once

#include <cstdint>
#include <string>

namespace tockbell {

// The desktop's notifications. Showing one never blocks and never fails: without a notification
// service, or with the tray icon hidden, nothing shows.
class Notifications {
public:
    virtual ~Notifications() = default;
    // A `stopId` other than 0 stands for a sound that plays: the notification offers to stop it, and
    // the front end hands the id back when the user asks (ClockActions::StopReminder).
    virtual void Show(const std::string& title, const std::string& text, std::uint32_t stopId) = 0;
};

}  // namespace tockbell
