#include "linux/sound/linux_media_player.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "tests/linux/sound/capture.h"
#include "tests/linux/sound/sound_files.h"

namespace tockbell {
namespace {

using namespace std::chrono_literals;
using test::Bytes;

// Polls as the playback thread does, for a bounded time; false when the device still plays.
bool EndsWithin(MediaDevice& device, std::chrono::milliseconds limit) {
    for (auto waited = 0ms; waited < limit; waited += 100ms) {
        if (!device.IsPlaying()) return true;
        std::this_thread::sleep_for(100ms);
    }
    return !device.IsPlaying();
}

// Sets an environment variable for one scope, while no sound plays.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class LinuxMediaPlayerTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(capture.Available()) << "run under with_pulse.sh";
        folder =
            std::filesystem::temp_directory_path() / ("tockbell-sound-" + std::to_string(getpid()) + "-" +
                                                      testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(folder);
        ASSERT_TRUE(capture.Settle(100ms));
        start = capture.Frames();
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string File(const std::string& name, const Bytes& bytes) {
        const std::string path = (folder / name).string();
        test::WriteFile(path, bytes);
        return path;
    }

    test::Capture capture;
    std::size_t start = 0;
    std::filesystem::path folder;
    LinuxMediaPlayer player{FindSoundFont()};
};

TEST_F(LinuxMediaPlayerTest, AWaveFilePlaysToItsEnd) {
    std::unique_ptr<MediaDevice> device = player.Open(File("tone.wav", test::ToneWave(0.6, 22050, 1, 16)));
    ASSERT_NE(device, nullptr);
    EXPECT_FALSE(device->IsPlaying());
    device->Play();
    EXPECT_TRUE(device->IsPlaying());
    ASSERT_TRUE(EndsWithin(*device, 5s));
    ASSERT_TRUE(capture.Settle());
    EXPECT_GE(capture.SoundingMsFrom(start), 550);
}

TEST_F(LinuxMediaPlayerTest, AMidiFilePlaysWithTheSoundFont) {
    ASSERT_FALSE(FindSoundFont().empty()) << "no General MIDI sound font installed";
    std::unique_ptr<MediaDevice> device = player.Open(File("Notes.MID", test::MidiNotes(2)));
    ASSERT_NE(device, nullptr);
    device->Play();
    EXPECT_TRUE(device->IsPlaying());
    ASSERT_TRUE(EndsWithin(*device, 10s));
    ASSERT_TRUE(capture.Settle());
    EXPECT_GE(capture.SoundingMsFrom(start), 800);
}

TEST_F(LinuxMediaPlayerTest, ClosingADeviceStopsItsSound) {
    for (const char* name : {"long.wav", "long.mid"}) {
        SCOPED_TRACE(name);
        const std::size_t from = capture.Frames();
        std::unique_ptr<MediaDevice> device = player.Open(
            File(name, std::string(name).ends_with(".wav") ? test::ToneWave(4, 11025, 2, 8) : test::MidiNotes(8)));
        ASSERT_NE(device, nullptr);
        device->Play();
        std::this_thread::sleep_for(500ms);
        EXPECT_TRUE(device->IsPlaying());
        device.reset();
        ASSERT_TRUE(capture.Settle());
        const int heard = capture.SoundingMsFrom(from);
        EXPECT_GT(heard, 100);
        EXPECT_LT(heard, 2000);
    }
}

TEST_F(LinuxMediaPlayerTest, ADeviceNeverPlayedClosesQuietly) {
    std::unique_ptr<MediaDevice> device = player.Open(File("tone.wav", test::ToneWave(0.5, 11025, 1, 8)));
    ASSERT_NE(device, nullptr);
    device.reset();
    ASSERT_TRUE(capture.Settle());
    EXPECT_EQ(capture.SoundingMsFrom(start), 0);
}

TEST_F(LinuxMediaPlayerTest, FilesThatAreNoSoundDoNotOpen) {
    Bytes truncatedMidi = test::MidiNotes(2);
    truncatedMidi.resize(truncatedMidi.size() - 5);
    Bytes sixBitWave = test::ToneWave(0.1, 11025, 1, 8);
    sixBitWave[34] = 6;
    const struct {
        const char* name;
        Bytes bytes;
    } cases[] = {
        {"empty.wav", {}},           {"text.wav", {'h', 'e', 'l', 'l', 'o'}},
        {"six-bit.wav", sixBitWave}, {"tone.mid", test::ToneWave(0.1, 11025, 1, 8)},
        {"cut.midi", truncatedMidi}, {"notes.wav", test::MidiNotes(1)},
        {"empty.rmi", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(player.Open(File(c.name, c.bytes)), nullptr) << c.name;
    EXPECT_EQ(player.Open((folder / "missing.wav").string()), nullptr);
    EXPECT_EQ(player.Open((folder / "missing.mid").string()), nullptr);
    EXPECT_EQ(player.Open(folder.string()), nullptr);
    std::filesystem::create_directory(folder / "folder.mid");
    EXPECT_EQ(player.Open((folder / "folder.mid").string()), nullptr);
}

TEST_F(LinuxMediaPlayerTest, AnRmiFileIsTheMidiFileInsideIt) {
    ASSERT_FALSE(FindSoundFont().empty());
    const Bytes midi = test::MidiNotes(1);
    Bytes rmi = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D', 'd', 'a', 't', 'a'};
    for (std::uint32_t size = static_cast<std::uint32_t>(midi.size()), i = 0; i < 4; ++i) {
        rmi.push_back(static_cast<std::uint8_t>(size >> (8 * i)));
    }
    rmi.insert(rmi.end(), midi.begin(), midi.end());
    EXPECT_NE(player.Open(File("notes.rmi", rmi)), nullptr);
}

TEST_F(LinuxMediaPlayerTest, WithoutASoundFontNoMidiFileOpens) {
    const std::string midi = File("notes.mid", test::MidiNotes(1));
    EXPECT_EQ(LinuxMediaPlayer("").Open(midi), nullptr);
    EXPECT_EQ(LinuxMediaPlayer(File("font.sf2", {'n', 'o', 'n', 'e'})).Open(midi), nullptr);
    EXPECT_EQ(LinuxMediaPlayer((folder / "missing.sf2").string()).Open(midi), nullptr);
    // The WAVE files still play.
    EXPECT_NE(LinuxMediaPlayer("").Open(File("tone.wav", test::ToneWave(0.1, 11025, 1, 8))), nullptr);
}

TEST_F(LinuxMediaPlayerTest, TheEnvironmentChoosesTheSoundFontEvenWhenEmpty) {
    const std::string midi = File("notes.mid", test::MidiNotes(1));
    {
        const ScopedEnvironment none("TOCKBELL_SOUNDFONT", "");
        EXPECT_EQ(FindSoundFont(), "");
        EXPECT_EQ(LinuxMediaPlayer(FindSoundFont()).Open(midi), nullptr);
    }
    {
        const ScopedEnvironment chosen("TOCKBELL_SOUNDFONT", "/somewhere/my.sf2");
        EXPECT_EQ(FindSoundFont(), "/somewhere/my.sf2");
    }
    const std::string found = FindSoundFont();
    if (!found.empty()) {
        EXPECT_TRUE(std::filesystem::exists(found)) << found;
    }
}

}  // namespace
}  // namespace tockbell
