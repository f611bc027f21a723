#pragma once

#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "core/chime/chime.h"

namespace tockbell {

// Built-in sounds that are one-sample WAVE images; playing one records its name (known by its
// sample value) and may run a hook, as if something happened while it sounded.
class FakeWaveSounds : public WaveSounds {
public:
    FakeWaveSounds();
    std::span<const std::uint8_t> Resource(const std::string& name) override;
    void Play(const std::vector<std::uint8_t>& image) override;
    void Purge() override;

    std::vector<std::string> Played() const;
    int Purges() const;
    std::function<void(const std::string& name)> whilePlaying;

private:
    std::map<std::string, std::vector<std::uint8_t>> images_;
    mutable std::mutex mutex_;
    std::vector<std::string> played_;
    int purges_ = 0;
};

// Runs a worker's body at once on the calling thread.
class InlineThreads : public WorkerThreads {
public:
    void StartLowestPriority(std::function<void()> body) override {
        ++started;
        body();
    }
    int started = 0;
};

}  // namespace tockbell
