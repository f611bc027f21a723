#pragma once

#include <windows.h>

#include <optional>

#include "win32/window/message_map.h"
#include "win32/window/window_base.h"

namespace tockbell {

class CSettingsDlg;

// What the settings dialog's pages share: each is a child dialog of the tab control made from its
// own template, in which Enter neither closes the page nor the dialog, and Escape cancels the whole
// dialog without saving.
class CSettingsPage : public WindowBase {
public:
    explicit CSettingsPage(CSettingsDlg& dialog) : dialog_(dialog) {}

    bool Create(int templateId, HWND tabCtrl);
    void Show(bool shown) { ShowWindow(Window(), shown ? SW_SHOW : SW_HIDE); }

protected:
    // The page's own messages; none leaves them to the page's Enter and Escape and then the dialog
    // manager.
    virtual std::optional<LRESULT> PageProc(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    CSettingsDlg& dialog_;

private:
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) final;
    void OnOK() {}
    void OnCancel();
};

}  // namespace tockbell
