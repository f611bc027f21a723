#pragma once

#include <chrono>
#include <memory>
#include <string>

#include "platform/sleep.h"

namespace tockbell {

// What a sound input reports of itself between the recorder's commands.
enum class RecordingMode { Recording, Paused, Stopped, Unknown };

// One opened sound input, recording 8-bit mono PCM at 11025 samples per second into memory of its
// own; closing it, at the end of its life, discards what was not saved.
class RecordingDevice {
public:
    virtual ~RecordingDevice() = default;
    // Starts recording over what was recorded before, without waiting; false when it cannot.
    virtual bool Record() = 0;
    virtual bool Pause() = 0;
    // True also when the device records and was not paused.
    virtual bool Resume() = 0;
    virtual RecordingMode Mode() = 0;
    // Between two passes of the recorder's loop: a device that records by itself only sleeps; one
    // that is read takes in the sound of the interval meanwhile.
    virtual void Pass(std::chrono::milliseconds interval, const SleepFunction& sleep) { sleep(interval); }
    virtual void Stop() = 0;
    // Writes what was recorded as a RIFF WAVE file; the path must not be one the device has open.
    virtual bool Save(const std::string& path) = 0;
};

// The platform's sound inputs.
class RecordingDevices {
public:
    virtual ~RecordingDevices() = default;
    // None when there is no sound input, or none that records in the recorder's format.
    virtual std::unique_ptr<RecordingDevice> Open() = 0;
};

}  // namespace tockbell
