#include "linux/sound/midi_renderer.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "linux/sound/linux_media_player.h"
#include "tests/linux/sound/sound_files.h"

namespace tockbell {
namespace {

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
