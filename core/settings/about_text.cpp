#include "core/settings/about_text.h"

#include <algorithm>

namespace tockbell {

namespace {

// The key as it fits the buffer it was always read into.
constexpr std::size_t kMaxKeyLength = 79;

std::string_view UsableKey(std::string_view key) {
    return key.substr(0, std::min({key.find('\0'), key.size(), kMaxKeyLength}));
}

std::uint8_t KeyByte(std::string_view key, std::size_t index) {
    return key.empty() ? 0 : static_cast<std::uint8_t>(key[index % key.size()]);
}

unsigned Rotation(std::size_t index) { return static_cast<unsigned>(index % 4) + 2; }

}  // namespace

std::vector<std::uint8_t> ScrambleAboutText(std::string_view plain, std::string_view key) {
    key = UsableKey(key);
    std::vector<std::uint8_t> scrambled(plain.size());
    for (std::size_t i = 0; i < plain.size(); ++i) {
        const unsigned x = static_cast<std::uint8_t>(plain[i]);
        const unsigned rotated = (x << Rotation(i)) | (x >> (8 - Rotation(i)));
        scrambled[i] = static_cast<std::uint8_t>(rotated ^ KeyByte(key, i));
    }
    return scrambled;
}

std::string RestoreAboutText(const std::vector<std::uint8_t>& scrambled, std::string_view key) {
    key = UsableKey(key);
    std::string plain(scrambled.size(), '\0');
    for (std::size_t i = 0; i < scrambled.size(); ++i) {
        const unsigned x = scrambled[i] ^ KeyByte(key, i);
        plain[i] = static_cast<char>(static_cast<std::uint8_t>((x >> Rotation(i)) | (x << (8 - Rotation(i)))));
    }
    return plain;
}

}  // namespace tockbell
