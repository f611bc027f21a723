#pragma once

#include <QObject>
#include <QTimer>
#include <functional>

#include "core/app/tick_alignment.h"

namespace tockbell {

// Calls `onTick` once in every second of the wall clock, just after the second begins.
class AlignedTicker : public QObject {
public:
    explicit AlignedTicker(std::function<void()> onTick);
    void Start() { OnTimeout(); }
    // A tick at once, if this second has not had one (the computer resumed, the clock was set).
    void TickNow() { OnTimeout(); }

private:
    void OnTimeout();

    std::function<void()> onTick_;
    QTimer timer_;
    AlignedTick aligned_;
};

}  // namespace tockbell
