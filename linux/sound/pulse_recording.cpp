#include "linux/sound/pulse_recording.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <string>

#include "core/recorder/record_thread.h"

namespace tockbell {

namespace {

constexpr std::uint32_t kSampleRate = 11025;
constexpr std::uint32_t kFragmentBytes = kSampleRate / 20;  // the server hands sound on every 50 ms

class PulseRecordingDevice : public RecordingDevice {
public:
    PulseRecordingDevice(pa_simple* stream, FileSystem& files) : stream_(stream), files_(files) {}
    ~PulseRecordingDevice() override { pa_simple_free(stream_); }

    bool Record() override {
        samples_.clear();
        mode_ = RecordingMode::Recording;
        return true;
    }
    bool Pause() override {
        if (mode_ == RecordingMode::Stopped) return false;
        mode_ = RecordingMode::Paused;
        return true;
    }
    bool Resume() override {
        if (mode_ == RecordingMode::Stopped) return false;
        mode_ = RecordingMode::Recording;
        return true;
    }
    RecordingMode Mode() override { return mode_; }
    void Stop() override { mode_ = RecordingMode::Stopped; }
    bool Save(const std::string& path) override { return files_.Write(path, VoiceWave(samples_)); }

    // The read blocks for as long as the interval's sound takes to arrive; paused sound is read and
    // dropped, so that the recording resumes with what is said then.
    void Pass(std::chrono::milliseconds interval, const SleepFunction& sleep) override {
        if (mode_ == RecordingMode::Stopped) return sleep(interval);
        std::string chunk(static_cast<std::size_t>(kSampleRate * interval.count() / 1000), '\0');
        int error = 0;
        if (pa_simple_read(stream_, chunk.data(), chunk.size(), &error) < 0) {
            mode_ = RecordingMode::Stopped;  // the next pause or resume fails and the loop ends
            return;
        }
        if (mode_ == RecordingMode::Recording) samples_ += chunk;
    }

private:
    pa_simple* stream_;
    FileSystem& files_;
    RecordingMode mode_ = RecordingMode::Stopped;
    std::string samples_;
};

}  // namespace

std::unique_ptr<RecordingDevice> PulseRecordingDevices::Open() {
    const pa_sample_spec format{PA_SAMPLE_U8, kSampleRate, 1};
    pa_buffer_attr buffer{};
    buffer.maxlength = static_cast<std::uint32_t>(-1);
    buffer.fragsize = kFragmentBytes;
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Tockbell", PA_STREAM_RECORD, nullptr, "Voice message", &format, nullptr,
                                      &buffer, &error);
    if (stream == nullptr) return nullptr;
    return std::make_unique<PulseRecordingDevice>(stream, files_);
}

}  // namespace tockbell
