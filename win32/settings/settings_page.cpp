#include "win32/settings/settings_page.h"

#include "win32/settings/settings_dlg.h"

namespace tockbell {

bool CSettingsPage::Create(int templateId, HWND tabCtrl) {
    if (CreateChildDialog(templateId, tabCtrl) == nullptr) return false;
    // A control parent, so that the dialog's Tab key walks through the page's controls too.
    SetWindowLongPtrA(Window(), GWL_EXSTYLE, GetWindowLongPtrA(Window(), GWL_EXSTYLE) | WS_EX_CONTROLPARENT);
    return true;
}

std::optional<LRESULT> CSettingsPage::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (const std::optional<LRESULT> result = PageProc(message, wParam, lParam)) return result;
    static const MessageEntry<CSettingsPage> kMessageMap[] = {
        OnCommand(IDOK, &CSettingsPage::OnOK),
        OnCommand(IDCANCEL, &CSettingsPage::OnCancel),
    };
    return Dispatch<CSettingsPage>(kMessageMap, *this, message, wParam, lParam);
}

void CSettingsPage::OnCancel() { SendMessageA(dialog_.Window(), WM_COMMAND, IDCANCEL, 0); }

}  // namespace tockbell
