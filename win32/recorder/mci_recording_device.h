#pragma once

#include "platform/recording_device.h"

namespace tockbell {

// The waveform audio device of the media control interface, recording a new, unnamed sound.
class MciRecordingDevices : public RecordingDevices {
public:
    std::unique_ptr<RecordingDevice> Open() override;
};

}  // namespace tockbell
