#pragma once

#include <memory>
#include <string>

namespace tockbell {

// One opened sound file (WAV or MIDI); closing it, at the end of its life, stops it.
class MediaDevice {
public:
    virtual ~MediaDevice() = default;
    // Starts playing to the end without waiting.
    virtual void Play() = 0;
    // False once the sound has ended, or when the device cannot tell.
    virtual bool IsPlaying() = 0;
};

// The platform's player of sound files by name.
class MediaPlayer {
public:
    virtual ~MediaPlayer() = default;
    // None when the file cannot be opened.
    virtual std::unique_ptr<MediaDevice> Open(const std::string& path) = 0;
};

}  // namespace tockbell
