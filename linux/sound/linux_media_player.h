#pragma once

#include <string>

#include "platform/media_player.h"

namespace tockbell {

// Sound files through the default audio output: MIDI files (".mid", ".midi", ".rmi") rendered by
// FluidSynth with a sound font, anything else read as a WAVE file.
class LinuxMediaPlayer : public MediaPlayer {
public:
    // An empty `soundFont` plays no MIDI file.
    explicit LinuxMediaPlayer(std::string soundFont);
    // None for a file that cannot be read or is no WAVE or MIDI file, and for a MIDI file without a
    // sound font that loads.
    std::unique_ptr<MediaDevice> Open(const std::string& path) override;

private:
    std::string soundFont_;
};

// The sound font for MIDI files: $TOCKBELL_SOUNDFONT when it is set (set empty, none), else the
// first of Debian's General MIDI fonts that exists; empty when there is none.
std::string FindSoundFont();

}  // namespace tockbell
