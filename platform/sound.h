#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace tockbell {

// The program's own sounds: WAVE images built into it, played synchronously from memory.
class WaveSounds {
public:
    virtual ~WaveSounds() = default;
    // The bytes of the built-in sound `name`; empty when there is none.
    virtual std::span<const std::uint8_t> Resource(const std::string& name) = 0;
    // Returns when the sound has ended.
    virtual void Play(const std::vector<std::uint8_t>& image) = 0;
    // Stops every sound the program plays through this player.
    virtual void Purge() = 0;
};

// Sound work runs on threads of its own at the lowest priority, so the clock stays responsive.
class WorkerThreads {
public:
    virtual ~WorkerThreads() = default;
    virtual void StartLowestPriority(std::function<void()> body) = 0;
};

}  // namespace tockbell
