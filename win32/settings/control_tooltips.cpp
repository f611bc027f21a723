#include "win32/settings/control_tooltips.h"

#include <commctrl.h>

#include <algorithm>

namespace tockbell {

namespace {

bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST; }

}  // namespace

void ControlTooltips::Create(HWND owner) {
    tooltip_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, GetModuleHandleA(nullptr), nullptr);
    Activate(false);
}

void ControlTooltips::AddControlsOf(HWND window) {
    if (tooltip_ == nullptr) return;
    windows_.push_back(window);
    for (HWND control = GetWindow(window, GW_CHILD); control != nullptr; control = GetWindow(control, GW_HWNDNEXT)) {
        char text[256];
        // A control without an id of its own (a label) has 0xFFFF, which names no string.
        const int id = GetDlgCtrlID(control);
        if (id <= 0 || LoadStringA(GetModuleHandleA(nullptr), static_cast<UINT>(id), text, sizeof text) <= 0) continue;
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND;
        tool.hwnd = window;
        tool.uId = reinterpret_cast<UINT_PTR>(control);
        tool.lpszText = text;  // the tooltip keeps a copy
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void ControlTooltips::Activate(bool active) {
    if (tooltip_) SendMessageA(tooltip_, TTM_ACTIVATE, active, 0);
}

void ControlTooltips::Relay(const MSG& message) const {
    if (tooltip_ == nullptr || !IsMouseMessage(message.message)) return;
    POINT point{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
    const auto registered = [this](HWND window) {
        return std::find(windows_.begin(), windows_.end(), window) != windows_.end();
    };
    HWND control = message.hwnd;
    if (registered(control)) {
        control = ChildWindowFromPointEx(control, point, CWP_SKIPINVISIBLE);
    } else {
        // The message may be for a part of a control (the edit field of a combo box).
        while (control != nullptr && !registered(GetParent(control))) control = GetParent(control);
    }
    if (control == nullptr || registered(control)) return;
    MapWindowPoints(message.hwnd, control, &point, 1);
    MSG relayed = message;
    relayed.hwnd = control;
    relayed.lParam = MAKELPARAM(point.x, point.y);
    SendMessageA(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

}  // namespace tockbell
