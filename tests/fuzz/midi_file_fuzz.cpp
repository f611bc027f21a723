// Feeds arbitrary bytes to the MIDI file check, which the Linux program runs on any MIDI file a
// time-table names before FluidSynth reads it. Besides running clean under AddressSanitizer and
// UndefinedBehaviorSanitizer, what it finds must lie inside the bytes, begin with the header chunk and
// be found whole when checked again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <span>

#include "core/chime/midi_file.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using Bytes = std::span<const std::uint8_t>;
    const std::optional<Bytes> midi = tockbell::StandardMidiFile(Bytes(data, size));
    if (!midi) return 0;
    Check(midi->data() >= data && midi->data() + midi->size() <= data + size);
    Check(midi->size() >= 14 && std::memcmp(midi->data(), "MThd", 4) == 0);
    const std::optional<Bytes> again = tockbell::StandardMidiFile(*midi);
    Check(again && again->data() == midi->data() && again->size() == midi->size());
    return 0;
}
