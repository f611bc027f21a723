// The recording device against Wine's media control interface, driven as the recorder drives it. The
// suite's HOME makes ALSA's default capture device read a tone from a file (tests/win32/CMakeLists.txt),
// so every recording holds sound. That device runs faster than real time: the length of a recording
// says nothing about how long it ran.
#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "win32/recorder/mci_recording_device.h"

namespace tockbell {
namespace {

namespace fs = std::filesystem;

std::uint32_t Read32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint32_t Read16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | b[at + 1] << 8; }

struct Chunk {
    std::size_t at = 0;         // of the body
    std::uint32_t declared = 0; // the size the header gives
};

// The chunks of a RIFF WAVE file; an empty `at` for a chunk that is missing.
struct WaveChunks {
    bool riff = false;  // "RIFF", its size the file's size less 8, and "WAVE"
    Chunk format, data;
};

WaveChunks Walk(const std::vector<std::uint8_t>& file) {
    WaveChunks wave;
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0) {
        return wave;
    }
    wave.riff = Read32(file, 4) == file.size() - 8;
    for (std::size_t at = 12; at + 8 <= file.size();) {
        const Chunk chunk{at + 8, Read32(file, at + 4)};
        if (std::memcmp(file.data() + at, "fmt ", 4) == 0) wave.format = chunk;
        if (std::memcmp(file.data() + at, "data", 4) == 0) wave.data = chunk;
        at += 8 + std::size_t{chunk.declared} + (chunk.declared & 1);
    }
    return wave;
}

std::vector<std::uint8_t> ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A file as the recorder keeps it: RIFF WAVE, 8-bit mono PCM at 11025 samples per second, with a
// data chunk of some sound.
void ExpectRecorderWave(const fs::path& path) {
    SCOPED_TRACE(path.string());
    const std::vector<std::uint8_t> file = ReadFile(path);
    const WaveChunks wave = Walk(file);
    ASSERT_TRUE(wave.riff);
    ASSERT_NE(wave.format.at, 0u);
    ASSERT_GE(wave.format.declared, 16u);
    ASSERT_LE(wave.format.at + 16, file.size());
    EXPECT_EQ(Read16(file, wave.format.at), 1u);            // PCM
    EXPECT_EQ(Read16(file, wave.format.at + 2), 1u);        // channels
    EXPECT_EQ(Read32(file, wave.format.at + 4), 11025u);    // samples per second
    EXPECT_EQ(Read32(file, wave.format.at + 8), 11025u);    // bytes per second
    EXPECT_EQ(Read16(file, wave.format.at + 12), 1u);       // block
    EXPECT_EQ(Read16(file, wave.format.at + 14), 8u);       // bits per sample
    ASSERT_NE(wave.data.at, 0u);
    ASSERT_LE(wave.data.at + wave.data.declared, file.size());
    EXPECT_GT(wave.data.declared, 500u);
    // The tone swings well away from the zero line 128 for most samples; silence never does.
    std::size_t loud = 0;
    for (std::size_t i = wave.data.at; i < wave.data.at + wave.data.declared; ++i) {
        if (std::abs(file[i] - 128) > 16) ++loud;
    }
    EXPECT_GT(loud, wave.data.declared / 4);
}

// What the recorder does with a device, every 100 ms for about a second: look at the mode, then
// resume, or pause while the user pauses (twice in a row here); then stop and wait, within the
// recorder's bound, until the device has left recording.
void RecordLikeTheRecorder(RecordingDevice& device) {
    ASSERT_TRUE(device.Record());
    bool paused = false;
    for (int tick = 0; tick < 10; ++tick) {
        SCOPED_TRACE(tick);
        EXPECT_EQ(device.Mode(), paused ? RecordingMode::Paused : RecordingMode::Recording);
        paused = tick == 4 || tick == 5;
        EXPECT_TRUE(paused ? device.Pause() : device.Resume());
        Sleep(100);
    }
    device.Stop();
    for (int poll = 0; poll < 50 && device.Mode() == RecordingMode::Recording; ++poll) Sleep(100);
    EXPECT_EQ(device.Mode(), RecordingMode::Stopped);
}

class RecorderWin32Test : public testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / "tockbell-recorder-test";
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    fs::path folder;
    MciRecordingDevices devices;
};

TEST_F(RecorderWin32Test, RecordsAndSavesManyTimesInOneProcess) {
    for (int take = 0; take < 25; ++take) {
        SCOPED_TRACE(take);
        const fs::path path = folder / ("take" + std::to_string(take) + ".wav");
        {
            std::unique_ptr<RecordingDevice> device = devices.Open();
            ASSERT_TRUE(device);
            ASSERT_NO_FATAL_FAILURE(RecordLikeTheRecorder(*device));
            ASSERT_TRUE(device->Save(path.string()));
        }
        ASSERT_NO_FATAL_FAILURE(ExpectRecorderWave(path));
    }
}

TEST_F(RecorderWin32Test, SaveIntoAMissingFolderFails) {
    const fs::path path = folder / "missing" / "take.wav";
    std::unique_ptr<RecordingDevice> device = devices.Open();
    ASSERT_TRUE(device);
    ASSERT_NO_FATAL_FAILURE(RecordLikeTheRecorder(*device));
    EXPECT_FALSE(device->Save(path.string()));
    EXPECT_FALSE(fs::exists(path));
}

// The recorder saves over a file of its own and moves that over the kept recording right after;
// Wine holds a saved file open until the device closes.
TEST_F(RecorderWin32Test, SavesOverAFileThatThenReplacesAnotherOnceTheDeviceIsGone) {
    const fs::path saved = folder / "take.wav", kept = folder / "kept.wav";
    std::ofstream(saved) << "the file before";
    std::ofstream(kept) << "the recording before";
    std::unique_ptr<RecordingDevice> device = devices.Open();
    ASSERT_TRUE(device);
    ASSERT_NO_FATAL_FAILURE(RecordLikeTheRecorder(*device));
    ASSERT_TRUE(device->Save(saved.string()));
    device.reset();
    ASSERT_TRUE(MoveFileExA(saved.string().c_str(), kept.string().c_str(), MOVEFILE_REPLACE_EXISTING))
        << GetLastError();
    EXPECT_FALSE(fs::exists(saved));
    ExpectRecorderWave(kept);
}

}  // namespace
}  // namespace tockbell
