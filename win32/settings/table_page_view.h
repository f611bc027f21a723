#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/chime/chime.h"
#include "core/recorder/record_thread.h"
#include "core/settings/table_page_model.h"
#include "win32/app/local_clock.h"
#include "win32/timetable/timetable_tree_view.h"
#include "win32/timetable/win32_tree_control.h"

namespace tockbell {

// The Table page's controls around the core's model of the page: the tree 1023 and its messages,
// the recorder's buttons, the progress bar, the status line and the duration box.
class CTablePageView : public TablePageView {
public:
    // `page` is the Table page (dialog 131).
    CTablePageView(HWND page, ConfigStore* store, FileSystem& files, ClockSettings& settings, std::string voicePath,
                   RecorderServices& recording, SoundServices& sounds);

    TablePageModel& Model() { return model_; }
    // The page's messages that belong to the tree or the recorder; none for the others.
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The dialog's timer.
    void OnTimer();

    void Show(const RecorderControls& controls) override;
    void ShowDuration(int minimum, int maximum, int seconds) override;
    void ShowFileError(const std::string& text) override;
    void Beep() override { MessageBeep(MB_OK); }

private:
    void OnRecord() { model_.OnRecord(); }
    void OnStop() { model_.OnStop(); }
    void OnPlay() { model_.OnPlay(); }
    void OnPause() { model_.OnPause(); }

    HWND page_;
    Win32TreeControl tree_;
    LocalClock clock_;
    TablePageModel model_;
    CTimeTableTree treeMessages_;
};

}  // namespace tockbell
