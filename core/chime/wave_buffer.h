#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tockbell {

// The image played for a built-in sound: always 8-bit stereo, each sample's distance from the zero
// line 128 divided by `divisor` (0 counts as 1, the division truncates toward zero). With `widen` 2
// a mono sound is played in the right channel only, each frame a silent left byte 128 and the
// sample. Empty when the resource is no 8-bit WAVE image with the 44-byte header.
std::vector<std::uint8_t> MakePlayBuffer(std::span<const std::uint8_t> resource, int divisor, int widen);

}  // namespace tockbell
