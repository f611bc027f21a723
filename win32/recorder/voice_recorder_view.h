#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/chime/chime.h"
#include "core/recorder/record_thread.h"
#include "core/recorder/voice_recorder.h"
#include "core/timetable/timetable_editor.h"

namespace tockbell {

// The Table page's recorder: its buttons, the progress bar and the status line, moved to and from
// the core's recorder.
class CVoiceRecorderView {
public:
    // `page` is the Table page (dialog 131); `status` shows the status line in the bar's place.
    CVoiceRecorderView(HWND page, std::uint32_t& pageFlags, FileSystem& files, std::string voicePath,
                       RecorderServices& recording, SoundServices& sounds, EditorFeedback& status);

    // The page's messages that belong to the recorder; none for the others.
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam);

    void ShowOpening() { Show(recorder_.Opening()); }
    // The dialog's timer.
    void OnTimer();
    // The dialog closes.
    void Cancel() { recorder_.Cancel(); }

private:
    void OnRecord();
    void OnStop();
    void OnPlay();
    void OnPause() { recorder_.OnPause(); }

    template <class Handler>
    void Change(Handler handler) {
        RecorderControls controls = Read();
        handler(controls);
        Show(controls);
    }
    RecorderControls Read() const;
    void Show(const RecorderControls& controls);

    HWND page_;
    EditorFeedback& status_;
    VoiceRecorder recorder_;
};

}  // namespace tockbell
