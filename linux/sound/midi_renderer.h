#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace tockbell {

// A MIDI file rendered by FluidSynth with a sound font, as interleaved signed 16-bit stereo at
// kSampleRate, as fast as it is read. FluidSynth opens no audio driver of its own.
class MidiRenderer {
public:
    static constexpr int kSampleRate = 44100;
    static constexpr int kChannels = 2;

    // None when `bytes` is no MIDI file or the sound font does not load. The sound font loads its
    // samples as the file's instruments need them, so opening is quick and memory stays modest.
    static std::unique_ptr<MidiRenderer> Open(const std::string& soundFont, std::span<const std::uint8_t> bytes);
    ~MidiRenderer();
    MidiRenderer(const MidiRenderer&) = delete;
    MidiRenderer& operator=(const MidiRenderer&) = delete;

    // Fills `samples` (whole frames) with what comes next and returns how many it wrote: fewer only
    // once the file has played and its last notes have died away, none after that.
    std::size_t Render(std::span<std::int16_t> samples);

private:
    struct Synth;
    explicit MidiRenderer(std::unique_ptr<Synth> synth);
    bool EventsDone() const;

    std::unique_ptr<Synth> synth_;
    std::size_t framesAfterTheLastEvent_ = 0;
    bool ended_ = false;
};

}  // namespace tockbell
