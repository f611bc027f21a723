#include "core/chime/wave_file.h"

#include <algorithm>

#include "core/chime/chunk_reader.h"

namespace tockbell {

namespace {

constexpr std::size_t kPcmFormatSize = 16;
constexpr std::size_t kExtensibleFormatSize = 40;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxSampleRate = 192000;

struct Format {
    int channels;
    int sampleRate;
    int bitsPerSample;
};

// The extensible form names its sample format by a GUID whose first two bytes are the plain format
// tag; the rest is the fixed base GUID, which is not worth checking.
std::optional<Format> ParseFormat(std::span<const std::uint8_t> chunk) {
    if (chunk.size() < kPcmFormatSize) return std::nullopt;
    std::uint32_t tag = ReadLittle(chunk, 0, 2);
    if (tag == kFormatExtensible && chunk.size() >= kExtensibleFormatSize) tag = ReadLittle(chunk, 24, 2);
    const Format format{static_cast<int>(ReadLittle(chunk, 2, 2)),
                        static_cast<int>(std::min<std::uint32_t>(ReadLittle(chunk, 4, 4), kMaxSampleRate + 1)),
                        static_cast<int>(ReadLittle(chunk, 14, 2))};
    if (tag != kFormatPcm || (format.channels != 1 && format.channels != 2) || format.sampleRate < 1 ||
        format.sampleRate > kMaxSampleRate || (format.bitsPerSample != 8 && format.bitsPerSample != 16)) {
        return std::nullopt;
    }
    return format;
}

}  // namespace

std::optional<WaveData> ParseWaveFile(std::span<const std::uint8_t> bytes) {
    if (!IsRiffForm(bytes, "WAVE")) return std::nullopt;
    std::optional<Format> format;
    Chunks chunks(bytes, kRiffHeaderSize, Chunks::Form::Riff);
    while (const std::optional<Chunk> chunk = chunks.Next()) {
        if (chunk->Is("fmt ")) {
            format = ParseFormat(chunk->body);
            if (!format) return std::nullopt;
        } else if (chunk->Is("data")) {
            if (!format) return std::nullopt;
            const auto frame = static_cast<std::size_t>(format->channels * format->bitsPerSample / 8);
            return WaveData{format->channels, format->sampleRate, format->bitsPerSample,
                            chunk->body.first(chunk->body.size() - chunk->body.size() % frame)};
        }
    }
    return std::nullopt;
}

}  // namespace tockbell
