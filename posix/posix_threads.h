#pragma once

#include "platform/sound.h"

namespace tockbell {

// Detached threads at a low priority (nice 10), so that sound work never delays the clock.
class PosixThreads : public WorkerThreads {
public:
    void StartLowestPriority(std::function<void()> body) override;
};

}  // namespace tockbell
