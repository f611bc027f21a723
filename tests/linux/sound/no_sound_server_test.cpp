// Run where no sound server answers (TOCKBELL_SOUND_SERVER=none, PULSE_SERVER at a missing socket):
// everything ends at once and quietly.
#include <gtest/gtest.h>

#include <QAudioDevice>
#include <QMediaDevices>
#include <chrono>
#include <filesystem>
#include <thread>

#include "linux/sound/linux_media_player.h"
#include "linux/sound/qt_wave_sounds.h"
#include "tests/linux/sound/on_a_thread.h"
#include "tests/linux/sound/sound_files.h"

namespace tockbell {
namespace {

using namespace std::chrono_literals;

class NoSoundServer : public testing::Test {
protected:
    void SetUp() override {
        if (!QMediaDevices::defaultAudioOutput().isNull()) GTEST_SKIP() << "a sound server answers";
    }
};

TEST_F(NoSoundServer, PlayReturns) {
    auto sounds = std::make_shared<QtWaveSounds>();
    EXPECT_TRUE(test::SecondsOnAThread([sounds] { sounds->Play(test::ToneWave(3, 11025, 2, 8)); }).has_value());
    EXPECT_FALSE(sounds->Resource("WAVE0").empty());
}

TEST_F(NoSoundServer, AWaveFileOpensAndEnds) {
    const std::string path = (std::filesystem::temp_directory_path() / "tockbell-no-server.wav").string();
    test::WriteFile(path, test::ToneWave(3, 11025, 1, 8));
    LinuxMediaPlayer player{FindSoundFont()};
    std::unique_ptr<MediaDevice> device = player.Open(path);
    std::filesystem::remove(path);
    ASSERT_NE(device, nullptr);
    device->Play();
    bool ended = false;
    for (int polls = 0; polls < 100 && !ended; ++polls) {
        ended = !device->IsPlaying();
        if (!ended) std::this_thread::sleep_for(100ms);
    }
    EXPECT_TRUE(ended);
}

}  // namespace
}  // namespace tockbell
