#include "posix/posix_threads.h"

#include <pthread.h>
#include <sched.h>

#include <thread>

namespace tockbell {

void PosixThreads::StartLowestPriority(std::function<void()> body) {
    std::thread([body = std::move(body)] {
        sched_param parameters{};
        pthread_setschedparam(pthread_self(), SCHED_IDLE, &parameters);
        body();
    }).detach();
}

}  // namespace tockbell
