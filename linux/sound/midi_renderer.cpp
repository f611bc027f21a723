#include "linux/sound/midi_renderer.h"

#include <fluidsynth.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <mutex>

#include "core/chime/chunk_reader.h"
#include "core/chime/midi_file.h"

namespace tockbell {

namespace {

constexpr int kFramesPerBlock = 64;  // FluidSynth's own block: the end is found to within one
// Notes still sounding after the last event ring until they fall below this level (-72 dB), for
// this long at most.
constexpr int kSilentLevel = 8;
constexpr std::size_t kMaxRingFrames = 3 * MidiRenderer::kSampleRate;
// FluidSynth's default of 0.2 leaves a single instrument some 27 dB below full scale, far quieter
// than the built-in sounds; this keeps headroom for a dozen voices at once.
constexpr double kGain = 0.6;

// SoundFont 2 and 3 files are RIFF "sfbk" files. Anything else is refused before FluidSynth, which
// would try it as a DLS file and complain on stderr.
bool IsSoundFontFile(const std::string& path) {
    std::array<std::uint8_t, 12> header{};
    std::ifstream file(path, std::ios::binary);
    return file.read(reinterpret_cast<char*>(header.data()), header.size()) && IsRiffForm(header, "sfbk");
}

// FluidSynth talks on stderr at every level; the program keeps only its errors.
void QuietenFluidSynth() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
    });
}

}  // namespace

struct MidiRenderer::Synth {
    fluid_settings_t* settings = new_fluid_settings();
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;

    ~Synth() {
        if (player) delete_fluid_player(player);
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
    }
};

std::unique_ptr<MidiRenderer> MidiRenderer::Open(const std::string& soundFont, std::span<const std::uint8_t> bytes) {
    const std::optional<std::span<const std::uint8_t>> midi = StandardMidiFile(bytes);
    if (!midi || !IsSoundFontFile(soundFont)) return nullptr;
    QuietenFluidSynth();

    auto synth = std::make_unique<Synth>();
    if (!synth->settings) return nullptr;
    fluid_settings_setnum(synth->settings, "synth.sample-rate", kSampleRate);
    fluid_settings_setint(synth->settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setint(synth->settings, "synth.lock-memory", 0);
    fluid_settings_setnum(synth->settings, "synth.gain", kGain);
    // The player keeps time by the samples rendered, not by the wall clock.
    fluid_settings_setstr(synth->settings, "player.timing-source", "sample");
    synth->synth = new_fluid_synth(synth->settings);
    if (!synth->synth || fluid_synth_sfload(synth->synth, soundFont.c_str(), 1) == FLUID_FAILED) return nullptr;
    synth->player = new_fluid_player(synth->synth);
    if (!synth->player || fluid_player_add_mem(synth->player, midi->data(), midi->size()) != FLUID_OK ||
        fluid_player_play(synth->player) != FLUID_OK) {
        return nullptr;
    }
    return std::unique_ptr<MidiRenderer>(new MidiRenderer(std::move(synth)));
}

MidiRenderer::MidiRenderer(std::unique_ptr<Synth> synth) : synth_(std::move(synth)) {}

MidiRenderer::~MidiRenderer() = default;

// The player reports the end only some seconds after the last event; the tick shows it at once.
bool MidiRenderer::EventsDone() const {
    const int total = fluid_player_get_total_ticks(synth_->player);
    return fluid_player_get_status(synth_->player) == FLUID_PLAYER_DONE ||
           (total > 0 && fluid_player_get_current_tick(synth_->player) >= total);
}

std::size_t MidiRenderer::Render(std::span<std::int16_t> samples) {
    const std::size_t frames = samples.size() / kChannels;
    std::size_t done = 0;
    while (done < frames && !ended_) {
        const std::size_t block = std::min<std::size_t>(kFramesPerBlock, frames - done);
        const std::span<std::int16_t> out = samples.subspan(done * kChannels, block * kChannels);
        fluid_synth_write_s16(synth_->synth, static_cast<int>(block), out.data(), 0, kChannels, out.data(), 1,
                              kChannels);
        done += block;
        if (!EventsDone()) continue;
        framesAfterTheLastEvent_ += block;
        const bool silent =
            std::all_of(out.begin(), out.end(), [](std::int16_t s) { return s > -kSilentLevel && s < kSilentLevel; });
        ended_ = silent || fluid_synth_get_active_voice_count(synth_->synth) == 0 ||
                 framesAfterTheLastEvent_ >= kMaxRingFrames;
    }
    return done * kChannels;
}

}  // namespace tockbell
