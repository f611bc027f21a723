#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace tockbell {

// The byte and chunk reading that the sound file parsers share. Every read is bounded by the bytes
// it is given: they may come from any file a user names.

inline constexpr std::size_t kRiffHeaderSize = 12;

std::uint32_t ReadLittle(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width);
std::uint32_t ReadBig(std::span<const std::uint8_t> bytes, std::size_t at, std::size_t width);
// Whether the four bytes at `at` are `tag`; false when fewer are left.
bool HasTag(std::span<const std::uint8_t> bytes, std::size_t at, const char* tag);

// Whether `bytes` begin a RIFF file of the four-letter `form`, such as "WAVE" or "sfbk".
bool IsRiffForm(std::span<const std::uint8_t> bytes, const char* form);

struct Chunk {
    std::span<const std::uint8_t> tag;
    std::span<const std::uint8_t> body;
    bool whole;  // as long as its size says, not cut by the end of the bytes

    bool Is(const char* name) const { return HasTag(tag, 0, name); }
};

// The chunks from `at` on, each a four-letter tag, a four-byte size and the body. RIFF writes sizes
// least significant byte first and pads an odd body to even; MIDI writes them most significant byte
// first, unpadded. A body that claims more than the bytes hold is cut to what is there.
class Chunks {
public:
    enum class Form { Riff, Midi };

    Chunks(std::span<const std::uint8_t> bytes, std::size_t at, Form form) : bytes_(bytes), at_(at), form_(form) {}

    // None once fewer bytes than a chunk header are left.
    std::optional<Chunk> Next();

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t at_;
    Form form_;
};

}  // namespace tockbell
