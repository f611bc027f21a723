#pragma once

#include <windows.h>

namespace tockbell {

// The tooltips of one dialog's or page's controls: each control shows the string-table entry with its
// id; a control without such an entry, or with an empty one, has none. The tooltip window is owned by
// the dialog and goes with it.
class ControlTooltips {
public:
    // Adds a tool for every control of `window` that has a text; inactive until Activate.
    void Create(HWND window);
    void Activate(bool active);
    // Hands a mouse message of the window or of one of its controls to the tooltip. Static texts and
    // disabled controls take no mouse input of their own; their messages come to the window, and
    // are handed on as the control's.
    void Relay(const MSG& message) const;

private:
    HWND window_ = nullptr;
    HWND tooltip_ = nullptr;
};

}  // namespace tockbell
