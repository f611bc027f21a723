#include "win32/app/clock_app.h"

#include <commctrl.h>

#include "resource.h"
#include "win32/app/main_frame.h"
#include "win32/install/autostart.h"

namespace tockbell {

CClockApp::CClockApp() = default;

CClockApp::~CClockApp() = default;

bool CClockApp::InitInstance() {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    // The title is the program's identity: a running copy is found by it.
    char title[128];
    if (LoadStringA(instance, IDR_MAINFRAME, title, sizeof title) == 0) return false;

    if (const HWND running = FindWindowA(nullptr, title)) {
        SetForegroundWindow(running);
        PostMessageA(running, WM_COMMAND, ID_APP_PROPERTIES, 0);
        return false;
    }

    // The settings dialog's tab control, slider, spin, progress bar and tree.
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_UPDOWN_CLASS | ICC_TREEVIEW_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&controls);

    RegisterAutostart();
    mainFrame_ = std::make_unique<CMainFrame>(*this);
    // Never shown: the program lives in the tray.
    return mainFrame_->Create(title, LoadMenuA(instance, MAKEINTRESOURCEA(IDR_MAINFRAME)));
}

int CClockApp::Run() {
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

bool CClockApp::OnCommand(UINT id) {
    // The framework's exit command: closing the main window ends the program.
    if (id != ID_APP_EXIT || mainFrame_ == nullptr) return false;
    SendMessageA(mainFrame_->Window(), WM_CLOSE, 0, 0);
    return true;
}

}  // namespace tockbell
