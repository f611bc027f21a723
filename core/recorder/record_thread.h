#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/chime/chime.h"
#include "platform/file_system.h"
#include "platform/recording_device.h"
#include "platform/sleep.h"
#include "platform/sound.h"

namespace tockbell {

// The longest path of the recorded voice file the recorder takes.
inline constexpr std::size_t kMaxVoicePathLength = 260;

// A RIFF WAVE file of no sound in the recording's format, 8-bit mono PCM at 11025 samples per
// second: 46 bytes, the last two of them zero and counted in the RIFF length.
std::string EmptyVoiceFile();
// A RIFF WAVE file of `samples` in the recording's format.
std::string VoiceWave(std::string_view samples);

// What the recorder thread reaches; it outlives every recorder thread.
struct RecorderServices {
    std::atomic<std::uint32_t>& flags;
    RecordingDevices& devices;
    FileSystem& files;
    WorkerThreads& threads;
    SleepFunction sleep;
};

// Records into `voicePath` on a thread of its own at the lowest priority.
void StartRecording(RecorderServices& services, const std::string& voicePath);

// The recorder thread's body. Waits for a playback, then for a chime, and records nothing when
// FLAG_RECORD_CANCELLED is set by then; records from when it sets
// FLAG_RECORD_BUSY until that bit is cleared, a stop is asked for or the program quits; then puts
// the new recording in the place of the old in one step. A recording that cannot be made leaves
// the old one and sets FLAG_RECORD_FAILED.
void RecordThread(RecorderServices& services, SoundJob job);

}  // namespace tockbell
