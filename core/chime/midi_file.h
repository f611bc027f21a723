#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace tockbell {

// The Standard MIDI File in `bytes`, unwrapped from a RIFF "RMID" file; none when its chunks do not
// hold together: a whole header chunk of format 0, 1 or 2 with at least one track and a time division,
// then as many whole track chunks as it names. The tracks' events are left to the player.
std::optional<std::span<const std::uint8_t>> StandardMidiFile(std::span<const std::uint8_t> bytes);

}  // namespace tockbell
