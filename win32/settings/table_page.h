#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>

#include "win32/settings/bitmap_button.h"
#include "win32/settings/settings_page.h"
#include "win32/settings/table_page_view.h"

namespace tockbell {

// The Table page (template 131): the time-table tree with its status line, and the recorder with
// its six picture buttons.
class CTablePage : public CSettingsPage {
public:
    using CSettingsPage::CSettingsPage;

    // Once the page exists: the tree, files dropped from the shell, the buttons' faces drawn for
    // `percent` (100, 150 or 200) and the recorder, which shares the tree's page flags and status line.
    void Attach(ConfigStore* store, FileSystem& files, ClockSettings& settings, const std::string& voicePath,
                RecorderServices& recording, SoundServices& sounds, int percent);
    // The data exchange's share: the recorder's ranges and the tree filled from the file.
    void Load();
    // Once the page has its place: fits its rows into it.
    void Fit();
    // The dialog's timer.
    void OnTimer() { view_->OnTimer(); }
    // The page is left while a recording runs.
    void StopRecording() { view_->Model().LeaveTab(); }
    // The dialog closes: a recording left running would go on with nothing to stop it.
    void Cancel() {
        if (view_) view_->Model().Close();
    }

private:
    std::optional<LRESULT> PageProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);

    std::unique_ptr<CTablePageView> view_;
    std::array<CBitmapButton, 6> m_recorderButtons;
};

}  // namespace tockbell
