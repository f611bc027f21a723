#include "posix/posix_threads.h"

#include <sys/resource.h>
#include <unistd.h>

#include <thread>

namespace tockbell {

namespace {

// Low, like Windows' lowest priority, yet never starved: under SCHED_IDLE a busy machine would give a
// chime no time at all, and the sound server's thread it starts would inherit that.
constexpr int kSoundThreadNice = 10;

}  // namespace

void PosixThreads::StartLowestPriority(std::function<void()> body) {
    std::thread([body = std::move(body)] {
        // On Linux a thread's nice value is its own, and the threads it starts inherit it.
        setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), kSoundThreadNice);
        body();
    }).detach();
}

}  // namespace tockbell
