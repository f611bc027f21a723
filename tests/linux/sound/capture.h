#pragma once

#include <chrono>
#include <cstddef>
#include <string>

namespace tockbell::test {

// What the private sound server's null sink played, as parec records it into $TOCKBELL_CAPTURE:
// raw signed 16-bit stereo at 44100 Hz, growing in real time.
class Capture {
public:
    Capture();
    bool Available() const { return !path_.empty(); }
    // The frames recorded so far.
    std::size_t Frames() const;
    // Returns once the recording has run on `past` beyond what it holds now, so that everything
    // played until now has arrived; false when it stopped growing (a bounded wait).
    bool Settle(std::chrono::milliseconds past = std::chrono::milliseconds(400)) const;
    // How many milliseconds after frame `from` hold sound rather than silence.
    int SoundingMsFrom(std::size_t from) const;

private:
    std::string path_;
};

}  // namespace tockbell::test
