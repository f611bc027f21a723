#include "win32/settings/settings_dlg.h"

#include "resource.h"

namespace tockbell {

const MessageEntry<CSettingsDlg> CSettingsDlg::kMessageMap[] = {
    OnCommand(IDOK, &CSettingsDlg::OnOK),
    OnCommand(IDCANCEL, &CSettingsDlg::OnCancel),
};

CSettingsDlg::CSettingsDlg(std::int32_t initialTab) : m_currentTab(initialTab) {}

INT_PTR CSettingsDlg::DoModal(HWND owner) { return RunModal(IDD_SETTINGS, owner); }

std::optional<LRESULT> CSettingsDlg::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return Dispatch<CSettingsDlg>(kMessageMap, *this, message, wParam, lParam);
}

void CSettingsDlg::OnOK() { EndDialog(Window(), IDOK); }

void CSettingsDlg::OnCancel() { EndDialog(Window(), IDCANCEL); }

}  // namespace tockbell
