#pragma once

#include <QAudioFormat>
#include <QIODevice>
#include <memory>
#include <span>

namespace tockbell {

class OutputThread;

// One sound played through the default audio output. It plays on a QThread of its own, which owns
// the QAudioSink and runs the event loop the sink needs, so the callers may be plain std::threads
// with no event loop: a synchronous player waits, a media device polls. The application object
// (QApplication) must exist. The sound has ended once the sink has played all it took from the
// source, not when the source ran dry, so that its last moments are heard. Without an audio output
// (no sound server, no application object) it ends at once, quietly; a sink error ends it too, and
// so does a sink that played nothing for two seconds.
class PcmOutput {
public:
    // Starts playing `source` at once. The output owns it and reads it from its own thread only.
    PcmOutput(const QAudioFormat& format, std::unique_ptr<QIODevice> source);
    // Stops the sound and returns when its thread has ended.
    ~PcmOutput();
    PcmOutput(const PcmOutput&) = delete;
    PcmOutput& operator=(const PcmOutput&) = delete;

    // True once the sound played to its end or was stopped.
    bool HasEnded() const;
    void WaitUntilEnded();
    // From any thread; returns at once, the sound ends a moment later.
    void Stop();

private:
    std::unique_ptr<OutputThread> thread_;
};

// The format of interleaved PCM, 8 bits unsigned or 16 bits signed.
QAudioFormat PcmFormat(int sampleRate, int channels, int bitsPerSample);

// A readable source over a copy of `samples`.
std::unique_ptr<QIODevice> PcmBytes(std::span<const std::uint8_t> samples);

}  // namespace tockbell
