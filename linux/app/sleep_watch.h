#pragma once

#include <QObject>
#include <functional>

namespace tockbell {

// logind's word that the computer is about to sleep or has woken (PrepareForSleep on the system
// bus), where there is a system bus with logind on it; elsewhere it quietly hears nothing.
class SleepWatch : public QObject {
    Q_OBJECT

public:
    explicit SleepWatch(std::function<void()> onSleepOrWake);

private slots:
    void OnPrepareForSleep(bool sleeping);

private:
    std::function<void()> onSleepOrWake_;
};

}  // namespace tockbell
