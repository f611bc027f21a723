#include "core/chime/midi_file.h"

#include "core/chime/chunk_reader.h"

namespace tockbell {

namespace {

constexpr std::size_t kMidiHeaderSize = 6;

// The "data" chunk of a RIFF RMID file, the whole of anything else.
std::span<const std::uint8_t> Unwrapped(std::span<const std::uint8_t> bytes) {
    if (!IsRiffForm(bytes, "RMID")) return bytes;
    Chunks chunks(bytes, kRiffHeaderSize, Chunks::Form::Riff);
    while (const std::optional<Chunk> chunk = chunks.Next()) {
        if (chunk->Is("data")) return chunk->body;
    }
    return {};
}

}  // namespace

std::optional<std::span<const std::uint8_t>> StandardMidiFile(std::span<const std::uint8_t> bytes) {
    const std::span<const std::uint8_t> midi = Unwrapped(bytes);
    Chunks chunks(midi, 0, Chunks::Form::Midi);
    const std::optional<Chunk> header = chunks.Next();
    if (!header || !header->Is("MThd") || !header->whole || header->body.size() < kMidiHeaderSize) {
        return std::nullopt;
    }
    const std::uint32_t format = ReadBig(header->body, 0, 2);
    const std::uint32_t tracks = ReadBig(header->body, 2, 2);
    const std::uint32_t division = ReadBig(header->body, 4, 2);
    if (format > 2 || tracks == 0 || division == 0) return std::nullopt;
    for (std::uint32_t found = 0; found < tracks;) {
        const std::optional<Chunk> track = chunks.Next();
        if (!track || !track->whole) return std::nullopt;
        if (track->Is("MTrk")) ++found;
    }
    return midi;
}

}  // namespace tockbell
