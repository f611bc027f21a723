#include "core/chime/wave_buffer.h"

#include <algorithm>
#include <cstring>

namespace tockbell {

namespace {

constexpr std::size_t kHeaderSize = 44;
constexpr std::size_t kDataSizeOffset = 40;

std::uint32_t Read32(std::span<const std::uint8_t> bytes, std::size_t offset) {
    return static_cast<std::uint32_t>(bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
                                      bytes[offset + 3] << 24);
}

void Write16(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    bytes[offset] = static_cast<std::uint8_t>(value);
    bytes[offset + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Write32(std::vector<std::uint8_t>& bytes, std::size_t offset, std::uint32_t value) {
    Write16(bytes, offset, value);
    Write16(bytes, offset + 2, value >> 16);
}

bool IsEightBitWave(std::span<const std::uint8_t> bytes) {
    return bytes.size() >= kHeaderSize && std::memcmp(bytes.data(), "RIFF", 4) == 0 &&
           std::memcmp(bytes.data() + 8, "WAVEfmt ", 8) == 0 && std::memcmp(bytes.data() + 36, "data", 4) == 0 &&
           bytes[34] == 8;
}

}  // namespace

std::vector<std::uint8_t> MakePlayBuffer(std::span<const std::uint8_t> resource, int divisor, int widen) {
    if (!IsEightBitWave(resource) || (widen != 1 && widen != 2)) return {};
    // A size that claims more samples than there are is held to what is there.
    const std::size_t samples = std::min<std::size_t>(Read32(resource, kDataSizeOffset), resource.size() - kHeaderSize);
    const int d = divisor == 0 ? 1 : divisor;
    const auto wide = static_cast<std::size_t>(widen);

    std::vector<std::uint8_t> buffer(resource.begin(), resource.begin() + kDataSizeOffset);
    buffer.resize(kHeaderSize + wide * samples);
    Write16(buffer, 22, 2);       // channels
    Write16(buffer, 28, 22050);   // low half of the byte rate; the high half stays as it was
    Write16(buffer, 32, 2);       // block alignment
    Write32(buffer, kDataSizeOffset, static_cast<std::uint32_t>(wide * samples));
    Write32(buffer, 4, static_cast<std::uint32_t>(wide * samples + 36));

    std::size_t out = kHeaderSize;
    for (std::size_t i = 0; i < samples; ++i) {
        if (widen == 2) buffer[out++] = 128;
        buffer[out++] = static_cast<std::uint8_t>((resource[kHeaderSize + i] - 128) / d + 128);
    }
    return buffer;
}

}  // namespace tockbell
