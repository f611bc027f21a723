#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "core/settings/setup_controls.h"
#include "win32/recorder/voice_recorder_view.h"
#include "win32/timetable/timetable_tree_view.h"
#include "win32/window/message_map.h"
#include "win32/window/window_base.h"

namespace tockbell {

class CSettingsDlg;

// The one class behind the settings dialog's three pages (Setup, Table, About), each a child dialog
// of the tab control made from its own template. The rules of the Setup page run on the core's
// description of its controls.
class CSettingsPage : public WindowBase {
public:
    explicit CSettingsPage(CSettingsDlg& dialog) : dialog_(dialog) {}

    bool Create(int templateId, HWND tabCtrl);
    void Show(bool shown) { ShowWindow(Window(), shown ? SW_SHOW : SW_HIDE); }

    // Setup page: sets "Striking and voices" and applies it.
    void SetSoundSwitch(bool on);

    // Table page: the time-table tree comes to life once the page exists.
    CTimeTableTree& AttachTimeTable(ConfigStore* store, FileSystem& files, ClockSettings& settings,
                                    std::string voicePath);
    // Table page, after the time-table: the recorder shares its page flags and status line.
    CVoiceRecorderView& AttachRecorder(FileSystem& files, std::string voicePath, RecorderServices& recording,
                                       SoundServices& sounds);

private:
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Enter inside a page neither closes the page nor the dialog; Escape cancels the whole dialog.
    void OnOK() {}
    void OnCancel();
    LRESULT OnDrawItem(WPARAM wParam, LPARAM lParam);
    void OnSoundSwitch();
    void OnVoiceHours();
    void OnHideIcon();
    void OnCloseProgram();
    void OnUninstall();
    void OnTestTwo();
    void OnTestHalfPastFive();

    // Reads the Setup controls, lets `rule` change them and shows the result.
    template <class Rule>
    void ChangeSetup(Rule rule);

    CSettingsDlg& dialog_;
    std::unique_ptr<CTimeTableTree> timeTable_;
    std::unique_ptr<CVoiceRecorderView> recorder_;
};

}  // namespace tockbell
