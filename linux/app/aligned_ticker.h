#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

namespace tockbell {

// Calls `onTick` once in every second of the wall clock, just after the second begins.
class AlignedTicker : public QObject {
public:
    explicit AlignedTicker(std::function<void()> onTick);
    void Start();

private:
    void OnTimeout();

    std::function<void()> onTick_;
    QTimer timer_;
    std::int64_t lastTicked_ = -1;
};

}  // namespace tockbell
