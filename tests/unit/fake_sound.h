#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/chime/chime.h"
#include "platform/notifications.h"

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

// Sound files that play for a set number of polls; opening, playing and closing are logged.
class FakeMediaPlayer : public MediaPlayer {
public:
    std::unique_ptr<MediaDevice> Open(const std::string& path) override;
    std::vector<std::string> Log() const;

    std::map<std::string, int> pollsWhilePlaying;  // a file not listed cannot be opened
    std::function<void(const std::string& path, int poll)> onPoll;

private:
    class Device;
    void Add(const std::string& entry);
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
};

// Notifications as a list of lines, "notify TEXT", with " [Stop]" when it offers to stop its sound.
class FakeNotifications : public Notifications {
public:
    void Show(const std::string& title, const std::string& text, std::uint32_t stopId) override {
        shown.push_back((title == "Tockbell" ? "notify " : "notify (" + title + ") ") + text +
                        (stopId != 0 ? " [Stop]" : ""));
        lastStopId = stopId;
    }
    std::vector<std::string> shown;
    std::uint32_t lastStopId = 0;
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
