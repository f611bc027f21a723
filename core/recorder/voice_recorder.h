#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

#include "core/recorder/record_duration.h"
#include "platform/file_system.h"

namespace tockbell {

// Bit of the Table page's `m_pageFlags`: the recording is being played, and the timer watches for
// the end of it.
inline constexpr std::uint32_t PAGE_PLAYING = 0x8;

// The status line's text when the recorder thread could keep nothing.
inline constexpr const char* kRecordFailedMessage = "The message could not be recorded";

// The recorder's share of the Table page as its controls show it. A front end maps each field
// onto one control and back, and runs the handlers on what it read.
struct RecorderControls {
    bool recordEnabled = true;
    bool playEnabled = false;
    bool pauseEnabled = false;
    bool stopEnabled = false;
    bool insertEnabled = false;
    bool progressShown = false;  // the progress bar; else the status line in its place
    int progress = 0;
    int progressRange = kDefaultRecordSeconds;  // the bar runs from 0 to this
    std::string status;                         // the status line's text
    friend bool operator==(const RecorderControls&, const RecorderControls&) = default;
};

// How the recorder starts its sounds: the recorder thread, and the playback of the recording.
struct RecorderStarts {
    std::function<void(const std::string& voicePath)> record;
    std::function<void(const std::string& voicePath)> play;
};

// The recorder's buttons and the dialog's timer. The recording runs on the recorder thread, which
// this reaches only through the shared flags word.
class VoiceRecorder {
public:
    // `pageFlags` is the Table page's word, shared with the time-table editor.
    VoiceRecorder(std::atomic<std::uint32_t>& flags, std::uint32_t& pageFlags, FileSystem& files,
                  std::string voicePath, RecorderStarts starts);

    // The states of the controls when the dialog opens.
    RecorderControls Opening();

    void OnRecord(RecorderControls& controls);
    void OnStop(RecorderControls& controls);
    void OnPlay(RecorderControls& controls);
    void OnPause();

    // Once a second while the dialog is open: the progress bar, the end of a recording once it has
    // lasted `duration` seconds (the duration box, 0 when it holds no number), the end of a
    // playback, and the outcome of a recording that failed or was saved meanwhile.
    void OnTimer(RecorderControls& controls, int duration);

    // The dialog closes: a recording ends and is kept; one that has not begun never begins.
    void Cancel();

private:
    bool VoiceExists();

    std::atomic<std::uint32_t>& flags_;
    std::uint32_t& m_pageFlags;
    FileSystem& files_;
    std::string voicePath_;
    RecorderStarts starts_;
};

}  // namespace tockbell
