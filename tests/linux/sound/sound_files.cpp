#include "tests/linux/sound/sound_files.h"

#include <fstream>
#include <span>

namespace tockbell::test {

namespace {

void PutLittle(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void PutBig(Bytes& out, std::uint32_t value, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// One byte at a time: GCC 12 takes a range insert at -O3 for an overflow (a false -Wstringop-overflow).
void PutBytes(Bytes& out, std::span<const std::uint8_t> bytes) {
    for (const std::uint8_t byte : bytes) out.push_back(byte);
}

void PutTag(Bytes& out, const char* tag) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(tag[i]));
}

constexpr int kToneHz = 440;

}  // namespace

Bytes ToneWave(double seconds, int sampleRate, int channels, int bitsPerSample) {
    const auto frames = static_cast<std::uint32_t>(seconds * sampleRate);
    const auto frameBytes = static_cast<std::uint32_t>(channels * bitsPerSample / 8);
    Bytes wave;
    PutTag(wave, "RIFF");
    PutLittle(wave, 36 + frames * frameBytes, 4);
    PutTag(wave, "WAVE");
    PutTag(wave, "fmt ");
    PutLittle(wave, 16, 4);
    PutLittle(wave, 1, 2);
    PutLittle(wave, static_cast<std::uint32_t>(channels), 2);
    PutLittle(wave, static_cast<std::uint32_t>(sampleRate), 4);
    PutLittle(wave, static_cast<std::uint32_t>(sampleRate) * frameBytes, 4);
    PutLittle(wave, frameBytes, 2);
    PutLittle(wave, static_cast<std::uint32_t>(bitsPerSample), 2);
    PutTag(wave, "data");
    PutLittle(wave, frames * frameBytes, 4);
    const std::uint32_t halfPeriod = static_cast<std::uint32_t>(sampleRate / kToneHz / 2);
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        const bool high = (frame / halfPeriod) % 2 == 0;
        for (int channel = 0; channel < channels; ++channel) {
            if (bitsPerSample == 8) {
                wave.push_back(high ? 188 : 68);
            } else {
                PutLittle(wave, high ? 12000u : static_cast<std::uint16_t>(-12000), 2);
            }
        }
    }
    return wave;
}

Bytes MidiNotes(int notes) {
    constexpr std::uint8_t kTicksPerNote = 96;  // at the default 120 beats a minute, half a second
    Bytes track = {0x00, 0xC0, 0x00};           // piano
    for (int i = 0; i < notes; ++i) {
        const auto key = static_cast<std::uint8_t>(60 + 2 * i);
        const Bytes note = {0x00, 0x90, key, 100, kTicksPerNote, 0x80, key, 0};
        PutBytes(track, note);
    }
    const Bytes end = {0x00, 0xFF, 0x2F, 0x00};
    PutBytes(track, end);

    Bytes midi;
    PutTag(midi, "MThd");
    PutBig(midi, 6, 4);
    PutBig(midi, 0, 2);  // one track
    PutBig(midi, 1, 2);
    PutBig(midi, kTicksPerNote, 2);
    PutTag(midi, "MTrk");
    PutBig(midi, static_cast<std::uint32_t>(track.size()), 4);
    PutBytes(midi, track);
    return midi;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace tockbell::test
