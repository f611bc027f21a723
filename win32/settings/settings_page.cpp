#include "win32/settings/settings_page.h"

#include "resource.h"
#include "win32/settings/settings_dlg.h"
#include "win32/settings/setup_page_controls.h"

namespace tockbell {

bool CSettingsPage::Create(int templateId, HWND tabCtrl) {
    if (CreateChildDialog(templateId, tabCtrl) == nullptr) return false;
    // A control parent, so that the dialog's Tab key walks through the page's controls too.
    SetWindowLongPtrA(Window(), GWL_EXSTYLE, GetWindowLongPtrA(Window(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    return true;
}

void CSettingsPage::SetSoundSwitch(bool on) {
    ChangeSetup(
        [&](SetupControls& controls) { tockbell::SetSoundSwitch(controls, on, dialog_.Context().settings.flags); });
}

CTimeTableTree& CSettingsPage::AttachTimeTable(ConfigStore* store, FileSystem& files, ClockSettings& settings,
                                               std::string voicePath) {
    timeTable_ = std::make_unique<CTimeTableTree>(Window(), store, files, settings, std::move(voicePath));
    return *timeTable_;
}

CVoiceRecorderView& CSettingsPage::AttachRecorder(FileSystem& files, std::string voicePath, RecorderServices& recording,
                                                  SoundServices& sounds) {
    recorder_ = std::make_unique<CVoiceRecorderView>(Window(), timeTable_->Editor().m_pageFlags, files,
                                                     std::move(voicePath), recording, sounds, *timeTable_);
    return *recorder_;
}

std::optional<LRESULT> CSettingsPage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (recorder_) {
        if (const std::optional<LRESULT> result = recorder_->WndProc(message, wParam, lParam)) return result;
    }
    if (timeTable_) {
        if (const std::optional<LRESULT> result = timeTable_->WndProc(message, wParam, lParam)) return result;
    }
    // All three pages share one table; each page has only some of the controls.
    static const MessageEntry<CSettingsPage> kMessageMap[] = {
        OnMessage(WM_DRAWITEM, &CSettingsPage::OnDrawItem),
        OnCommand(IDOK, &CSettingsPage::OnOK),
        OnCommand(IDCANCEL, &CSettingsPage::OnCancel),
        OnCommand(IDC_SOUND_ON, &CSettingsPage::OnSoundSwitch),
        OnCommand(IDC_VOICE_HOURS, &CSettingsPage::OnVoiceHours),
        OnCommand(IDC_HIDE_ICON, &CSettingsPage::OnHideIcon),
        OnCommand(IDC_CLOSE_PROGRAM, &CSettingsPage::OnCloseProgram),
        OnCommand(IDC_UNINSTALL, &CSettingsPage::OnUninstall),
        OnCommand(IDC_TEST_TWO, &CSettingsPage::OnTestTwo),
        OnCommand(IDC_TEST_HALF_PAST_FIVE, &CSettingsPage::OnTestHalfPastFive),
    };
    return Dispatch<CSettingsPage>(kMessageMap, *this, message, wParam, lParam);
}

void CSettingsPage::OnCancel() { SendMessageA(dialog_.Window(), WM_COMMAND, IDCANCEL, 0); }

LRESULT CSettingsPage::OnDrawItem(WPARAM, LPARAM lParam) {
    return dialog_.DrawRecorderButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
}

template <class Rule>
void CSettingsPage::ChangeSetup(Rule rule) {
    SetupControls controls = ReadSetupControls(Window());
    rule(controls);
    ShowSetupControls(Window(), controls);
}

void CSettingsPage::OnSoundSwitch() {
    ChangeSetup([&](SetupControls& controls) { ApplySoundSwitch(controls, dialog_.Context().settings.flags); });
}

void CSettingsPage::OnVoiceHours() { ChangeSetup(ApplyVoiceRule); }

void CSettingsPage::OnHideIcon() {
    ChangeSetup([](SetupControls& controls) { ApplyUninstallRule(controls, UninstallRuleBox::HideIcon); });
}

void CSettingsPage::OnCloseProgram() {
    ChangeSetup([](SetupControls& controls) { ApplyUninstallRule(controls, UninstallRuleBox::CloseProgram); });
}

void CSettingsPage::OnUninstall() {
    ChangeSetup([](SetupControls& controls) { ApplyUninstallRule(controls, UninstallRuleBox::Uninstall); });
}

void CSettingsPage::OnTestTwo() { TestChime(dialog_.Context().sounds, ReadSetupControls(Window()), kTestTwoOClock); }

void CSettingsPage::OnTestHalfPastFive() {
    TestChime(dialog_.Context().sounds, ReadSetupControls(Window()), kTestHalfPastFive);
}

}  // namespace tockbell
