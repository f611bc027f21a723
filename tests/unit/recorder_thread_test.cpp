// The recorder on real threads: the window thread's buttons, the recorder thread and a chime share
// only the flags word. Run under ThreadSanitizer by `make test`.
#include <filesystem>
#include <thread>

#include <gtest/gtest.h>

#include "core/chime/chime.h"
#include "core/config/clock_settings.h"
#include "core/recorder/record_thread.h"
#include "core/recorder/voice_recorder.h"
#include "platform/fakes/fake_recording_device.h"
#include "posix/posix_file_system.h"
#include "posix/posix_threads.h"
#include "tests/unit/fake_sound.h"

namespace tockbell {
namespace {

using namespace std::chrono_literals;

class RecorderThreads : public testing::Test {
protected:
    RecorderThreads() {
        std::filesystem::create_directories(folder);
        std::filesystem::remove(voice);
    }
    ~RecorderThreads() override { std::filesystem::remove_all(folder); }

    void WaitFor(std::uint32_t bits, bool set) {
        while (((flags.load() & bits) != 0) != set) std::this_thread::sleep_for(1ms);
    }
    std::string Voice() { return files.Read(voice).content; }

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tockbell_recorder_threads";
    const std::string voice = (folder / "tockbell.wav").string();
    std::atomic<std::uint32_t> flags{kDefaultFlags};
    PosixFileSystem files;
    FakeRecordingDevices devices{files};
    PosixThreads threads;
    FakeWaveSounds sounds;
    FakeMediaPlayer media;
    SleepFunction sleep = [](std::chrono::milliseconds) { std::this_thread::sleep_for(1ms); };
    RecorderServices recording{flags, devices, files, threads, sleep};
    SoundServices chiming{flags, sounds, media, threads, sleep};
    std::uint32_t pageFlags = 0;
    VoiceRecorder recorder{flags, pageFlags, files, voice,
                           {[this](const std::string& path) { StartRecording(recording, path); }, {}}};
    RecorderControls controls = recorder.Opening();
};

TEST_F(RecorderThreads, StopAndChimesEndRecordingsThatAreKeptWhole) {
    for (int round = 0; round < 20; ++round) {
        devices.recording = "RIFF recording " + std::to_string(round) + std::string(100, '\x80');
        recorder.OnRecord(controls);
        WaitFor(FLAG_RECORD_BUSY, true);
        if (round % 2 == 0) {
            recorder.OnStop(controls);
            WaitFor(FLAG_RECORD_THREAD, false);
        } else {
            // The chime asks the recording to stop and sounds once it has been saved.
            StartChime(chiming, 12, true, true, kDefaultFlags, 1);
            EXPECT_EQ(Voice(), devices.recording);
            WaitFor(FLAG_CHIME_BUSY, false);
            recorder.OnStop(controls);
            WaitFor(FLAG_RECORD_THREAD, false);
        }
        EXPECT_EQ(Voice(), devices.recording);
        EXPECT_FALSE(std::filesystem::exists(voice + ".new"));
    }
    EXPECT_EQ(sounds.Played().size(), 10u * ChimeSequence(12, JOB_HALF_HOUR | JOB_PM | kDefaultFlags).size());
    EXPECT_EQ(flags.load() & ~FLAG_RECORD_CANCELLED, kDefaultFlags);
}

TEST_F(RecorderThreads, QuittingKeepsTheRecording) {
    recorder.OnRecord(controls);
    WaitFor(FLAG_RECORD_BUSY, true);
    recorder.OnPause();
    flags.fetch_or(FLAG_QUITTING);
    WaitFor(FLAG_RECORD_BUSY, false);
    EXPECT_EQ(Voice(), devices.recording);
}

}  // namespace
}  // namespace tockbell
