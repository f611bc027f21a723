#pragma once

#include <memory>

#include "platform/file_system.h"
#include "platform/recording_device.h"

namespace tockbell {

// The desktop sound server's default input (PulseAudio, or PipeWire through its PulseAudio service),
// read by blocking reads on the recorder's own thread: the stream is open, and buffered by the
// server, from the moment the device is opened, so nothing of the recording's start is lost.
class PulseRecordingDevices : public RecordingDevices {
public:
    // A recording is saved through `files`.
    explicit PulseRecordingDevices(FileSystem& files) : files_(files) {}

    // None when there is no sound server or no input.
    std::unique_ptr<RecordingDevice> Open() override;

private:
    FileSystem& files_;
};

}  // namespace tockbell
