#pragma once

#include "platform/sound.h"

namespace tockbell {

// Detached threads in the idle scheduling class, so that sound work never delays the clock.
class PosixThreads : public WorkerThreads {
public:
    void StartLowestPriority(std::function<void()> body) override;
};

}  // namespace tockbell
