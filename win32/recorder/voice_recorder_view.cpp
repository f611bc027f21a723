#include "win32/recorder/voice_recorder_view.h"

#include <commctrl.h>

#include "core/chime/playback.h"
#include "resource.h"
#include "win32/window/message_map.h"

namespace tockbell {

namespace {

bool Enabled(HWND page, int id) { return IsWindowEnabled(GetDlgItem(page, id)) != FALSE; }

// Its own style bit: the page itself is hidden while another tab shows.
bool Shown(HWND page, int id) { return (GetWindowLongPtrA(GetDlgItem(page, id), GWL_STYLE) & WS_VISIBLE) != 0; }

}  // namespace

CVoiceRecorderView::CVoiceRecorderView(HWND page, std::uint32_t& pageFlags, FileSystem& files, std::string voicePath,
                                       RecorderServices& recording, SoundServices& sounds, EditorFeedback& status)
    : page_(page),
      status_(status),
      recorder_(recording.flags, pageFlags, files, std::move(voicePath),
                {[&recording](const std::string& path) { StartRecording(recording, path); },
                 [&sounds](const std::string& path) { StartPlayback(sounds, path); }}) {}

std::optional<LRESULT> CVoiceRecorderView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<CVoiceRecorderView> kMessageMap[] = {
        OnCommand(IDC_RECORD, &CVoiceRecorderView::OnRecord),
        OnCommand(IDC_STOP, &CVoiceRecorderView::OnStop),
        OnCommand(IDC_PLAY, &CVoiceRecorderView::OnPlay),
        OnCommand(IDC_PAUSE, &CVoiceRecorderView::OnPause),
    };
    return Dispatch<CVoiceRecorderView>(kMessageMap, *this, message, wParam, lParam);
}

void CVoiceRecorderView::OnRecord() {
    Change([this](RecorderControls& controls) { recorder_.OnRecord(controls); });
}

void CVoiceRecorderView::OnStop() {
    Change([this](RecorderControls& controls) { recorder_.OnStop(controls); });
}

void CVoiceRecorderView::OnPlay() {
    Change([this](RecorderControls& controls) { recorder_.OnPlay(controls); });
}

void CVoiceRecorderView::OnTimer() {
    BOOL isNumber = FALSE;
    const int duration = static_cast<int>(GetDlgItemInt(page_, IDC_DURATION, &isNumber, TRUE));
    Change([&](RecorderControls& controls) { recorder_.OnTimer(controls, isNumber ? duration : 0); });
}

RecorderControls CVoiceRecorderView::Read() const {
    RecorderControls controls;
    controls.recordEnabled = Enabled(page_, IDC_RECORD);
    controls.playEnabled = Enabled(page_, IDC_PLAY);
    controls.pauseEnabled = Enabled(page_, IDC_PAUSE);
    controls.stopEnabled = Enabled(page_, IDC_STOP);
    controls.insertEnabled = Enabled(page_, IDC_INSERT);
    controls.progressShown = Shown(page_, IDC_PROGRESS);
    controls.progress = static_cast<int>(SendDlgItemMessageA(page_, IDC_PROGRESS, PBM_GETPOS, 0, 0));
    controls.progressRange = static_cast<int>(SendDlgItemMessageA(page_, IDC_PROGRESS, PBM_GETRANGE, FALSE, 0));
    return controls;
}

void CVoiceRecorderView::Show(const RecorderControls& controls) {
    const RecorderControls shown = Read();
    if (controls == shown) return;
    EnableWindow(GetDlgItem(page_, IDC_RECORD), controls.recordEnabled);
    EnableWindow(GetDlgItem(page_, IDC_PLAY), controls.playEnabled);
    EnableWindow(GetDlgItem(page_, IDC_PAUSE), controls.pauseEnabled);
    EnableWindow(GetDlgItem(page_, IDC_STOP), controls.stopEnabled);
    EnableWindow(GetDlgItem(page_, IDC_INSERT), controls.insertEnabled);
    SendDlgItemMessageA(page_, IDC_PROGRESS, PBM_SETRANGE32, 0, controls.progressRange);
    SendDlgItemMessageA(page_, IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(controls.progress), 0);
    if (!controls.message.empty()) {
        status_.SetStatus(controls.message);
    } else if (controls.progressShown && !shown.progressShown) {
        ShowWindow(GetDlgItem(page_, IDC_STATUS), SW_HIDE);
        ShowWindow(GetDlgItem(page_, IDC_PROGRESS), SW_SHOW);
    }
}

}  // namespace tockbell
