#include "win32/settings/setup_page.h"

#include "resource.h"
#include "win32/settings/setup_page_controls.h"

namespace tockbell {

void CSetupPage::Load(const SetupControls& controls) {
    PrepareSetupControls(Window());
    ShowSetupControls(Window(), controls);
}

SetupControls CSetupPage::Read() const { return ReadSetupControls(Window()); }

void CSetupPage::SetSoundSwitch(bool on) {
    Change([&](SetupControls& controls) { tockbell::SetSoundSwitch(controls, on, flags_); });
}

std::optional<LRESULT> CSetupPage::PageProc(UINT message, WPARAM wParam, LPARAM lParam) {
    static const MessageEntry<CSetupPage> kMessageMap[] = {
        OnCommand(IDC_SOUND_ON, &CSetupPage::OnSoundSwitch),
        OnCommand(IDC_VOICE_HOURS, &CSetupPage::OnVoiceHours),
        OnCommand(IDC_QUIET_ON, &CSetupPage::OnQuietHours),
        OnCommand(IDC_HIDE_ICON, &CSetupPage::OnHideIcon),
        OnCommand(IDC_CLOSE_PROGRAM, &CSetupPage::OnCloseProgram),
        OnCommand(IDC_UNINSTALL, &CSetupPage::OnUninstall),
        OnCommand(IDC_TEST_TWO, &CSetupPage::OnTestTwo),
        OnCommand(IDC_TEST_HALF_PAST_FIVE, &CSetupPage::OnTestHalfPastFive),
    };
    return Dispatch<CSetupPage>(kMessageMap, *this, message, wParam, lParam);
}

template <class Rule>
void CSetupPage::Change(Rule rule) {
    SetupControls controls = Read();
    rule(controls);
    ShowSetupControls(Window(), controls);
}

void CSetupPage::OnSoundSwitch() {
    Change([&](SetupControls& controls) { ApplySoundSwitch(controls, flags_); });
}

void CSetupPage::OnVoiceHours() { Change(ApplyVoiceRule); }

void CSetupPage::OnQuietHours() { Change(ApplyQuietRule); }

void CSetupPage::OnHideIcon() {
    Change([](SetupControls& controls) { ApplyUninstallRule(controls, UninstallRuleBox::HideIcon); });
}

void CSetupPage::OnCloseProgram() {
    Change([](SetupControls& controls) { ApplyUninstallRule(controls, UninstallRuleBox::CloseProgram); });
}

void CSetupPage::OnUninstall() {
    Change([](SetupControls& controls) { ApplyUninstallRule(controls, UninstallRuleBox::Uninstall); });
}

void CSetupPage::OnTestTwo() { TestChime(sounds_, Read(), kTestTwoOClock); }

void CSetupPage::OnTestHalfPastFive() { TestChime(sounds_, Read(), kTestHalfPastFive); }

}  // namespace tockbell
