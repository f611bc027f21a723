#pragma once

#include <chrono>
#include <functional>

namespace tockbell {

// Blocks the calling thread; tests pass one that only counts.
using SleepFunction = std::function<void(std::chrono::milliseconds)>;

}  // namespace tockbell
