#include "win32/settings/table_page_view.h"

#include <utility>

#include "core/chime/playback.h"
#include "resource.h"
#include "win32/recorder/voice_recorder_view.h"
#include "win32/window/message_map.h"

namespace tockbell {

namespace {

constexpr const char* kFileErrorCaption = "Tockbell";

}  // namespace

CTablePageView::CTablePageView(HWND page, ConfigStore* store, FileSystem& files, ClockSettings& settings,
                               std::string voicePath, RecorderServices& recording, SoundServices& sounds)
    : page_(page),
      tree_(GetDlgItem(page, IDC_TREE)),
      model_(tree_, *this, TimeTableFiles{store, files, settings, clock_, std::move(voicePath)},
             {[&recording](const std::string& path) { StartRecording(recording, path); },
              [&sounds](const std::string& path) { StartPlayback(sounds, path); }}),
      treeMessages_(page, tree_, model_) {}

std::optional<LRESULT> CTablePageView::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<CTablePageView> kMessageMap[] = {
        OnCommand(IDC_RECORD, &CTablePageView::OnRecord),
        OnCommand(IDC_STOP, &CTablePageView::OnStop),
        OnCommand(IDC_PLAY, &CTablePageView::OnPlay),
        OnCommand(IDC_PAUSE, &CTablePageView::OnPause),
    };
    if (const std::optional<LRESULT> result = Dispatch<CTablePageView>(kMessageMap, *this, message, wParam, lParam)) {
        return result;
    }
    return treeMessages_.WndProc(message, wParam, lParam);
}

void CTablePageView::OnTimer() { model_.OnTimer(ReadRecorderDuration(page_)); }

void CTablePageView::Show(const RecorderControls& controls) { ShowRecorderControls(page_, controls); }

void CTablePageView::ShowDuration(int minimum, int maximum, int seconds) {
    ShowRecorderDuration(page_, minimum, maximum, seconds);
}

void CTablePageView::ShowFileError(const std::string& text) {
    MessageBoxA(page_, text.c_str(), kFileErrorCaption, MB_OK | MB_ICONEXCLAMATION);
}

}  // namespace tockbell
