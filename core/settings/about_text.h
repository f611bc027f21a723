#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tockbell {

// The About text is kept in the program scrambled with a key, the copyright line: byte i is
// rotated left by (i mod 4) + 2 bits and then XORed with key character i mod the key's length. The
// key counts up to its first zero character, at most 79 characters; an empty key XORs nothing.

std::vector<std::uint8_t> ScrambleAboutText(std::string_view plain, std::string_view key);

// The plain text again, byte for byte (a zero byte included).
std::string RestoreAboutText(const std::vector<std::uint8_t>& scrambled, std::string_view key);

}  // namespace tockbell
