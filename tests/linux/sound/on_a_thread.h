#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <memory>
#include <optional>
#include <thread>

namespace tockbell::test {

// Runs `work` on a thread of its own, as the sound threads do, while `meanwhile` runs here; the
// seconds `work` took, or none when it did not end within `limit`. A thread that hangs is left
// behind with what it holds, so that the test fails rather than blocks.
inline std::optional<double> SecondsOnAThread(std::function<void()> work, const std::function<void()>& meanwhile = {},
                                              std::chrono::seconds limit = std::chrono::seconds(20)) {
    auto seconds = std::make_shared<std::promise<double>>();
    std::future<double> done = seconds->get_future();
    std::thread([seconds, work = std::move(work)] {
        const auto begin = std::chrono::steady_clock::now();
        work();
        seconds->set_value(std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count());
    }).detach();
    if (meanwhile) meanwhile();
    if (done.wait_for(limit) != std::future_status::ready) return std::nullopt;
    return done.get();
}

}  // namespace tockbell::test
