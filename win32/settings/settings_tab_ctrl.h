#pragma once

#include <windows.h>
#include <commctrl.h>

#include "win32/window/window_base.h"

namespace tockbell {

// The settings dialog's tab control, made at run time. It erases only its strip of tabs, so that the
// dialog's artwork shows beside them.
class CSettingsTabCtrl : public WindowBase {
public:
    ~CSettingsTabCtrl() override;

    // Makes the control over `rect` of `dialog`, with the tab icons drawn for `percent` (100, 150 or
    // 200) and `font`; false if it failed.
    bool Create(HWND dialog, int id, const RECT& rect, HFONT font, int percent);

private:
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnEraseBkgnd(WPARAM wParam, LPARAM lParam);

    HIMAGELIST m_tabImages = nullptr;
};

}  // namespace tockbell
