#include "core/chime/wave_file.h"

#include <algorithm>
#include <cstring>

namespace tockbell {

namespace {

constexpr std::size_t kRiffHeaderSize = 12;
constexpr std::size_t kChunkHeaderSize = 8;
constexpr std::size_t kPcmFormatSize = 16;
constexpr std::size_t kExtensibleFormatSize = 40;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;
constexpr int kMaxSampleRate = 192000;

std::uint16_t Read16(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(Read16(bytes, offset) | static_cast<std::uint32_t>(Read16(bytes, offset + 2))
                                                                  << 16);
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t offset, const char* tag) {
    return std::memcmp(bytes.data() + offset, tag, 4) == 0;
}

struct Format {
    int channels;
    int sampleRate;
    int bitsPerSample;
};

// The extensible form names its sample format by a GUID whose first two bytes are the plain format
// tag; the rest is the fixed base GUID, which is not worth checking.
std::optional<Format> ParseFormat(std::span<const std::uint8_t> chunk) {
    if (chunk.size() < kPcmFormatSize) return std::nullopt;
    std::uint16_t tag = Read16(chunk, 0);
    if (tag == kFormatExtensible && chunk.size() >= kExtensibleFormatSize) tag = Read16(chunk, 24);
    const Format format{Read16(chunk, 2),
                        static_cast<int>(std::min<std::uint32_t>(Read32(chunk, 4), kMaxSampleRate + 1)),
                        Read16(chunk, 14)};
    if (tag != kFormatPcm || (format.channels != 1 && format.channels != 2) || format.sampleRate < 1 ||
        format.sampleRate > kMaxSampleRate || (format.bitsPerSample != 8 && format.bitsPerSample != 16)) {
        return std::nullopt;
    }
    return format;
}

}  // namespace

std::optional<WaveData> ParseWaveFile(std::span<const std::uint8_t> bytes) {
    if (bytes.size() < kRiffHeaderSize || !HasTag(bytes, 0, "RIFF") || !HasTag(bytes, 8, "WAVE")) return std::nullopt;
    std::optional<Format> format;
    std::size_t at = kRiffHeaderSize;
    while (bytes.size() - at >= kChunkHeaderSize) {
        const std::size_t body = at + kChunkHeaderSize;
        const std::size_t size = std::min<std::size_t>(Read32(bytes, at + 4), bytes.size() - body);
        const std::span<const std::uint8_t> chunk = bytes.subspan(body, size);
        if (HasTag(bytes, at, "fmt ")) {
            format = ParseFormat(chunk);
            if (!format) return std::nullopt;
        } else if (HasTag(bytes, at, "data")) {
            if (!format) return std::nullopt;
            const auto frame = static_cast<std::size_t>(format->channels * format->bitsPerSample / 8);
            return WaveData{format->channels, format->sampleRate, format->bitsPerSample,
                            chunk.first(size - size % frame)};
        }
        // A chunk of odd size is followed by a pad byte.
        const std::size_t next = size + size % 2;
        if (next >= bytes.size() - body) break;
        at = body + next;
    }
    return std::nullopt;
}

}  // namespace tockbell
