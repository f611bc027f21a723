#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/recording_device.h"

namespace tockbell {

// A sound input that logs its commands, saves a fixed recording into a file system, and takes a
// set number of mode queries to leave recording once stopped. Safe to use from two threads.
class FakeRecordingDevices : public RecordingDevices {
public:
    explicit FakeRecordingDevices(FileSystem& files) : files_(files) {}

    bool opens = true;
    bool records = true;
    bool saves = true;
    int pauseFailsAfter = -1;  // pauses that succeed before one fails; -1 for never
    int stopLag = 0;           // mode queries after Stop that still answer Recording
    std::string recording = "RIFF recorded" + std::string(100, '\x80');
    std::function<void()> onModeQuery;  // runs at every query while recording: the user's chance

    std::vector<std::string> Log() const {
        std::lock_guard lock(mutex_);
        return log_;
    }

    std::unique_ptr<RecordingDevice> Open() override {
        Add("open");
        if (!opens) return nullptr;
        return std::make_unique<Device>(*this);
    }

private:
    class Device : public RecordingDevice {
    public:
        explicit Device(FakeRecordingDevices& owner) : owner_(owner) {}
        ~Device() override { owner_.Add("close"); }

        bool Record() override {
            owner_.Add("record");
            if (owner_.records) mode_ = RecordingMode::Recording;
            return owner_.records;
        }
        bool Pause() override {
            owner_.Add("pause");
            if (owner_.pauseFailsAfter == 0) return false;
            if (owner_.pauseFailsAfter > 0) --owner_.pauseFailsAfter;
            mode_ = RecordingMode::Paused;
            return true;
        }
        bool Resume() override {
            if (mode_ == RecordingMode::Paused) owner_.Add("resume");
            mode_ = RecordingMode::Recording;
            return true;
        }
        RecordingMode Mode() override {
            if (stopping_) {
                if (lag_-- > 0) return RecordingMode::Recording;
                stopping_ = false;
                mode_ = RecordingMode::Stopped;
            }
            if (mode_ != RecordingMode::Stopped && owner_.onModeQuery) owner_.onModeQuery();
            return mode_;
        }
        void Stop() override {
            owner_.Add("stop");
            stopping_ = true;
            lag_ = owner_.stopLag;
        }
        bool Save(const std::string& path) override {
            owner_.Add(stopping_ ? "save while recording" : "save " + path);
            return owner_.saves && owner_.files_.Write(path, owner_.recording);
        }

    private:
        FakeRecordingDevices& owner_;
        RecordingMode mode_ = RecordingMode::Stopped;
        bool stopping_ = false;
        int lag_ = 0;
    };

    void Add(std::string entry) {
        std::lock_guard lock(mutex_);
        log_.push_back(std::move(entry));
    }

    FileSystem& files_;
    mutable std::mutex mutex_;
    std::vector<std::string> log_;
};

}  // namespace tockbell
