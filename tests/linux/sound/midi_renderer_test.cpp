#include "linux/sound/midi_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "linux/sound/linux_media_player.h"
#include "tests/linux/sound/sound_files.h"

namespace tockbell {
namespace {

using test::Bytes;

Bytes RmiAround(const Bytes& midi, std::uint32_t declared) {
    Bytes rmi = {'R', 'I', 'F', 'F', 0, 0, 0, 0,   'R', 'M', 'I', 'D', 'L',
                 'I', 'S', 'T', 1,   0, 0, 0, 'x', 0,   'd', 'a', 't', 'a'};
    for (int i = 0; i < 4; ++i) rmi.push_back(static_cast<std::uint8_t>(declared >> (8 * i)));
    rmi.insert(rmi.end(), midi.begin(), midi.end());
    return rmi;
}

Bytes First(Bytes bytes, std::size_t size) {
    bytes.resize(size);
    return bytes;
}

Bytes With(Bytes bytes, std::size_t at, std::uint8_t value) {
    bytes[at] = value;
    return bytes;
}

TEST(StandardMidiFile, TakesWholeChunksOnly) {
    const Bytes midi = test::MidiNotes(2);
    Bytes extraChunk = midi;
    const Bytes foreign = {'X', 'F', 'I', 'H', 0, 0, 0, 1, 7};
    extraChunk.insert(extraChunk.begin() + 14, foreign.begin(), foreign.end());
    Bytes twoTracks = With(extraChunk, 11, 2);
    const struct {
        const char* what;
        Bytes bytes;
        std::size_t size;  // of the file found, 0 for none
    } cases[] = {
        {"plain", midi, midi.size()},
        {"inside RMID", RmiAround(midi, static_cast<std::uint32_t>(midi.size())), midi.size()},
        {"inside RMID that claims too much", RmiAround(midi, 0xFFFFFFFF), midi.size()},
        {"a foreign chunk before the track", extraChunk, extraChunk.size()},
        {"a foreign chunk does not count as a track", twoTracks, 0},
        {"empty", {}, 0},
        {"only the header", First(midi, 14), 0},
        {"the track cut", First(midi, midi.size() - 1), 0},
        {"the track's size cut", First(midi, 20), 0},
        {"not MThd", With(midi, 0, 'X'), 0},
        {"a short header", With(midi, 7, 5), 0},
        {"a header beyond the file", With(midi, 4, 0x7F), 0},
        {"format 3", With(midi, 9, 3), 0},
        {"no tracks", With(midi, 11, 0), 0},
        {"no division", With(With(midi, 12, 0), 13, 0), 0},
        {"RMID without data", First(RmiAround(midi, 0), 22), 0},
        {"a WAVE", test::ToneWave(0.01, 11025, 1, 8), 0},
    };
    for (const auto& c : cases) {
        const auto found = StandardMidiFile(c.bytes);
        EXPECT_EQ(found ? found->size() : 0, c.size) << c.what;
        if (found) {
            EXPECT_TRUE(std::equal(found->begin(), found->end(), c.bytes.end() - static_cast<std::ptrdiff_t>(c.size)))
                << c.what;
        }
    }
}

class MidiRendererTest : public testing::Test {
protected:
    void SetUp() override {
        if (soundFont.empty()) GTEST_SKIP() << "no General MIDI sound font installed";
    }
    const std::string soundFont = FindSoundFont();
};

TEST_F(MidiRendererTest, RendersTheNotesAndTheirRingThenEnds) {
    std::unique_ptr<MidiRenderer> renderer = MidiRenderer::Open(soundFont, test::MidiNotes(2));
    ASSERT_NE(renderer, nullptr);
    std::vector<std::int16_t> block(4096 * MidiRenderer::kChannels);
    std::size_t frames = 0, loudFrames = 0;
    for (std::size_t written = block.size(); written == block.size() && frames < 60 * MidiRenderer::kSampleRate;) {
        written = renderer->Render(block);
        ASSERT_EQ(written % MidiRenderer::kChannels, 0u);
        for (std::size_t i = 0; i < written; i += MidiRenderer::kChannels) {
            if (std::abs(block[i]) > 300 || std::abs(block[i + 1]) > 300) ++loudFrames;
        }
        frames += written / MidiRenderer::kChannels;
    }
    // Two half-second notes, then at most three seconds of ring.
    EXPECT_GE(frames, MidiRenderer::kSampleRate * 1u);
    EXPECT_LE(frames, MidiRenderer::kSampleRate * 4u + 64);
    EXPECT_GE(loudFrames, MidiRenderer::kSampleRate * 8u / 10);
    EXPECT_EQ(renderer->Render(block), 0u);
}

TEST_F(MidiRendererTest, RefusesWhatItCannotPlay) {
    EXPECT_EQ(MidiRenderer::Open(soundFont, {}), nullptr);
    EXPECT_EQ(MidiRenderer::Open(soundFont, test::ToneWave(0.1, 11025, 1, 8)), nullptr);
    EXPECT_EQ(MidiRenderer::Open("", test::MidiNotes(1)), nullptr);
    EXPECT_EQ(MidiRenderer::Open("/nonexistent/font.sf2", test::MidiNotes(1)), nullptr);
    EXPECT_EQ(MidiRenderer::Open(TOCKBELL_SOUNDS "/WAVE0.wav", test::MidiNotes(1)), nullptr);
}

}  // namespace
}  // namespace tockbell
