#pragma once

#include <cstdint>

#include "win32/window/message_map.h"
#include "win32/window/window_base.h"

namespace tockbell {

// The settings dialog (template 100), run modally by the main window. For now it offers only OK and
// Cancel; its pages, its data exchange and its close request come with the dialog work.
class CSettingsDlg : public WindowBase {
public:
    // `initialTab` is the page the dialog opens on (0 Setup, 1 Table, 2 About).
    explicit CSettingsDlg(std::int32_t initialTab);

    // Returns IDOK or IDCANCEL once the user has closed the dialog, -1 if it could not be shown.
    INT_PTR DoModal(HWND owner);

    // The close request that asks the opener, after OK, to end the program (the id of the Setup
    // page's "Close Tockbell" box); any other value means nothing.
    static constexpr std::int32_t kCloseProgram = 1010;
    std::int32_t m_closeRequest = 2;

private:
    std::optional<LRESULT> WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK();
    void OnCancel();

    static const MessageEntry<CSettingsDlg> kMessageMap[];

    std::int32_t m_currentTab;  // the page the tab control shows once the dialog has pages
};

}  // namespace tockbell
