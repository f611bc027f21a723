#pragma once

#include <mutex>
#include <vector>

#include "linux/sound/pcm_output.h"
#include "platform/sound.h"

namespace tockbell {

// The built-in sounds from the program's Qt resources (":/sounds/NAME.wav"), played through the
// default audio output.
class QtWaveSounds : public WaveSounds {
public:
    // A view into the resource data compiled into the program, valid for its whole life.
    std::span<const std::uint8_t> Resource(const std::string& name) override;
    // Plays a WAVE image to its end, or until a Purge; an image that is no WAVE plays nothing.
    void Play(const std::vector<std::uint8_t>& image) override;
    // Stops what plays now, from any thread; a Play that starts later plays normally.
    void Purge() override;

private:
    std::mutex mutex_;
    std::vector<PcmOutput*> playing_;  // owned by the Play calls that wait on them
};

}  // namespace tockbell
