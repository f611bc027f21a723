#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tockbell::test {

using Bytes = std::vector<std::uint8_t>;

// A square-wave tone as a WAVE file with the plain 44-byte header.
Bytes ToneWave(double seconds, int sampleRate, int channels, int bitsPerSample);

// A format-0 MIDI file on the piano: `notes` notes one after the other, each half a second long.
Bytes MidiNotes(int notes);

void WriteFile(const std::string& path, const Bytes& bytes);

}  // namespace tockbell::test
