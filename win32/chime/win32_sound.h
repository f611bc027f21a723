#pragma once

#include <windows.h>

#include "platform/media_player.h"
#include "platform/sound.h"

namespace tockbell {

// The "WAVE" resources of a module, played with PlaySoundA from memory.
class ResourceWaveSounds : public WaveSounds {
public:
    explicit ResourceWaveSounds(HMODULE module) : module_(module) {}
    std::span<const std::uint8_t> Resource(const std::string& name) override;
    void Play(const std::vector<std::uint8_t>& image) override;
    void Purge() override;

private:
    HMODULE module_;
};

// Sound files through the media control interface; the device is chosen by the file's extension.
class MciMediaPlayer : public MediaPlayer {
public:
    std::unique_ptr<MediaDevice> Open(const std::string& path) override;
};

// Threads with THREAD_PRIORITY_LOWEST.
class Win32Threads : public WorkerThreads {
public:
    void StartLowestPriority(std::function<void()> body) override;
};

}  // namespace tockbell
