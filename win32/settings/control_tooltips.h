#pragma once

#include <windows.h>

#include <vector>

namespace tockbell {

// The tooltips of a dialog's controls and of its pages' controls, in one tooltip window: each control
// shows the string-table entry with its id; a control without such an entry, or with an empty one,
// has none. A hidden page's controls take no mouse messages, so their tools stay quiet. The tooltip
// window is owned by the dialog and goes with it.
class ControlTooltips {
public:
    // Makes the tooltip window for `owner`, inactive until Activate.
    void Create(HWND owner);
    // Adds a tool for every control of `window` (the owner or one of its pages) that has a text.
    void AddControlsOf(HWND window);
    void Activate(bool active);
    // Hands a mouse message of one of the windows or of one of their controls to the tooltip. Static
    // texts and disabled controls take no mouse input of their own; their messages come to the
    // window, and are handed on as the control's.
    void Relay(const MSG& message) const;

private:
    std::vector<HWND> windows_;
    HWND tooltip_ = nullptr;
};

}  // namespace tockbell
