// The recorder's input on the sound server: what the recorder thread does with a device, pass by
// pass, gives a WAVE file of the recording's format as long as the passes; where no server answers,
// there is no device.
#include "linux/sound/pulse_recording.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>

#include "platform/fakes/fake_file_system.h"

namespace tockbell {
namespace {

using namespace std::chrono_literals;

bool WithoutServer() {
    const char* server = std::getenv("TOCKBELL_SOUND_SERVER");
    return server && std::strcmp(server, "none") == 0;
}

TEST(PulseRecording, ReadsAsLongAsThePassesAndPausedSoundIsLeftOut) {
    if (WithoutServer()) GTEST_SKIP() << "no sound server";
    FakeFileSystem files;
    PulseRecordingDevices devices(files);
    std::unique_ptr<RecordingDevice> device = devices.Open();
    ASSERT_NE(device, nullptr);
    int slept = 0;
    const SleepFunction sleep = [&slept](std::chrono::milliseconds) { ++slept; };
    ASSERT_TRUE(device->Record());
    EXPECT_EQ(device->Mode(), RecordingMode::Recording);
    for (int pass = 0; pass < 3; ++pass) device->Pass(100ms, sleep);
    ASSERT_TRUE(device->Pause());
    device->Pass(100ms, sleep);
    ASSERT_TRUE(device->Resume());
    device->Pass(100ms, sleep);
    device->Stop();
    EXPECT_EQ(device->Mode(), RecordingMode::Stopped);
    EXPECT_FALSE(device->Resume());
    device->Pass(100ms, sleep);  // a stopped device reads nothing and only sleeps
    EXPECT_EQ(slept, 1);
    ASSERT_TRUE(device->Save("/rec/voice.wav.new"));
    const std::string& wave = files.files.at("/rec/voice.wav.new");
    // Four passes of 1102 samples: 44 bytes of header and 4408 samples.
    EXPECT_EQ(wave.size(), 44u + 4 * 1102);
    EXPECT_EQ(wave.substr(0, 4), "RIFF");
    EXPECT_EQ(wave.substr(20, 4), std::string("\x01\x00\x01\x00", 4));  // PCM, mono
}

TEST(PulseRecording, NoServerNoDevice) {
    if (!WithoutServer()) GTEST_SKIP() << "a sound server answers";
    FakeFileSystem files;
    EXPECT_EQ(PulseRecordingDevices(files).Open(), nullptr);
}

}  // namespace
}  // namespace tockbell
