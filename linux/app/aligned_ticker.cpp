#include "linux/app/aligned_ticker.h"

#include <chrono>

namespace tockbell {

AlignedTicker::AlignedTicker(std::function<void()> onTick) : onTick_(std::move(onTick)) {
    // A coarse timer may fire 5 % of its interval late: the chime would start 50 ms after :00.
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &AlignedTicker::OnTimeout);
}

void AlignedTicker::OnTimeout() {
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    const TickStep step = aligned_.OnFiring(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
    // Set first: the tick may block for a while when it waits out a sound before a chime.
    if (step.rearm) timer_.start(*step.rearm);
    if (step.tick) onTick_();
}

}  // namespace tockbell
