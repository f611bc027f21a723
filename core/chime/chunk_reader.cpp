#include "core/chime/chunk_reader.h"

#include <algorithm>
#include <cstring>

namespace tockbell {

namespace {

constexpr std::size_t kChunkHeaderSize = 8;

}  // namespace

std::uint32_t ReadLittle(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;) value = value << 8 | bytes[at + i];
    return value;
}

std::uint32_t ReadBig(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < width; ++i) value = value << 8 | bytes[at + i];
    return value;
}

bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, const char* tag) {
    return bytes.size() >= at && bytes.size() - at >= 4 && std::memcmp(bytes.data() + at, tag, 4) == 0;
}

bool IsRiffForm(std::span<const std::uint8_t> bytes, const char* form) {
    return bytes.size() >= kRiffHeaderSize && HasTag(bytes, 0, "RIFF") && HasTag(bytes, 8, form);
}

std::optional<Chunk> Chunks::Next() {
    if (bytes_.size() < at_ || bytes_.size() - at_ < kChunkHeaderSize) return std::nullopt;
    const std::size_t body = at_ + kChunkHeaderSize;
    const std::uint32_t declared = form_ == Form::Riff ? ReadLittle(bytes_, at_ + 4, 4) : ReadBig(bytes_, at_ + 4, 4);
    const std::size_t size = std::min<std::size_t>(declared, bytes_.size() - body);
    const std::size_t pad = form_ == Form::Riff ? size % 2 : 0;
    const Chunk chunk{bytes_.subspan(at_, 4), bytes_.subspan(body, size), size == declared};
    at_ = body + size + pad;
    return chunk;
}

}  // namespace tockbell
