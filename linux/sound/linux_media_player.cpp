#include "linux/sound/linux_media_player.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <vector>

#include "core/chime/wave_file.h"
#include "linux/sound/midi_renderer.h"
#include "linux/sound/pcm_output.h"

namespace tockbell {

namespace {

// Larger files are refused rather than read whole: about 25 minutes of CD audio.
constexpr std::uintmax_t kMaxWaveFileBytes = 256u << 20;
constexpr std::uintmax_t kMaxMidiFileBytes = 16u << 20;

std::optional<std::vector<std::uint8_t>> ReadFile(const std::string& path, std::uintmax_t maxBytes) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (error || size > maxBytes) return std::nullopt;
    std::ifstream file(path, std::ios::binary);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size))) return std::nullopt;
    return bytes;
}

bool IsMidiPath(const std::string& path) {
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension == ".mid" || extension == ".midi" || extension == ".rmi";
}

// A MIDI file as a stream the audio sink pulls; each read renders as much as it asks for.
class MidiStream : public QIODevice {
public:
    explicit MidiStream(std::unique_ptr<MidiRenderer> renderer) : renderer_(std::move(renderer)) {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return ended_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        if (ended_) return 0;
        constexpr auto kFrameBytes = static_cast<qint64>(MidiRenderer::kChannels * sizeof(std::int16_t));
        samples_.resize(static_cast<std::size_t>(maxSize / kFrameBytes) * MidiRenderer::kChannels);
        const std::size_t written = renderer_->Render(samples_);
        if (written < samples_.size()) ended_ = true;
        std::memcpy(data, samples_.data(), written * sizeof(std::int16_t));
        return static_cast<qint64>(written * sizeof(std::int16_t));
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<MidiRenderer> renderer_;
    std::vector<std::int16_t> samples_;
    bool ended_ = false;
};

// An opened sound: its samples wait in `source` until Play hands them to an output.
class PcmDevice : public MediaDevice {
public:
    PcmDevice(const QAudioFormat& format, std::unique_ptr<QIODevice> source)
        : format_(format), source_(std::move(source)) {}

    void Play() override {
        if (source_) output_ = std::make_unique<PcmOutput>(format_, std::move(source_));
    }
    bool IsPlaying() override { return output_ && !output_->HasEnded(); }

private:
    QAudioFormat format_;
    std::unique_ptr<QIODevice> source_;
    std::unique_ptr<PcmOutput> output_;
};

}  // namespace

LinuxMediaPlayer::LinuxMediaPlayer(std::string soundFont) : soundFont_(std::move(soundFont)) {}

std::unique_ptr<MediaDevice> LinuxMediaPlayer::Open(const std::string& path) {
    if (IsMidiPath(path)) {
        if (soundFont_.empty()) return nullptr;
        const std::optional<std::vector<std::uint8_t>> bytes = ReadFile(path, kMaxMidiFileBytes);
        std::unique_ptr<MidiRenderer> renderer = bytes ? MidiRenderer::Open(soundFont_, *bytes) : nullptr;
        if (!renderer) return nullptr;
        return std::make_unique<PcmDevice>(PcmFormat(MidiRenderer::kSampleRate, MidiRenderer::kChannels, 16),
                                           std::make_unique<MidiStream>(std::move(renderer)));
    }
    const std::optional<std::vector<std::uint8_t>> bytes = ReadFile(path, kMaxWaveFileBytes);
    const std::optional<WaveData> wave = bytes ? ParseWaveFile(*bytes) : std::nullopt;
    if (!wave) return nullptr;
    return std::make_unique<PcmDevice>(PcmFormat(wave->sampleRate, wave->channels, wave->bitsPerSample),
                                       PcmBytes(wave->samples));
}

std::string FindSoundFont() {
    if (const char* chosen = std::getenv("TOCKBELL_SOUNDFONT")) return chosen;
    for (const char* candidate : {"/usr/share/sounds/sf2/default-GM.sf2", "/usr/share/sounds/sf2/FluidR3_GM.sf2"}) {
        std::error_code error;
        if (std::filesystem::exists(candidate, error)) return candidate;
    }
    return {};
}

}  // namespace tockbell
