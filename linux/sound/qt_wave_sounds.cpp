#include "linux/sound/qt_wave_sounds.h"

#include <QResource>
#include <algorithm>
#include <cctype>

#include "core/chime/wave_file.h"

namespace tockbell {

namespace {

// Resource names are plain words; anything else could reach outside the sounds.
bool IsSoundName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(),
                                        [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

}  // namespace

std::span<const std::uint8_t> QtWaveSounds::Resource(const std::string& name) {
    if (!IsSoundName(name)) return {};
    const QResource resource(QString::fromStdString(":/sounds/" + name + ".wav"));
    // Only an uncompressed resource is the WAVE itself, in the program's static data.
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression) return {};
    return {reinterpret_cast<const std::uint8_t*>(resource.data()), static_cast<std::size_t>(resource.size())};
}

void QtWaveSounds::Play(const std::vector<std::uint8_t>& image) {
    const std::optional<WaveData> wave = ParseWaveFile(image);
    if (!wave) return;
    std::unique_ptr<PcmOutput> output;
    {
        // Started and listed in one step, so that a Purge either finds it or came before it.
        const std::lock_guard lock(mutex_);
        output = std::make_unique<PcmOutput>(PcmFormat(wave->sampleRate, wave->channels, wave->bitsPerSample),
                                             PcmBytes(wave->samples));
        playing_.push_back(output.get());
    }
    output->WaitUntilEnded();
    const std::lock_guard lock(mutex_);
    std::erase(playing_, output.get());
}

void QtWaveSounds::Purge() {
    const std::lock_guard lock(mutex_);
    for (PcmOutput* output : playing_) output->Stop();
}

}  // namespace tockbell
