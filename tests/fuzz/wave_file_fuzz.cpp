// Feeds arbitrary bytes to the WAVE reader, which reads any file a time-table names. Besides running
// clean under AddressSanitizer and UndefinedBehaviorSanitizer, what it accepts must lie inside the
// bytes and be whole frames of a format the players take.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <span>

#include "core/chime/wave_file.h"

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const std::optional<tockbell::WaveData> wave = tockbell::ParseWaveFile(bytes);
    if (!wave) return 0;
    Check(wave->channels == 1 || wave->channels == 2);
    Check(wave->bitsPerSample == 8 || wave->bitsPerSample == 16);
    Check(wave->sampleRate >= 1 && wave->sampleRate <= 192000);
    Check(wave->samples.empty() ||
          (wave->samples.data() >= data && wave->samples.data() + wave->samples.size() <= data + size));
    Check(wave->samples.size() % static_cast<std::size_t>(wave->channels * wave->bitsPerSample / 8) == 0);
    return 0;
}
