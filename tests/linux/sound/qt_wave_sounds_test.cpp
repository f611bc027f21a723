#include "linux/sound/qt_wave_sounds.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

#include "core/chime/chime.h"
#include "core/chime/spoken_time.h"
#include "tests/linux/sound/capture.h"
#include "tests/linux/sound/on_a_thread.h"
#include "tests/linux/sound/sound_files.h"

namespace tockbell {
namespace {

using namespace std::chrono_literals;
using test::Bytes;

class QtWaveSoundsTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(capture.Available()) << "run under with_pulse.sh";
        ASSERT_TRUE(capture.Settle(100ms));
        start = capture.Frames();
    }

    // Plays on a thread of its own, as the chime does; the seconds it took, or none when it hangs.
    // The image is the thread's own copy: a thread that hangs outlives the test.
    std::optional<double> PlayOnAThread(Bytes image, const std::function<void()>& meanwhile = {}) {
        return test::SecondsOnAThread([sounds = sounds, image = std::move(image)] { sounds->Play(image); }, meanwhile);
    }

    test::Capture capture;
    std::size_t start = 0;
    std::shared_ptr<QtWaveSounds> sounds = std::make_shared<QtWaveSounds>();
};

TEST_F(QtWaveSoundsTest, EveryBuiltInSoundIsTheFileInRes) {
    std::vector<std::string> names = {"WAVE0", "WAVE1", "WAVE030", "WAVE0AM", "WAVE0PM"};
    for (int hour = 1; hour <= 12; ++hour)
        names.push_back("WAVE" + std::string(hour < 10 ? "00" : "0") + std::to_string(hour));
    names.insert(names.end(), kSpokenTimeSounds.begin(), kSpokenTimeSounds.end());
    for (const std::string& name : names) {
        std::ifstream file(std::string(TOCKBELL_SOUNDS) + "/" + name + ".wav", std::ios::binary);
        const Bytes expected{std::istreambuf_iterator<char>(file), {}};
        ASSERT_FALSE(expected.empty()) << name;
        const std::span<const std::uint8_t> resource = sounds->Resource(name);
        EXPECT_EQ(Bytes(resource.begin(), resource.end()), expected) << name;
        EXPECT_EQ(sounds->Resource(name).data(), resource.data()) << name << " is not the same static data";
    }
}

TEST_F(QtWaveSoundsTest, UnknownNamesHaveNoSound) {
    for (const char* name : {"", "WAVE025", "wave0", "WAVE0.wav", "../sounds/WAVE0", "/sounds/WAVE0"}) {
        EXPECT_TRUE(sounds->Resource(name).empty()) << name;
    }
}

TEST_F(QtWaveSoundsTest, PlayReturnsWhenTheSoundHasBeenHeard) {
    const std::optional<double> seconds = PlayOnAThread(test::ToneWave(0.5, 11025, 2, 8));
    ASSERT_TRUE(seconds.has_value()) << "Play did not return";
    EXPECT_GE(*seconds, 0.4);
    ASSERT_TRUE(capture.Settle());
    EXPECT_GE(capture.SoundingMsFrom(start), 450);
}

TEST_F(QtWaveSoundsTest, ABuiltInSoundPlaysThroughTheChimesOwnBuffer) {
    // WAVE030 holds 5130 mono samples, 0.465 s at 11025 Hz.
    const std::optional<double> seconds =
        test::SecondsOnAThread([sounds = sounds] { PlayWaveResource(*sounds, "WAVE030", 1, 2); });
    ASSERT_TRUE(seconds.has_value()) << "Play did not return";
    EXPECT_GE(*seconds, 0.4);
    ASSERT_TRUE(capture.Settle());
    EXPECT_GE(capture.SoundingMsFrom(start), 200);
}

TEST_F(QtWaveSoundsTest, PurgeFromAnotherThreadEndsALongPlay) {
    const std::optional<double> seconds = PlayOnAThread(test::ToneWave(4, 11025, 2, 8), [this] {
        std::this_thread::sleep_for(500ms);
        sounds->Purge();
    });
    ASSERT_TRUE(seconds.has_value()) << "Play did not return after Purge";
    ASSERT_TRUE(capture.Settle());
    const int heard = capture.SoundingMsFrom(start);
    EXPECT_GT(heard, 100);
    EXPECT_LT(heard, 2000);
}

TEST_F(QtWaveSoundsTest, APlayAfterAPurgePlaysWhole) {
    sounds->Purge();
    ASSERT_TRUE(PlayOnAThread(test::ToneWave(0.5, 11025, 2, 8)).has_value());
    ASSERT_TRUE(capture.Settle());
    EXPECT_GE(capture.SoundingMsFrom(start), 450);
}

TEST_F(QtWaveSoundsTest, AnImageThatIsNoWavePlaysNothing) {
    Bytes broken = test::ToneWave(0.5, 11025, 2, 8);
    broken[8] = 'X';
    ASSERT_TRUE(PlayOnAThread(broken).has_value());
    ASSERT_TRUE(PlayOnAThread({}).has_value());
    ASSERT_TRUE(capture.Settle());
    EXPECT_EQ(capture.SoundingMsFrom(start), 0);
}

}  // namespace
}  // namespace tockbell
