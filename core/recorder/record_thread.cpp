#include "core/recorder/record_thread.h"

#include <chrono>
#include <memory>
#include <optional>

#include "core/config/clock_settings.h"
#include "core/config/file_replace.h"

namespace tockbell {

namespace {

constexpr std::chrono::milliseconds kWaitStep{1000};
// Every stop is seen within one pass, and the waiting costs next to nothing.
constexpr std::chrono::milliseconds kPassInterval{100};
// How long the device may take to leave recording once it was told to stop.
constexpr int kStopPasses = 50;

constexpr std::uint32_t kEndRecording = FLAG_STOP_SOUND | FLAG_QUITTING;

void PutLittleEndian(std::string& bytes, std::uint32_t value, int width) {
    for (int i = 0; i < width; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// False when the program quits while it waits.
bool WaitWhile(RecorderServices& services, std::uint32_t busy) {
    while ((services.flags.load() & busy) != 0) {
        if ((services.flags.load() & FLAG_QUITTING) != 0) return false;
        services.sleep(kWaitStep);
    }
    return true;
}

bool KeepsRecording(RecorderServices& services, RecordingDevice& device) {
    device.Mode();
    const std::uint32_t state = services.flags.load();
    if ((state & kEndRecording) != 0 || (state & FLAG_RECORD_BUSY) == 0) return false;
    return (state & FLAG_RECORD_PAUSED) != 0 ? device.Pause() : device.Resume();
}

// Saving while the device still finishes its recording is not safe on every platform.
void StopDevice(RecorderServices& services, RecordingDevice& device) {
    device.Stop();
    for (int pass = 0; pass < kStopPasses && device.Mode() == RecordingMode::Recording; ++pass) {
        services.sleep(kPassInterval);
    }
}

// A device may report success and leave the file as it was, or save a recording of no sound at all
// when it had no input to record from: neither may take the place of a recording.
bool HoldsRecording(RecorderServices& services, const std::string& temporary) {
    const std::optional<FileSystem::Stamp> stamp = services.files.StampOf(temporary);
    return stamp && stamp->size > EmptyVoiceFile().size();
}

// "WAVE", the format chunk of 8-bit mono PCM at 11025 samples per second, and the data chunk's header.
void AppendFormatAndData(std::string& bytes, std::uint32_t dataLength) {
    bytes.append("WAVEfmt ");
    PutLittleEndian(bytes, 16, 4);
    PutLittleEndian(bytes, 1, 2);  // PCM
    PutLittleEndian(bytes, 1, 2);  // mono
    PutLittleEndian(bytes, 11025, 4);
    PutLittleEndian(bytes, 11025, 4);
    PutLittleEndian(bytes, 1, 2);
    PutLittleEndian(bytes, 8, 2);
    bytes.append("data");
    PutLittleEndian(bytes, dataLength, 4);
}

void Fail(RecorderServices& services, const std::string& temporary) {
    services.files.Remove(temporary);
    services.flags.fetch_or(FLAG_RECORD_FAILED);
}

}  // namespace

std::string EmptyVoiceFile() {
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, 38, 4);
    AppendFormatAndData(bytes, 0);
    PutLittleEndian(bytes, 0, 2);
    return bytes;
}

std::string VoiceWave(std::string_view samples) {
    const auto length = static_cast<std::uint32_t>(samples.size());
    const std::uint32_t pad = length % 2;  // chunks keep an even length
    std::string bytes = "RIFF";
    PutLittleEndian(bytes, 36 + length + pad, 4);
    AppendFormatAndData(bytes, length);
    bytes.append(samples);
    if (pad) bytes.push_back('\0');
    return bytes;
}

void StartRecording(RecorderServices& services, const std::string& voicePath) {
    SoundJob job;
    job.path = voicePath;
    services.threads.StartLowestPriority([&services, job] { RecordThread(services, job); });
}

void RecordThread(RecorderServices& services, SoundJob job) {
    // A RECORD right after STOP must not meet the previous recording still being saved.
    while ((services.flags.fetch_or(FLAG_RECORD_THREAD) & FLAG_RECORD_THREAD) != 0) {
        if ((services.flags.load() & FLAG_QUITTING) != 0) return;
        services.sleep(kPassInterval);
    }
    struct Turn {
        std::atomic<std::uint32_t>& flags;
        ~Turn() { flags.fetch_and(~FLAG_RECORD_THREAD); }
    } turn{services.flags};
    if (!WaitWhile(services, FLAG_PLAY_BUSY) || !WaitWhile(services, FLAG_CHIME_BUSY)) return;
    if ((services.flags.load() & FLAG_RECORD_CANCELLED) != 0) return;
    const std::string path = std::move(job.path);
    const std::string temporary = TemporarySibling(path);
    if (path.empty() || path.size() > kMaxVoicePathLength) {
        services.flags.fetch_or(FLAG_RECORD_FAILED);
        return;
    }
    // The device never opens a file of its own: the one it opened may stay locked until the
    // process ends, and saving onto it then writes nothing. The empty file proves that the
    // recording can be kept here before anything is recorded.
    services.files.Remove(temporary);
    if (!services.files.Write(temporary, EmptyVoiceFile())) return Fail(services, temporary);
    std::unique_ptr<RecordingDevice> device = services.devices.Open();
    if (!device) return Fail(services, temporary);
    if (!device->Record()) {
        device.reset();
        return Fail(services, temporary);
    }
    services.flags.fetch_or(FLAG_RECORD_BUSY);
    while (KeepsRecording(services, *device)) device->Pass(kPassInterval, services.sleep);
    StopDevice(services, *device);
    const bool saved = device->Save(temporary);
    device.reset();
    if (!saved || !HoldsRecording(services, temporary) || !services.files.Replace(temporary, path)) {
        Fail(services, temporary);
    }
    services.flags.fetch_and(~FLAG_RECORD_BUSY);
}

}  // namespace tockbell
