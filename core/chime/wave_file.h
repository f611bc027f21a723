#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tockbell {

// The PCM samples of a WAVE file, as a view into the bytes it was parsed from.
struct WaveData {
    int channels;
    int sampleRate;
    int bitsPerSample;
    std::span<const std::uint8_t> samples;  // whole frames only
};

// Reads a RIFF/WAVE file of 8- or 16-bit PCM, mono or stereo, at 1 to 192000 Hz. Chunks other than
// "fmt " and "data" are skipped; a data chunk that claims more than the file holds is cut to what is
// there. None for anything else: the bytes may come from any file a user names.
std::optional<WaveData> ParseWaveFile(std::span<const std::uint8_t> bytes);

}  // namespace tockbell
