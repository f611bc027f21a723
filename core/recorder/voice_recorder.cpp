#include "core/recorder/voice_recorder.h"

#include <utility>

#include "core/config/clock_settings.h"

namespace tockbell {

VoiceRecorder::VoiceRecorder(std::atomic<std::uint32_t>& flags, std::uint32_t& pageFlags, FileSystem& files,
                             std::string voicePath, RecorderStarts starts)
    : flags_(flags), m_pageFlags(pageFlags), files_(files), voicePath_(std::move(voicePath)), starts_(std::move(starts)) {}

bool VoiceRecorder::VoiceExists() { return !voicePath_.empty() && files_.StampOf(voicePath_).has_value(); }

RecorderControls VoiceRecorder::Opening() {
    RecorderControls controls;
    controls.progressShown = true;
    controls.playEnabled = controls.insertEnabled = VoiceExists();
    return controls;
}

void VoiceRecorder::OnRecord(RecorderControls& controls) {
    controls.stopEnabled = controls.pauseEnabled = true;
    if ((flags_.load() & FLAG_RECORD_BUSY) != 0) return;
    controls.progressShown = true;
    controls.progress = 0;
    controls.recordEnabled = controls.playEnabled = false;
    flags_.fetch_and(~(FLAG_RECORD_FAILED | FLAG_RECORD_CANCELLED));
    starts_.record(voicePath_);
}

void VoiceRecorder::OnStop(RecorderControls& controls) {
    Cancel();
    flags_.fetch_and(~FLAG_PLAY_BUSY);
    controls.progressShown = true;
    controls.progress = 0;
    controls.recordEnabled = true;
    if (VoiceExists()) controls.playEnabled = controls.insertEnabled = true;
    controls.stopEnabled = controls.pauseEnabled = false;
    m_pageFlags &= ~PAGE_PLAYING;
}

void VoiceRecorder::OnPlay(RecorderControls& controls) {
    if ((flags_.load() & FLAG_RECORD_BUSY) != 0) return;
    starts_.play(voicePath_);
    controls.playEnabled = false;
    m_pageFlags |= PAGE_PLAYING;
    controls.stopEnabled = true;
}

void VoiceRecorder::OnPause() {
    if ((flags_.load() & FLAG_RECORD_BUSY) != 0) flags_.fetch_xor(FLAG_RECORD_PAUSED);
}

void VoiceRecorder::OnTimer(RecorderControls& controls, int duration) {
    const std::uint32_t state = flags_.load();
    if ((state & FLAG_RECORD_FAILED) != 0) {
        flags_.fetch_and(~FLAG_RECORD_FAILED);
        OnStop(controls);
        controls.progressShown = false;
        controls.status = kRecordFailedMessage;
        return;
    }
    if ((state & FLAG_RECORD_BUSY) != 0) {
        controls.progressRange = duration;
        int previous = 0;
        if ((state & FLAG_RECORD_PAUSED) == 0) previous = controls.progress++;
        // A duration lowered below the bar's position while recording ends it too.
        if (previous >= duration) return OnStop(controls);
    }
    if ((m_pageFlags & PAGE_PLAYING) != 0 && (state & FLAG_PLAY_BUSY) == 0) return OnStop(controls);
    // A recording is put in place after STOP, when the thread has saved it.
    if (controls.recordEnabled && !controls.playEnabled && (m_pageFlags & PAGE_PLAYING) == 0 && VoiceExists()) {
        controls.playEnabled = controls.insertEnabled = true;
    }
}

void VoiceRecorder::Cancel() {
    // A recorder thread still waiting for other sounds would record with nobody left to stop it.
    flags_.fetch_or(FLAG_RECORD_CANCELLED);
    flags_.fetch_and(~(FLAG_RECORD_BUSY | FLAG_RECORD_PAUSED));
}

}  // namespace tockbell
