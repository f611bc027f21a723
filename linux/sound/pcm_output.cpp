#include "linux/sound/pcm_output.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMediaDevices>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace tockbell {

namespace {

// How often the output's thread looks at the sink's progress and at a stop request. A stop also
// quits the loop at once; the look only covers a request that came before the loop ran.
constexpr int kWatchIntervalMs = 20;
// A sink that played nothing for this long is taken as stuck: its sound ends.
constexpr qint64 kStallMarginUs = 2'000'000;
// What the sound server holds ahead of the playing point: the whole of a sound in memory up to the
// most, at least the least of one rendered as it plays. With Qt's default a thread that a loaded
// machine kept waiting cut gaps into a bell; with the whole of it on the server, nothing can.
constexpr qint64 kLeastServerBufferUs = 250'000;
constexpr qint64 kMostServerBufferUs = 10'000'000;

// The caller's source as the sink pulls it, counting what it took: the sink reports that the
// source ran dry while the sound server still holds the last of it, so the sound has ended only
// once the sink has played as much as it took. The server starts a stream once it holds its
// buffer's worth, so a shorter sound is made up to that with silence, or it would never start.
class CountedSource : public QIODevice {
public:
    CountedSource(std::unique_ptr<QIODevice> source, const QAudioFormat& format)
        : source_(std::move(source)),
          leastBytes_(format.bytesForDuration(kLeastServerBufferUs)),
          silence_(format.sampleFormat() == QAudioFormat::UInt8 ? '\x80' : '\0') {
        open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }
    bool atEnd() const override { return source_->atEnd() && taken_ >= leastBytes_; }
    qint64 bytesAvailable() const override {
        return std::max(source_->bytesAvailable(), leastBytes_ - taken_) + QIODevice::bytesAvailable();
    }
    qint64 Taken() const { return taken_; }

protected:
    qint64 readData(char* data, qint64 maxSize) override {
        qint64 read = source_->read(data, maxSize);
        if (read <= 0 && source_->atEnd() && taken_ < leastBytes_) {
            read = std::min(maxSize, leastBytes_ - taken_);
            std::memset(data, silence_, static_cast<std::size_t>(read));
        }
        if (read > 0) taken_ += read;
        return read;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    std::unique_ptr<QIODevice> source_;
    const qint64 leastBytes_;
    const char silence_;
    qint64 taken_ = 0;
};

}  // namespace

class OutputThread : public QThread {
public:
    OutputThread(const QAudioFormat& format, std::unique_ptr<QIODevice> source)
        : format_(format), source_(std::make_unique<CountedSource>(std::move(source), format)) {
        source_->moveToThread(this);
    }

protected:
    void run() override {
        // Qt's event loops need the application object; without it nothing could end the sound.
        const QAudioDevice device = QCoreApplication::instance() ? QMediaDevices::defaultAudioOutput() : QAudioDevice();
        if (!device.isNull() && !isInterruptionRequested()) Play(device);
        // The source belongs to this thread now; it goes with it.
        source_.reset();
    }

private:
    void Play(const QAudioDevice& device) {
        QAudioSink sink(device, format_);
        sink.setBufferSize(std::min(source_->bytesAvailable(), qint64{format_.bytesForDuration(kMostServerBufferUs)}));
        QEventLoop loop;
        QElapsedTimer clock;
        QTimer watch;
        watch.setInterval(kWatchIntervalMs);
        QObject::connect(&sink, &QAudioSink::stateChanged, &loop, [&loop](QAudio::State state) {
            if (state == QAudio::StoppedState) loop.quit();
        });
        QObject::connect(&watch, &QTimer::timeout, &loop, [&] {
            const qint64 played = sink.processedUSecs();
            const bool stalled = clock.nsecsElapsed() / 1000 > played + kStallMarginUs;
            const bool ended = source_->atEnd() && played >= DurationUs(source_->Taken());
            if (ended || stalled || isInterruptionRequested() || sink.error() != QAudio::NoError) loop.quit();
        });
        sink.start(source_.get());
        if (sink.state() == QAudio::StoppedState || sink.error() != QAudio::NoError) return;
        clock.start();
        watch.start();
        loop.exec();
        // Drops what the sound server still holds, so that a stop is heard at once.
        if (isInterruptionRequested()) sink.reset();
        sink.stop();
    }

    qint64 DurationUs(qint64 bytes) const { return bytes / format_.bytesPerFrame() * 1'000'000 / format_.sampleRate(); }

    QAudioFormat format_;
    std::unique_ptr<CountedSource> source_;
};

PcmOutput::PcmOutput(const QAudioFormat& format, std::unique_ptr<QIODevice> source)
    : thread_(std::make_unique<OutputThread>(format, std::move(source))) {
    thread_->start();
}

PcmOutput::~PcmOutput() {
    Stop();
    thread_->wait();
}

bool PcmOutput::HasEnded() const { return thread_->isFinished(); }

void PcmOutput::WaitUntilEnded() { thread_->wait(); }

void PcmOutput::Stop() {
    thread_->requestInterruption();
    thread_->quit();
}

QAudioFormat PcmFormat(int sampleRate, int channels, int bitsPerSample) {
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(channels);
    format.setSampleFormat(bitsPerSample == 8 ? QAudioFormat::UInt8 : QAudioFormat::Int16);
    return format;
}

std::unique_ptr<QIODevice> PcmBytes(std::span<const std::uint8_t> samples) {
    auto buffer = std::make_unique<QBuffer>();
    buffer->setData(QByteArray(reinterpret_cast<const char*>(samples.data()), static_cast<qsizetype>(samples.size())));
    buffer->open(QIODevice::ReadOnly);
    return buffer;
}

}  // namespace tockbell
